#include "runner/imprime_tela.h"

#include "model/avisos.h"
#include "platform/pastas.h"

#include <QDateTime>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <cmath>

namespace {

int arredondaPar(double v) {
    return int(std::nearbyint(v));
} // halves to even

} // namespace

QString imprimeTela(QWidget* janela) {
    if (!janela) return {};
    const QPixmap imagem = janela->grab();
    const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    QPrinter impressora(QPrinter::HighResolution);
    QString pdf;
    if (!padrao.isNull()) {
        impressora.setPrinterName(padrao.printerName());
    } else {
        const QString pasta = areaDeTrabalhoParaGravar();
        pdf = QDir(pasta).filePath(
            QStringLiteral("Zelvana - prancha %1.pdf")
                .arg(QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss")));
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(pdf);
    }
    impressora.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    if (!p.begin(&impressora)) {
        avisoErro(QStringLiteral("Não foi possível imprimir a prancha"));
        return {};
    }
    const QRect pagina = impressora.pageLayout().paintRectPixels(impressora.resolution());
    const int ph = pagina.height(), pw = pagina.width();
    const int a = ph / 8, b = pw / 8;
    const QRect destino(QPoint(arredondaPar(a * 0.3), arredondaPar(a * 0.35)),
                        QPoint(pw - arredondaPar(b * 0.4), ph - arredondaPar(a * 0.5)));
    p.drawPixmap(destino, imagem);
    p.end();
    if (!pdf.isEmpty())
        mensagemRapida(QStringLiteral("Sem impressora: a prancha foi salva em ") + pdf, 4000);
    return pdf;
}
