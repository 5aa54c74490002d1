// A board read from the Open Board Format made into one of this program's boards: the grid,
// the labels, colours, pictures, sounds, speech texts and links, and this program's own keys
// when the board came from it.
#pragma once

#include "logica/troca/obf_leitura.h"
#include "nucleo/prvars.h"

#include <QHash>
#include <QString>

// What a board's references lead to once the whole package is known.
struct LigacoesObf {
    QHash<QString, QString> pranchaPorId;      // board id -> board name
    QHash<QString, QString> pranchaPorCaminho; // board path in the package -> board name
    QString pranchaInicial;                    // where ":home" leads
    QHash<QString, QString> arquivoDaFigura;   // image id -> file name in the project folder
    QHash<QString, QString> arquivoDoSom;      // sound id -> file name in the project folder
};

// The board named `nome`. A board of another program speaks like it did there: its
// vocalization, or its label when it has neither vocalization nor sound; an unlabelled button
// keeps a label of its own, not shown, so the cell is not lost.
TPrancha pranchaDoQuadro(const QuadroObf& quadro, const QString& nome, const LigacoesObf& lig);

// Whether the board carries this program's own keys (it was written by this program).
bool quadroDoPrograma(const QuadroObf& quadro);
