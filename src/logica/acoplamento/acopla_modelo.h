// A model merged into a project: another project folder's media copied into this one and its
// boards appended to this one's pranchas.pra, a board whose name the project already has
// renamed (CASA -> CAS-A -> CAS--A) and the model's links to it following the new name. A
// project's own file is never replaced: a model file of the same name and other bytes comes in
// as banana-2.jpg, and the model's boards name it so. The project is then read again from its
// folder. Widget-free: the caller shows what happened.
#pragma once

#include "logica/acoplamento/copia_pasta.h"
#include "nucleo/prvars.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Whether a section line ("[CASA]", blanks around it allowed) names a board of the first
// p.nPranchas() boards, letter case ignored (accented letters too).
bool nomeExiste(const QString& linha, const TProjeto& p);

struct Renomeacao {
    QString de;   // the board's name in the model
    QString para; // its name in the project
};

struct LinhasAcopladas {
    QByteArray bytes; // the project's pranchas.pra with the model's boards after it, CR LF
    QList<Renomeacao> renomeadas;
    // "Prancha com nome duplicado: [CASA]", once for each clash, in the order met.
    QStringList avisos;
    int pranchas = 0;       // boards taken from the model
    int linksSeguidos = 0;  // model links rewritten to a renamed board
    int midiasSeguidas = 0; // FIGURA, SOM and FALA entries rewritten to a renamed file
};

// Model file name -> the name it takes in the project.
using MidiasRenomeadas = QHash<QString, QString>;

// The board files as lines: the project's lines kept as they are, then an empty line, the
// separator, an empty line and the model's lines from its first board on (its header and
// [CONFIG] left out), renamed against `p`. Pure: no disk, no user.
// A picture named by a renamed file, or found by the item's label, is named by its new name.
LinhasAcopladas acoplaLinhas(const QByteArray& doProjeto, const QByteArray& doModelo,
                             const TProjeto& p, const MidiasRenomeadas& midias = {});

// What to do with the model's files against the project folder: a file the project lacks is
// copied as it is; one with the same bytes is left; one with other bytes takes a free name.
struct PlanoDeMidias {
    QStringList copiar;     // model names, in order
    MidiasRenomeadas novos; // those copied under another name
    QStringList iguais;     // already in the project, byte for byte
};
PlanoDeMidias planejaMidias(const QString& origem, const QString& destino,
                            const QStringList& nomes);

struct ResultadoAcoplamento {
    // Not empty: nothing was copied or changed, and this says why.
    QString recusa;
    // The media copied (everything of the model's folder but its board file and backup).
    ResultadoCopia copia;
    PlanoDeMidias midias;
    LinhasAcopladas linhas;
    // Not empty: the media were copied but the board file was not written, and this says why.
    QString erro;
    // pranchas.pra was replaced (its first version kept as pranchas.bak) and read again.
    bool gravado = false;
};

// Why `origem` cannot be merged into `destino`; empty when it can. The same folder, a folder
// without pranchas.pra ("Arquivo de pranchas não foi achado"), or one whose pranchas.pra holds
// no board, is refused before anything is copied.
QString recusaModelo(const QString& origem, const QString& destino);

// Merges the model folder `origem` into the project folder `destino`, checking names against
// the project in memory, and then reads `projeto` again from `destino`. A copy failure asks
// whether to go on (the boards are merged either way).
ResultadoAcoplamento acoplaModelo(const QString& origem, const QString& destino);

// The one message that ends a merge: boards brought, renamed, files renamed or left alone.
QString textoFimDoAcoplamento(const ResultadoAcoplamento& r);

// Whether `p` differs from what its folder's pranchas.pra holds, as a save would write it: a
// merge reads the project again from the file, so these changes would be lost.
bool projetoDifereDoArquivo(const TProjeto& p, const QString& pasta);
