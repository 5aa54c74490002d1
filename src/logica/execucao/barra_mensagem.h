// The message bar of a run: the items a person chooses line up, to be spoken whole ("eu"
// "quero" "água"), taken back one at a time or all at once. Knows nothing of widgets or of the
// output queue: the run appends to it and plays what it gives back.
#pragma once

#include "logica/execucao/execucao_logica.h"
#include "nucleo/prvars.h"

#include <QList>
#include <QString>

// The bar's own cells, after the board's cells in the run's numbering, in this order.
enum class CelulaBarra { falar = 0, apagar = 1, limpar = 2 };
constexpr int celulasDaBarra = 3;
// "Falar", "Apagar", "Limpar".
QString nomeDaCelulaBarra(CelulaBarra c);

struct EntradaMensagem {
    TItem item;          // drawn in the bar as on its board
    QList<Saida> saidas; // what it plays, in order; never empty
};

class BarraMensagem {
public:
    // Appends the item when it says something of its own: a label, a recording or a speech
    // text. An item that leads to another board counts only by its recording or speech text,
    // since its label names the board. What it plays is what a click plays (`falaRotulo`: the
    // run speaks labels), or its label by the voice when a click would play nothing. False
    // when nothing was appended.
    bool anota(const TItem& it, bool falaRotulo);
    bool apaga(); // the last entry; false when there was none
    void limpa();

    const QList<EntradaMensagem>& entradas() const { return entradas_; }
    // Every entry's outputs in order: the whole message.
    QList<Saida> mensagemInteira() const;
    // The labels joined by spaces, for another program (entries without one are left out).
    QString texto() const;

private:
    QList<EntradaMensagem> entradas_;
};
