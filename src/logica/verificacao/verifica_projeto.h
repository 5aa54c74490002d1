// The project check: what would fail in front of the person using the boards, or be lost at the
// next save, found at the desk. Widget-free; the editor lists the findings and the command line
// prints them.
#pragma once

#include <QList>
#include <QString>

struct TProjeto;

enum class TipoAchado {
    linkSemPrancha,           // a link (an item's or the board's) names no board
    linkForaDoProjeto,        // its offset leads past the first or the last board
    pranchaInicialSemPrancha, // the start board names no board: no run can start
    pranchaSocorroSemPrancha, // the help board names no board
    figuraAusente,            // the picture named is not there, nor one named after the label
    figuraIlegivel,           // the picture file is damaged, or neither JPEG nor BMP
    somAusente,               // a sound, or a speech file, is not there
    somIlegivel,              // a sound file that cannot be played
    programaAusente,          // the program an item starts cannot be found
    pranchaInalcancavel,      // no path of links leads to the board from the start board
    nomesParecidos,           // two board names differ only by letter case or blanks
    itemForaDaGrade,          // an item past rows × columns: not shown, dropped by a save
    itemSemConteudo,          // an item that shows neither label nor picture
    itemSemRotulo,            // an item with no label text: a save drops it
    textoForaDoCp1252,        // a text the board file cannot hold: saved with "?"
    temposIncoerentes,        // run times the execution settings would change
    acessoSemEfeito,          // a way to select set that the run would not use
};

struct Achado {
    TipoAchado tipo;
    int prancha = -1; // the board; -1: the project's settings
    int item = -1;    // the item of that board; -1: the board itself
    QString texto;    // one Portuguese sentence, with where and what
};

// Every finding, the project's settings first, then board by board and item by item. `pasta`
// is the project folder, listed once; no file in it is read twice.
QList<Achado> verificaProjeto(const TProjeto& p, const QString& pasta);

// Only the items that the next save drops because they lie past their board's grid.
QList<Achado> itensForaDaGrade(const TProjeto& p);
