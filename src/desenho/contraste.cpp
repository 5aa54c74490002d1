#include "desenho/contraste.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace {

double linear(int canal) {
    const double c = canal / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminancia(QRgb c) {
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double razao(double la, double lb) {
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// A photograph's stray pixels must not rule out every colour.
constexpr double parcelaTolerada = 0.02;

} // namespace

double razaoDeContraste(const QColor& a, const QColor& b) {
    return razao(luminancia(a.rgb()), luminancia(b.rgb()));
}

QVector<QRgb> pixelsForaDe(const QImage& imagem, const QPoint& origem, const QRect& dentro) {
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> r;
    r.reserve(rgb.width() * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (!dentro.contains(origem + QPoint(x, y))) r.append(linha[x]);
    }
    return r;
}

QVector<QRgb> pixelsDoDesenho(const TPranchaGraf& graf, const QRect& fora, const QRect& dentro) {
    if (!graf.criada || !fora.isValid()) return {};
    QImage imagem(fora.size(), QImage::Format_RGB32);
    imagem.fill(graf.cor);
    {
        QPainter p(&imagem);
        p.translate(-fora.topLeft());
        pintaPranchaGraf(p, graf);
    }
    return pixelsForaDe(imagem, fora.topLeft(), dentro);
}

QColor corQueSeDestaca(const QVector<QRgb>& atras, const QList<QColor>& tambem) {
    static const QColor candidatas[] = {Qt::red, Qt::yellow, Qt::black, Qt::white};
    // Luminance per distinct colour: a board is a handful of colours, a photograph more.
    QHash<QRgb, int> contagem;
    for (const QRgb c : atras)
        ++contagem[c & 0xFFFFFF];
    QColor melhor = candidatas[0];
    qint64 menosFalhas = -1;
    for (const QColor& cand : candidatas) {
        const double l = luminancia(cand.rgb());
        bool recusada = false;
        for (const QColor& t : tambem)
            recusada = recusada || razao(l, luminancia(t.rgb())) < contrasteMinimo;
        qint64 falhas = 0;
        for (auto it = contagem.cbegin(); it != contagem.cend(); ++it)
            if (razao(l, luminancia(it.key())) < contrasteMinimo) falhas += it.value();
        if (recusada) falhas += atras.size() + 1;
        if (!recusada && falhas <= atras.size() * parcelaTolerada) return cand;
        if (menosFalhas < 0 || falhas < menosFalhas) {
            menosFalhas = falhas;
            melhor = cand;
        }
    }
    return melhor;
}
