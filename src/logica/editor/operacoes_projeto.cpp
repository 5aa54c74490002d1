#include "logica/editor/operacoes_projeto.h"

void iniciaPrancha(TProjeto& p, int i, const QString& nome) {
    TPrancha& b = p.pranchas[i];
    b = TPrancha{};
    b.nome = nome;
    b.titulo = nome;
    b.nColunas = 3;
    b.nLinhas = 3;
    b.cor = semCor;
}

void iniciaItem(TPrancha& prancha, int j, const QString& nome) {
    TItem& it = prancha.itens[j];
    it = TItem{};
    it.rotulo = nome;
    it.cor = semCor;
    it.posTexto = TPosVertical::cima;
    it.dimTexto = 36;
    it.dimMoldura = TDimMoldura::sem;
}

int inserePranchaNoProjeto(TProjeto& p, int selecionada, const QString& nome) {
    const int pos = (selecionada >= 0 && selecionada < p.nPranchas()) ? selecionada + 1 : 0;
    p.pranchas.insert(pos, TPrancha{});
    iniciaPrancha(p, pos, nome);
    return pos;
}

int insereItemNaPrancha(TPrancha& prancha, int selecionado, const QString& nome) {
    const int pos = (selecionado >= 0 && selecionado < prancha.itens.size()) ? selecionado + 1 : 0;
    prancha.itens.insert(pos, TItem{});
    iniciaItem(prancha, pos, nome);
    return pos;
}

void copiaPranchaAnterior(TProjeto& p, int destino) {
    if (destino < 1 || destino >= p.nPranchas()) return;
    const TPrancha& origem = p.pranchas[destino - 1];
    TPrancha& b = p.pranchas[destino];
    b.nColunas = origem.nColunas;
    b.nLinhas = origem.nLinhas;
    b.cor = origem.cor;
    b.som = origem.som;
    b.link = origem.link;
    b.fala = origem.fala;
    b.itens = origem.itens;
}

void copiaItemAnterior(TPrancha& prancha, int destino) {
    if (destino < 1 || destino >= prancha.itens.size()) return;
    const TItem origem = prancha.itens[destino - 1];
    TItem& it = prancha.itens[destino];
    const QString rotulo = it.rotulo;
    it = origem;
    it.rotulo = rotulo;
    if (origem.figura.isEmpty()) it.figura = origem.rotulo;
}

bool trocaPranchas(TProjeto& p, int i, int k) {
    if (i < 0 || k < 0 || i >= p.nPranchas() || k >= p.nPranchas()) return false;
    p.pranchas.swapItemsAt(i, k);
    return true;
}

bool trocaItens(TPrancha& prancha, int i, int k) {
    const int n = int(prancha.itens.size());
    if (i < 0 || k < 0 || i >= n || k >= n) return false;
    prancha.itens.swapItemsAt(i, k);
    return true;
}

bool removePranchaDoProjeto(TProjeto& p, int i) {
    if (i < 0 || i >= p.nPranchas()) return false;
    p.pranchas.removeAt(i);
    return true;
}

bool removeItemDaPrancha(TPrancha& prancha, int j) {
    if (j < 0 || j >= prancha.itens.size()) return false;
    prancha.itens.removeAt(j);
    return true;
}

void removeTodasAsPranchas(TProjeto& p) {
    limpaPranchas(p);
}

EstadoBotoes estadoBotoes(int nPranchasNaLista, int nItensNaLista, bool pranchaSelecionada) {
    EstadoBotoes e;
    e.novaPrancha = true;
    e.comandosPrancha = nPranchasNaLista > 0;
    e.comandosItem = nItensNaLista > 0;
    e.novoItem = nItensNaLista > 0 ? pranchaSelecionada : true;
    return e;
}
