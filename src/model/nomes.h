// How the names in the records are understood wherever they are used: the board a link leads
// to, and the file a sound name stands for. The run, the preview, the drawing for the command
// line and the project check all go through these.
#pragma once

#include <QString>
#include <QStringList>

struct TProjeto;

// A trailing "+n" / "-n" cut from a link text (the cut text is not trimmed again).
struct Deslocado {
    QString texto;
    int deslocamento = 0;
};
Deslocado separaDeslocamento(const QString& texto);

// "#ANTERIOR", in any case, with or without an offset: the board shown before.
bool linkParaAnterior(const QString& link);
// The first board whose name, without blanks at its ends, is nome in any case; -1 when none.
int indiceDaPrancha(const TProjeto& p, const QString& nome);
// Where a link leads: the named board (or the board before, for "#ANTERIOR") moved by the
// offset; -1 when no board is named so or the offset leaves the project.
int destinoDoLink(const TProjeto& p, const QString& link, int pranchaAnterior);

// The boards' names in project order, as the lists of boards show them.
QStringList nomesDasPranchas(const TProjeto& p);

// A sound name without a three-letter extension means ".wav".
QString nomeDeSom(const QString& nome);
