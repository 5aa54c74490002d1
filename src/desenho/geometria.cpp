#include "geometria.h"

#include <cmath>

qint64 arredondaPar(qint64 num, qint64 den) {
    const bool negativo = (num < 0);
    const qint64 n = negativo ? -num : num;
    qint64 q = n / den;
    const qint64 r2 = (n % den) * 2;
    if (r2 > den || (r2 == den && (q % 2) != 0)) ++q;
    return negativo ? -q : q;
}

QRect calculaCelula(int i, int W, int H, int nl, int nc, int T, bool deslocHoriz) {
    if (nl <= 0 || nc <= 0 || i < 0) return {};
    const int mx = int(arredondaPar(qint64(W) * 10, qint64(100) * nc));
    const int my = int(arredondaPar(qint64(H) * 10, qint64(100) * nl));
    const int topoGrade = (T != 0) ? T : my;
    const int linha = i / nc;
    const int coluna = i % nc;
    const qint64 wu = W - mx;
    const qint64 hu = H - topoGrade;
    int esquerda = mx + int(arredondaPar(coluna * wu, nc));
    int direita = int(arredondaPar((coluna + 1) * wu, nc));
    const int topo = topoGrade + int(arredondaPar(linha * hu, nl));
    const int base = topoGrade + int(arredondaPar((linha + 1) * hu, nl)) - my;
    if (deslocHoriz) {
        const int s = (direita - esquerda) / 2;
        esquerda += s;
        direita += s;
    }
    return QRect(QPoint(esquerda, topo), QPoint(direita, base));
}

int pontosDaFonte(int alturaSuperficie, int tamanho, int alturaTela) {
    if (alturaTela <= 0) return 0;
    return int(qint64(alturaSuperficie) * tamanho / alturaTela);
}

int pixelsDaFonte(int pontos, double ppp) {
    return int(std::floor(pontos * ppp / 72.0 + 0.5));
}

int alturaTitulo(const QString& titulo, int H, int pixelsFonte) {
    return titulo.isEmpty() ? 0 : H / 30 + pixelsFonte;
}

int larguraMoldura(TDimMoldura dim, int larguraCelula) {
    switch (dim) {
    case TDimMoldura::fina:
        return 1;
    case TDimMoldura::media:
        return 2 * larguraCelula / 100;
    case TDimMoldura::grossa:
        return 3 * larguraCelula / 50;
    case TDimMoldura::sem:
        break;
    }
    return 0;
}

int alturaLegenda(int alturaCelula, int pixelsFonte) {
    return alturaCelula / 60 + pixelsFonte;
}

QRect caixaLegenda(TPosVertical pos, int w, int h, int f, int alturaLeg) {
    int topo = f;
    if (pos == TPosVertical::baixo)
        topo = h - alturaLeg - f;
    else if (pos == TPosVertical::meio)
        topo = (h - alturaLeg) / 2;
    return QRect(f, topo, w - 2 * f, alturaLeg);
}

QRect areaFigura(TPosVertical pos, int w, int h, int f, int alturaLeg) {
    const int m = h * 3 / 100;
    QRect area(f + m, f + m, w - 2 * (f + m), h - 2 * (f + m));
    if (pos == TPosVertical::baixo)
        area.setHeight(area.height() - alturaLeg);
    else if (pos == TPosVertical::cima)
        area.setTop(area.top() + alturaLeg);
    return area;
}

QRect ajustaFigura(QSize figura, QSize area) {
    const qint64 pw = figura.width(), ph = figura.height();
    const qint64 aw = area.width(), ah = area.height();
    if (pw <= 0 || ph <= 0 || aw <= 0 || ah <= 0) return {};
    qint64 largura, altura;
    // q = pw / ph, so aw / q = aw * ph / pw and ah * q = ah * pw / ph.
    if (pw > ph) {
        largura = aw;
        altura = aw * ph / pw;
        if (altura > ah) {
            altura = ah;
            largura = ah * pw / ph;
        }
    } else {
        altura = ah;
        largura = ah * pw / ph;
        if (largura > aw) {
            largura = aw;
            altura = aw * ph / pw;
        }
    }
    return QRect(int((aw - largura) / 2), int((ah - altura) / 2), int(largura), int(altura));
}
