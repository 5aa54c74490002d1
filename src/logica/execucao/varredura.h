// Where the scan highlight goes next on a board's grid: one shown cell after another, or whole
// rows first and then the cells of the row chosen. Knows nothing of timers or switches; the run
// asks it for the next highlight on every step.
#pragma once

#include "nucleo/opcoes_acesso.h"

#include <functional>

// The cells of the board drawn: how many, how many per row, and which are shown.
struct Grade {
    int nCelulas = 0;
    int nColunas = 1;
    std::function<bool(int celula)> mostrada;
    // The message bar's cells, numbered after the board's: scanned one at a time after the
    // board's last cell, or as one more row before the board's first.
    int nBarra = 0;

    int total() const { return nCelulas + nBarra; }
    int nLinhas() const;
    // The first shown cell of row r (-1 when it has none) and all of them.
    int primeiraDaLinha(int r) const;
    QList<int> celulasDaLinha(int r) const;
};

struct Destaque {
    enum class Tipo { nenhum, linha, celula };
    Tipo tipo = Tipo::nenhum;
    int indice = -1; // the row or the cell
    // The first highlight of a pass: of the board, of the rows, or of a chosen row's cells.
    bool primeiroDaVolta = false;
    // A new pass over the whole board (cells one at a time) or over its rows begins here.
    bool novaVolta = false;
};

class Varredura {
public:
    // Back to the start of the board: nothing highlighted, rows first in row/column mode.
    void reinicia();
    // The next highlight; false when the board shows no cell at all.
    bool avanca(const Grade& g, TModoVarredura modo);
    // With a row highlighted, its cells come next (the first one on the next step).
    bool escolheLinha();

    const Destaque& destaque() const { return destaque_; }

private:
    bool proximaLinha(const Grade& g);
    Destaque destaque_;
    int linhaEscolhida_ = -1;
};
