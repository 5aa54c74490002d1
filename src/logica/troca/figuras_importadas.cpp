#include "logica/troca/figuras_importadas.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QByteArray jpegSobreBranco(const QImage& imagem) {
    QImage branco(imagem.size(), QImage::Format_RGB32);
    branco.fill(Qt::white);
    {
        QPainter pintor(&branco);
        pintor.drawImage(0, 0, imagem);
    }
    QByteArray dados;
    QBuffer saida(&dados);
    saida.open(QIODevice::WriteOnly);
    branco.save(&saida, "JPEG", 90);
    return dados;
}

// The size of the drawing's viewBox, the shape it is drawn in; empty when it gives none.
QSizeF tamanhoDoViewBox(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (!xml.isStartElement()) return {};
    static const QRegularExpression separador(QStringLiteral("[\\s,]+"));
    // Kept while its parts are read: they are views into it.
    const QXmlStreamAttributes atributos = xml.attributes();
    const QList<QStringView> partes =
        atributos.value(QLatin1String("viewBox")).split(separador, Qt::SkipEmptyParts);
    if (partes.size() != 4) return {};
    return QSizeF(partes[2].toDouble(), partes[3].toDouble());
}

} // namespace

bool pareceSvg(const QByteArray& bytes, const QString& tipo) {
    return tipo.contains(QLatin1String("svg"), Qt::CaseInsensitive) ||
           bytes.left(2048).contains("<svg");
}

std::optional<QByteArray> jpegDeSvg(const QByteArray& svg, QSize tamanho) {
    // Drawn by Qt's SVG image plugin, which is loaded only when a package brings a drawing.
    QByteArray dados = svg;
    QBuffer buffer(&dados);
    QImageReader leitor(&buffer, "svg");
    QSizeF forma = tamanhoDoViewBox(svg);
    if (forma.isEmpty()) forma = leitor.size(); // its width and height
    if (forma.isEmpty()) forma = tamanho;
    if (forma.isEmpty()) forma = QSizeF(1, 1);
    const QSize lado = forma.scaled(ladoSvg, ladoSvg, Qt::KeepAspectRatio).toSize();
    const QSize final(qMax(1, lado.width()), qMax(1, lado.height()));
    leitor.setScaledSize(final);
    const QImage desenho = leitor.read();
    if (desenho.isNull()) return std::nullopt;
    return jpegSobreBranco(desenho);
}

std::optional<FiguraImportada> figuraImportada(const QByteArray& bytes) {
    QByteArray dados = bytes;
    QBuffer buffer(&dados);
    QImageReader leitor(&buffer);
    const QByteArray formato = leitor.format();
    const QImage imagem = leitor.read();
    if (imagem.isNull()) return std::nullopt;
    if (formato == "jpeg") return FiguraImportada{bytes, "jpg"};
    if (formato == "bmp") return FiguraImportada{bytes, "bmp"};
    return FiguraImportada{jpegSobreBranco(imagem), "jpg"};
}
