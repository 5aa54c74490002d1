// Printing chosen boards of the open project: one landscape page each, in project order, the
// board's picture inside the margins and a footer with its title and the date, no page after
// the last. One board a step, so the window that runs it stays alive and shows the progress,
// and each board's picture is let go before the next is drawn.
#pragma once

#include "desenho/saida_impressa.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QSize>

class QPrinter;

class TrabalhoDeImpressao {
public:
    // `pranchas`: indices into the project, in any order (repeats and indices of no board are
    // left out); each board is drawn at `tamanho`, the size the print window shows it at.
    TrabalhoDeImpressao(QPrinter& impressora, QList<int> pranchas, QSize tamanho,
                        QDate dia = QDate::currentDate());

    // Starts the job, named "Zelvana"; false when nothing can be printed or written.
    bool comeca();
    // Prints the next board; false when the printer or the file refused the page.
    bool imprimeProxima();
    bool acabou() const { return feitas_ >= pranchas.size(); }
    // Ends the job: true when printed, or when the PDF is whole on disk.
    bool termina();
    // Drops the job, leaving no half file.
    void cancela() { saida.cancela(); }

    int feitas() const { return feitas_; }
    int total() const { return int(pranchas.size()); }
    // The board printed last, as it went on the page (null before the first).
    const QImage& ultimaImagem() const { return ultima; }
    const QString& pdf() const { return saida.pdf(); }

private:
    SaidaImpressa saida;
    QList<int> pranchas;
    QSize tamanho;
    QDate dia;
    int feitas_ = 0;
    QImage ultima;
};
