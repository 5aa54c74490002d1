// Where printed pages go: the printer the author chose, or a PDF. A PDF — asked for in the print
// dialog, or put on the desktop when the machine has no printer — is written through the safe
// write, so it is either whole or not there at all.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>
#include <memory>

class ArquivoSeguro;
class QPdfWriter;
class QPrinter;

// Pages are laid out in printer pixels of this resolution: the footer, 80 pixels above the
// bottom of the printable area, then has room for its line.
constexpr int resolucaoDeImpressao = 600;

// Whether the machine has any printer at all.
bool haImpressora();
// "Zelvana - <oque> <date and time>.pdf" in the desktop folder (made if the account has none).
QString pdfNaAreaDeTrabalho(const QString& oque);
// Readies a printer for the print dialog: landscape, the resolution above, and, when the machine
// has no printer, a PDF on the desktop named after `oque`, which the dialog then shows.
void preparaImpressora(QPrinter& impressora, const QString& oque);

class SaidaImpressa {
public:
    // The pages go where `impressora` points, as the print dialog left it.
    explicit SaidaImpressa(QPrinter& impressora);
    ~SaidaImpressa();
    SaidaImpressa(const SaidaImpressa&) = delete;
    SaidaImpressa& operator=(const SaidaImpressa&) = delete;

    // Names the job, sets landscape and starts the first page; false when nothing can be written.
    bool comeca(const QString& nomeDoTrabalho);
    QPainter& pintor() { return pintor_; }
    // The printable area in device pixels (W × H); the painter's origin is its top left corner.
    QSize pagina() const { return pagina_; }
    bool novaPagina();
    // Ends the job: true only when it went to the printer or the PDF is whole on disk.
    bool termina();
    // Drops the job: a printer job is aborted, a PDF leaves nothing behind.
    void cancela();

    // The PDF being written, empty when the pages go to a printer.
    const QString& pdf() const { return pdf_; }

private:
    QPrinter& impressora;
    QString pdf_;
    std::unique_ptr<ArquivoSeguro> arquivo;
    std::unique_ptr<QPdfWriter> escritor;
    QPainter pintor_;
    QSize pagina_;
};
