#include "render/imprime_prancha_pagina.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {
int maisProximo(double x) { // a half goes to the even neighbour
    return int(std::nearbyint(x));
}
} // namespace

QRect retanguloDeImpressao(int largura, int altura) {
    const int w8 = largura / 8;
    const int h8 = altura / 8;
    const int esquerda = maisProximo(0.3 * h8);
    const int topo = maisProximo(0.35 * h8);
    const int direita = largura - maisProximo(0.4 * w8);
    const int base = altura - maisProximo(0.5 * h8);
    return QRect(QPoint(esquerda, topo), QPoint(direita - 1, base - 1));
}

bool imprimeImagemNaPagina(QPrinter& impressora, const QImage& imagem) {
    impressora.setPageOrientation(QPageLayout::Landscape);
    impressora.setFullPage(true);
    QPainter pintor;
    if (!pintor.begin(&impressora)) return false;
    const QRect pagina = impressora.pageLayout().fullRectPixels(impressora.resolution());
    pintor.drawImage(retanguloDeImpressao(pagina.width(), pagina.height()), imagem);
    return pintor.end();
}
