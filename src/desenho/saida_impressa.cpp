#include "desenho/saida_impressa.h"

#include "nucleo/arquivo_seguro.h"
#include "plataforma/pastas.h"

#include <QDateTime>
#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

bool haImpressora() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString pdfNaAreaDeTrabalho(const QString& oque) {
    const QString quando = QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss");
    return QDir(areaDeTrabalhoParaGravar())
        .filePath(QStringLiteral("Zelvana - ") + oque + ' ' + quando + QStringLiteral(".pdf"));
}

void preparaImpressora(QPrinter& impressora, const QString& oque) {
    impressora.setResolution(resolucaoDeImpressao);
    impressora.setPageOrientation(QPageLayout::Landscape);
    if (!haImpressora()) {
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(pdfNaAreaDeTrabalho(oque));
    }
}

SaidaImpressa::SaidaImpressa(QPrinter& impressora) : impressora(impressora) {}

SaidaImpressa::~SaidaImpressa() {
    cancela();
}

bool SaidaImpressa::comeca(const QString& nomeDoTrabalho) {
    QPaintDevice* dispositivo = &impressora;
    if (impressora.outputFormat() == QPrinter::PdfFormat) {
        // Qt's own PDF output would write the file in place, page after page; ours is checked
        // on disk before it takes the name.
        pdf_ = impressora.outputFileName();
        if (pdf_.isEmpty()) pdf_ = pdfNaAreaDeTrabalho(QStringLiteral("impressão"));
        arquivo = std::make_unique<ArquivoSeguro>(pdf_);
        if (!arquivo->abre()) return false;
        escritor = std::make_unique<QPdfWriter>(arquivo->dispositivo());
        escritor->setTitle(nomeDoTrabalho);
        escritor->setCreator(QStringLiteral("Zelvana"));
        escritor->setResolution(impressora.resolution());
        QPageLayout layout = impressora.pageLayout();
        layout.setOrientation(QPageLayout::Landscape);
        escritor->setPageLayout(layout);
        dispositivo = escritor.get();
    } else {
        impressora.setDocName(nomeDoTrabalho);
        impressora.setPageOrientation(QPageLayout::Landscape);
    }
    if (!pintor_.begin(dispositivo)) {
        cancela();
        return false;
    }
    pagina_ = QSize(dispositivo->width(), dispositivo->height());
    return true;
}

bool SaidaImpressa::novaPagina() {
    if (!pintor_.isActive()) return false;
    return escritor ? escritor->newPage() : impressora.newPage();
}

bool SaidaImpressa::termina() {
    if (!pintor_.isActive()) return false;
    bool ok = pintor_.end();
    if (arquivo) {
        escritor.reset();
        ok = arquivo->confirma() && ok;
        arquivo.reset();
    } else {
        ok = ok && impressora.printerState() != QPrinter::Error;
    }
    return ok;
}

void SaidaImpressa::cancela() {
    if (pintor_.isActive()) {
        if (!arquivo) impressora.abort();
        pintor_.end();
    }
    escritor.reset();
    arquivo.reset(); // unconfirmed, it leaves nothing behind
}
