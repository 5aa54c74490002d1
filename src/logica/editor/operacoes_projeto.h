// The editor's changes to the project record, apart from any window: new records, inserting,
// duplicating, moving and removing boards and items, and which buttons a state enables.
#pragma once

#include "nucleo/prvars.h"

#include <QString>

// Board i, or item j of board i, gets the values of a freshly created record.
void iniciaPrancha(TProjeto& p, int i, const QString& nome);
void iniciaItem(TPrancha& prancha, int j, const QString& nome);

// Inserts a new board just below `selecionada` (at 0 when nothing is selected, -1) and gives
// its index.
int inserePranchaNoProjeto(TProjeto& p, int selecionada, const QString& nome);
// Same for an item of the board.
int insereItemNaPrancha(TPrancha& prancha, int selecionado, const QString& nome);

// The board at `destino`, just inserted, takes everything but its name and title from the
// board before it.
void copiaPranchaAnterior(TProjeto& p, int destino);
// The item at `destino`, just inserted, takes everything but its label from the item before
// it; an empty picture name becomes the source's label, so the copy shows the same picture.
void copiaItemAnterior(TPrancha& prancha, int destino);

// Exchanges two entries; false (nothing changed) when either index is outside the list.
bool trocaPranchas(TProjeto& p, int i, int k);
bool trocaItens(TPrancha& prancha, int i, int k);

bool removePranchaDoProjeto(TProjeto& p, int i);
bool removeItemDaPrancha(TPrancha& prancha, int j);
// Discards every board; the settings and the start and help board names stay.
void removeTodasAsPranchas(TProjeto& p);

struct EstadoBotoes {
    bool novaPrancha = true;
    bool comandosPrancha = false; // Duplicar, Editar, Para cima, Para baixo, Remover
    bool novoItem = false;
    bool comandosItem = false;
};
EstadoBotoes estadoBotoes(int nPranchasNaLista, int nItensNaLista, bool pranchaSelecionada);
