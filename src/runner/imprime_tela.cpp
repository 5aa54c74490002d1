#include "runner/imprime_tela.h"

#include "model/arquivo_seguro.h"
#include "model/avisos.h"
#include "platform/pastas.h"

#include <QDateTime>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <cmath>

namespace {

int arredondaPar(double v) {
    return int(std::nearbyint(v));
} // halves to even

// The picture stretched over a landscape page with the run's margins.
template <class Pagina> bool pintaNaPagina(Pagina& pagina, const QPixmap& imagem) {
    pagina.setPageOrientation(QPageLayout::Landscape);
    QPainter p;
    if (!p.begin(&pagina)) return false;
    const QRect area = pagina.pageLayout().paintRectPixels(pagina.resolution());
    const int ph = area.height(), pw = area.width();
    const int a = ph / 8, b = pw / 8;
    const QRect destino(QPoint(arredondaPar(a * 0.3), arredondaPar(a * 0.35)),
                        QPoint(pw - arredondaPar(b * 0.4), ph - arredondaPar(a * 0.5)));
    p.drawPixmap(destino, imagem);
    return p.end();
}

} // namespace

QString imprimeTela(QWidget* janela) {
    if (!janela) return {};
    const QPixmap imagem = janela->grab();
    const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    if (!padrao.isNull()) {
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setPrinterName(padrao.printerName());
        if (!pintaNaPagina(impressora, imagem))
            avisoErro(QStringLiteral("Não foi possível imprimir a prancha"));
        return {};
    }
    const QString pdf =
        QDir(areaDeTrabalhoParaGravar())
            .filePath(QStringLiteral("Zelvana - prancha %1.pdf")
                          .arg(QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss")));
    ArquivoSeguro arquivo(pdf);
    bool ok = arquivo.abre();
    if (ok) {
        QPdfWriter escritor(arquivo.dispositivo());
        escritor.setResolution(QPrinter(QPrinter::HighResolution).resolution());
        ok = pintaNaPagina(escritor, imagem);
    }
    if (!ok || !arquivo.confirma()) {
        avisoErro(QStringLiteral("Não foi possível gravar o arquivo ") + pdf);
        return {};
    }
    mensagemRapida(QStringLiteral("Sem impressora: a prancha foi salva em ") + pdf, 4000);
    return pdf;
}
