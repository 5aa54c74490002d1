// The scratchpad's text made into boards and items of the project: a line "[casa]" names a new
// board, any other line is the label of an item of the board named last, and the settings say
// what each new record gets (picture from the library, sound name, speech, links, looks).
#pragma once

#include "logica/rascunho/config_rascunho.h"
#include "nucleo/prvars.h"

#include <QStringList>
#include <optional>

// The library as the picture lookup walks it: its names and the same names upper-cased, in the
// same order.
struct FigurasDaBiblioteca {
    QStringList nomes;
    QStringList maiusculas;
};
// The pictogram library beside the program.
FigurasDaBiblioteca figurasDaBiblioteca();

// The library picture for a label: the name equal to it in any case, else the last name in list
// order that begins with it and is one character longer (casa finds casas, not casarão).
// Gives the file name ("casas.jpg"), or empty when no name fits.
QString achaFiguraParaRotulo(const QString& rotulo, const FigurasDaBiblioteca& figuras);

// Gives a board whose grid is too small for its items a grid that holds them all.
void ajustaModelo(TPrancha& prancha);

// Whether a board line of the text names a board the project already has (in any case).
bool haPranchaDuplicada(const TProjeto& projeto, const QStringList& linhas);

struct Transcricao {
    TProjeto projeto;
    // The pictures the new items name ("casa.jpg"), each once, in the order first named: they
    // belong in the project folder, copied from the library unless the folder has them.
    QStringList figuras;
    // The board that took the item lines written before any board line; empty when none were.
    QString recebeuItensSoltos;
};

// The first board line of the text whose name a board cannot have, with why; empty when none.
QString problemaNasLinhasDePrancha(const QStringList& linhas);

// The lines, as typed, transcribed into `projeto`: new boards after the old ones (the first one
// becoming the start and help board where the project has none), item lines before any board
// line going to the project's last board, every grid made to hold its items, items linked to
// the boards their labels name and "voltar" back to the previous board. A board named again
// is folded into the first board of its name, keeping the items it does not have yet.
// Nothing when the text names a board the project has and agregaDuplicatas is false.
std::optional<Transcricao> transcreveRascunho(TProjeto projeto, const QStringList& linhas,
                                              const ConfigRascunho& config,
                                              const FigurasDaBiblioteca& figuras,
                                              bool agregaDuplicatas);
