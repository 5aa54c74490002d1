#include "desenho/trabalho_impressao.h"

#include "desenho/desenho.h"
#include "desenho/imprime_prancha_pagina.h"
#include "nucleo/prvars.h"

#include <algorithm>

TrabalhoDeImpressao::TrabalhoDeImpressao(QPrinter& impressora, QList<int> escolhidas, QSize tamanho,
                                         QDate dia)
    : saida(impressora), pranchas(std::move(escolhidas)), tamanho(tamanho), dia(dia) {
    const int n = projeto.nPranchas();
    pranchas.removeIf([n](int i) { return i < 0 || i >= n; });
    std::sort(pranchas.begin(), pranchas.end());
    pranchas.erase(std::unique(pranchas.begin(), pranchas.end()), pranchas.end());
}

bool TrabalhoDeImpressao::comeca() {
    return saida.comeca(QStringLiteral("Zelvana"));
}

bool TrabalhoDeImpressao::imprimeProxima() {
    if (acabou()) return true;
    if (feitas_ > 0 && !saida.novaPagina()) return false;
    const TPrancha& b = projeto.pranchas[pranchas[feitas_]];
    // The previous picture goes before this one is drawn: one board in memory at a time.
    ultima = QImage();
    ultima = desenhaPranchaImagem(b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, tamanho);
    pintaPaginaDePrancha(saida.pintor(), saida.pagina(), ultima, rodapeDaPrancha(b.titulo, dia));
    ++feitas_;
    return true;
}

bool TrabalhoDeImpressao::termina() {
    ultima = QImage();
    return saida.termina();
}
