// An .obz package or a single .obf board made, in memory, into a project: its boards, settings
// and the files (pictures and sounds) its folder is to hold. Nothing here touches the disk;
// anything wrong with the package stops it with one Portuguese sentence.
#pragma once

#include "nucleo/prvars.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

struct ProjetoDoPacote {
    QString erro; // empty when the package was read
    TProjeto projeto;
    // Files of the project folder: bare name and bytes (pranchas.pra not among them).
    QList<QPair<QString, QByteArray>> arquivos;
    int figuras = 0;
    int sons = 0;
    // Pictures and sounds the package only points to (an address, a symbol set, a drawing this
    // program does not show) or that it names but does not hold: the items keep their labels.
    int figurasNaoTrazidas = 0;
    int sonsNaoTrazidos = 0;
    // Items that start a program: said so the user can check them before a run.
    int itensQueExecutam = 0;
};

// The bytes of an .obz (zip) or an .obf (JSON); which one is told by the bytes themselves.
ProjetoDoPacote lePacote(const QByteArray& bytes, const QDateTime& agora);

// A file name safe to write in a project folder: no folder part, no "..", nothing hidden,
// nothing the board file cannot hold; empty when nothing is left of it.
QString nomeDeArquivoSeguro(const QString& nome);
