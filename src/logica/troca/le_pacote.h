// An .obz package or a single .obf board made, in memory, into a project: its boards, settings
// and the files (pictures and sounds) its folder is to hold. Nothing here touches the disk;
// anything wrong with the package stops it with one Portuguese sentence.
#pragma once

#include "logica/troca/obf_para_prancha.h"
#include "nucleo/prvars.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

// What a package brought into the project and what it left out, for the summary.
struct ContasDoPacote {
    // Files written into the project folder: only those an item (or a board) uses.
    int figuras = 0;
    int sons = 0;
    // Pictures the items use that did not come: given only by a web address or a symbol set
    // (never fetched), named without being in the package, or SVG drawings that do not render.
    int figurasPorEndereco = 0;
    int figurasAusentes = 0;
    int figurasSvgRuins = 0;
    int sonsNaoTrazidos = 0; // by address only, or named without being in the package
    // Items that start a program: said so the user can check them before a run.
    int itensQueExecutam = 0;
    DiferencasDoQuadro diferencas; // links removed, colours not read, actions not done
};

struct ProjetoDoPacote : ContasDoPacote {
    QString erro; // empty when the package was read
    TProjeto projeto;
    // Files of the project folder: bare name and bytes (pranchas.pra not among them).
    QList<QPair<QString, QByteArray>> arquivos;
};

// The run settings of a project whose package does not carry this program's own: the boards of
// other programs are used with a mouse or a finger, so nothing moves or waits by itself (no
// scanning, no dead time after a click, no dwell click, no jump on a long press).
void ajustesDeMouse(TProjeto& p);

// The bytes of an .obz (zip) or an .obf (JSON); which one is told by the bytes themselves.
ProjetoDoPacote lePacote(const QByteArray& bytes, const QDateTime& agora);

// A file name safe to write in a project folder: no folder part, no "..", nothing hidden,
// nothing the board file cannot hold; empty when nothing is left of it.
QString nomeDeArquivoSeguro(const QString& nome);
