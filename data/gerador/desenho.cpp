#include "desenho.h"

#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

namespace {

// The size of the font's own colour bitmaps: drawing at it copies them without resampling,
// so the one scaling to the final size is the only one.
constexpr int tamanhoNativo = 109;
constexpr int margem = 10;

QRect areaDesenhada(const QImage& img) {
    int esq = img.width(), dir = -1, topo = img.height(), base = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(linha[x]) > 8) {
                esq = std::min(esq, x);
                dir = std::max(dir, x);
                topo = std::min(topo, y);
                base = std::max(base, y);
            }
    }
    return dir < 0 ? QRect() : QRect(QPoint(esq, topo), QPoint(dir, base));
}

} // namespace

DesenhaEmoji::DesenhaEmoji(const QString& fonte) {
    const int id = QFontDatabase::addApplicationFont(fonte);
    if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
        familia = QFontDatabase::applicationFontFamilies(id).first();
}

QImage DesenhaEmoji::desenha(const QString& emoji) const {
    QFont fonte(familia);
    fonte.setPixelSize(tamanhoNativo);
    // Without merging, a sequence the font cannot draw as one picture shows up as several
    // glyphs or as glyph 0 instead of borrowing from another font.
    fonte.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferQuality));

    QTextLayout layout(emoji, fonte);
    layout.beginLayout();
    QTextLine linha = layout.createLine();
    layout.endLayout();
    if (!linha.isValid()) return {};
    const QList<QGlyphRun> corridas = layout.glyphRuns();
    if (corridas.size() != 1 || corridas.first().glyphIndexes().size() != 1 ||
        corridas.first().glyphIndexes().first() == 0)
        return {};

    QImage solto(tamanhoNativo * 3, tamanhoNativo * 3, QImage::Format_ARGB32_Premultiplied);
    solto.fill(Qt::transparent);
    {
        QPainter p(&solto);
        p.setRenderHint(QPainter::Antialiasing);
        p.drawGlyphRun(QPointF(tamanhoNativo, tamanhoNativo * 2), corridas.first());
    }
    const QRect area = areaDesenhada(solto);
    if (area.isEmpty()) return {};
    const int cabe = ladoDaFigura - 2 * margem;
    const QImage ajustada =
        solto.copy(area).scaled(cabe, cabe, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage final(ladoDaFigura, ladoDaFigura, QImage::Format_RGB32);
    final.fill(Qt::white);
    QPainter p(&final);
    p.drawImage((ladoDaFigura - ajustada.width()) / 2, (ladoDaFigura - ajustada.height()) / 2,
                ajustada);
    return final;
}

QImage desenhaFiguraVazia() {
    QImage img(ladoDaFigura, ladoDaFigura, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor traco(0xB0, 0xB8, 0xC0);
    const QColor fundo(0xEE, 0xF1, 0xF4);
    const QRectF moldura(30, 45, 140, 110);
    p.setPen(QPen(traco, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fundo);
    p.drawRoundedRect(moldura, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(traco);
    p.drawEllipse(QPointF(130, 80), 12, 12);
    QPainterPath montes;
    montes.moveTo(38, 147);
    montes.lineTo(80, 95);
    montes.lineTo(108, 128);
    montes.lineTo(125, 110);
    montes.lineTo(162, 147);
    montes.closeSubpath();
    p.drawPath(montes);
    return img;
}

bool gravaJpeg(const QImage& imagem, const QString& arquivo) {
    QImageWriter w(arquivo, "jpeg");
    w.setQuality(88);
    w.setOptimizedWrite(false);
    w.setProgressiveScanWrite(false);
    return w.write(imagem.convertToFormat(QImage::Format_RGB888));
}

bool temDesenho(const QImage& imagem) {
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((linha[x] & 0xFFFFFF) != 0xFFFFFF) return true;
    }
    return false;
}
