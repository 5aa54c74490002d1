#include "logica/execucao/varredura.h"

#include <QList>

int Grade::nLinhas() const {
    const int nc = qMax(1, nColunas);
    return (nCelulas <= 0 ? 0 : (nCelulas + nc - 1) / nc) + (nBarra > 0 ? 1 : 0);
}

QList<int> Grade::celulasDaLinha(int r) const {
    QList<int> celulas;
    if (nBarra > 0 && r == 0) {
        for (int c = nCelulas; c < total(); ++c)
            if (mostrada(c)) celulas.append(c);
        return celulas;
    }
    if (nBarra > 0) --r;
    const int nc = qMax(1, nColunas);
    for (int c = r * nc; c < (r + 1) * nc && c < nCelulas; ++c)
        if (c >= 0 && mostrada(c)) celulas.append(c);
    return celulas;
}

int Grade::primeiraDaLinha(int r) const {
    const QList<int> celulas = celulasDaLinha(r);
    return celulas.isEmpty() ? -1 : celulas.first();
}

void Varredura::reinicia() {
    destaque_ = Destaque();
    linhaEscolhida_ = -1;
}

bool Varredura::escolheLinha() {
    if (destaque_.tipo != Destaque::Tipo::linha) return false;
    linhaEscolhida_ = destaque_.indice;
    destaque_ = Destaque();
    return true;
}

bool Varredura::proximaLinha(const Grade& g) {
    const int n = g.nLinhas();
    int primeira = -1;
    for (int r = 0; r < n && primeira < 0; ++r)
        if (g.primeiraDaLinha(r) >= 0) primeira = r;
    if (primeira < 0) return false;
    int r = destaque_.tipo == Destaque::Tipo::linha ? destaque_.indice + 1 : 0;
    while (r < n && g.primeiraDaLinha(r) < 0)
        ++r;
    if (r >= n) r = primeira;
    destaque_ = {Destaque::Tipo::linha, r, r == primeira, r == primeira};
    return true;
}

bool Varredura::avanca(const Grade& g, TModoVarredura modo) {
    if (modo == TModoVarredura::linhaColuna && linhaEscolhida_ >= 0) {
        const QList<int> celulas = g.celulasDaLinha(linhaEscolhida_);
        const int atual = destaque_.tipo == Destaque::Tipo::celula ? destaque_.indice : -1;
        for (const int c : celulas)
            if (c > atual) {
                destaque_ = {Destaque::Tipo::celula, c, c == celulas.first(), false};
                return true;
            }
        // A whole pass over the row without a choice: back to the rows, from the first.
        linhaEscolhida_ = -1;
        destaque_ = Destaque();
    }
    if (modo == TModoVarredura::linhaColuna) return proximaLinha(g);

    int primeira = -1;
    for (int c = 0; c < g.total() && primeira < 0; ++c)
        if (g.mostrada(c)) primeira = c;
    if (primeira < 0) return false;
    int c = destaque_.tipo == Destaque::Tipo::celula ? destaque_.indice + 1 : 0;
    while (c < g.total() && !g.mostrada(c))
        ++c;
    if (c >= g.total()) c = primeira;
    destaque_ = {Destaque::Tipo::celula, c, c == primeira, c == primeira};
    return true;
}
