// The board file pranchas.pra as bytes: a project read from them and a project written to them.
// Neither touches the disk, the globals or the user: the callers decide what to tell.
#pragma once

#include "nucleo/prvars.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

struct PranchasLidas {
    TProjeto projeto;
    // Boards whose MODELO or a colour could not be read and took a default, in file order.
    QStringList consertadas;
    // Bytes that are not blank yet hold no section: not a board file at all.
    bool semSecoes = false;
    // The file begins with [CONFIG]. Without it the project's settings (flags, times, first
    // and help boards) are the record's defaults, and the caller may keep the ones it had.
    bool comConfig = false;
};

// Reads the bytes of a pranchas.pra. `agora` dates a file that has no DATA.
PranchasLidas lePranchas(const QByteArray& bytes, const QDateTime& agora);

struct PranchasEscritas {
    QByteArray bytes;
    // Characters the file cannot hold (emojis, control characters), written as "?".
    int trocados = 0;
};

// The bytes of pranchas.pra for the project, line by line in the file's fixed order.
PranchasEscritas textoPranchas(const TProjeto& projeto);

// Copies the settings [CONFIG] holds besides author, date and information: what a load of a
// file without [CONFIG] keeps from the project it replaces.
void copiaAjustes(const TProjeto& de, TProjeto& para);
