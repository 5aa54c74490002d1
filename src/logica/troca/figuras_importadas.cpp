#include "logica/troca/figuras_importadas.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <functional>

namespace {

QByteArray jpegSobreBranco(const QImage& imagem, const QSize& tamanho,
                           const std::function<void(QPainter&)>& desenha) {
    QImage branco(tamanho, QImage::Format_RGB32);
    branco.fill(Qt::white);
    {
        QPainter pintor(&branco);
        if (!imagem.isNull())
            pintor.drawImage(0, 0, imagem);
        else
            desenha(pintor);
    }
    QByteArray dados;
    QBuffer saida(&dados);
    saida.open(QIODevice::WriteOnly);
    branco.save(&saida, "JPEG", 90);
    return dados;
}

} // namespace

bool pareceSvg(const QByteArray& bytes, const QString& tipo) {
    return tipo.contains(QLatin1String("svg"), Qt::CaseInsensitive) ||
           bytes.left(2048).contains("<svg");
}

std::optional<QByteArray> jpegDeSvg(const QByteArray& svg, QSize tamanho) {
    QSvgRenderer desenho;
    if (!desenho.load(svg) || !desenho.isValid()) return std::nullopt;
    QSizeF forma = desenho.viewBoxF().size();
    if (forma.isEmpty()) forma = desenho.defaultSize();
    if (forma.isEmpty()) forma = tamanho;
    if (forma.isEmpty()) forma = QSizeF(1, 1);
    const QSize lado = forma.scaled(ladoSvg, ladoSvg, Qt::KeepAspectRatio).toSize();
    const QSize final(qMax(1, lado.width()), qMax(1, lado.height()));
    return jpegSobreBranco({}, final, [&](QPainter& p) { desenho.render(&p); });
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
    return FiguraImportada{jpegSobreBranco(imagem, imagem.size(), {}), "jpg"};
}
