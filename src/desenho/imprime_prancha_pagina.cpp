#include "desenho/imprime_prancha_pagina.h"

#include "desenho/saida_impressa.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
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

QPoint posicaoDoRodape(int /*largura*/, int altura) {
    return QPoint(maisProximo(0.3 * (altura / 8)), altura - 80);
}

QString rodapeDaPrancha(const QString& titulo, const QDate& dia) {
    // A system with no regional setting (the C locale) would name the month in English.
    const QLocale sistema = QLocale::system().language() == QLocale::C
                                ? QLocale(QLocale::Portuguese, QLocale::Brazil)
                                : QLocale::system();
    return QStringLiteral("Zelvana - ") + titulo + QStringLiteral(" - ") +
           sistema.toString(dia, QLocale::ShortFormat);
}

void pintaPaginaDePrancha(QPainter& pintor, QSize pagina, const QImage& imagem,
                          const QString& rodape) {
    pintor.drawImage(retanguloDeImpressao(pagina.width(), pagina.height()), imagem);
    if (rodape.isEmpty()) return;
    // A page's default type: the program's font at 8 points of the printer.
    QFont fonte = pintor.font();
    fonte.setPointSize(8);
    pintor.setFont(fonte);
    pintor.setPen(Qt::black);
    const QPoint canto = posicaoDoRodape(pagina.width(), pagina.height());
    pintor.drawText(canto + QPoint(0, pintor.fontMetrics().ascent()), rodape);
}

bool imprimeImagemNumaPagina(QPrinter& impressora, const QImage& imagem, QString& pdf) {
    SaidaImpressa saida(impressora);
    if (!saida.comeca(QStringLiteral("Zelvana"))) {
        pdf = saida.pdf();
        return false;
    }
    pdf = saida.pdf();
    pintaPaginaDePrancha(saida.pintor(), saida.pagina(), imagem);
    return saida.termina();
}
