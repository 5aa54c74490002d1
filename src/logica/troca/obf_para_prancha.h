// A board read from the Open Board Format made into one of this program's boards: the grid,
// the labels, colours, pictures, sounds, speech texts and links, and this program's own keys
// when the board came from it.
#pragma once

#include "logica/troca/obf_leitura.h"
#include "nucleo/prvars.h"

#include <QHash>
#include <QMap>
#include <QString>

// What a board's references lead to once the whole package is known.
struct LigacoesObf {
    QHash<QString, QString> pranchaPorId;      // board id -> board name
    QHash<QString, QString> pranchaPorCaminho; // board path in the package -> board name
    QString pranchaInicial;                    // where ":home" leads
    QHash<QString, QString> arquivoDaFigura;   // image id -> file name in the project folder
    QHash<QString, QString> arquivoDoSom;      // sound id -> file name in the project folder
};

// What a board brought in otherwise than its package had it, for the summary.
struct DiferencasDoQuadro {
    int linksRemovidos = 0;   // to a board the package does not hold, or to none
    int coresNaoLidas = 0;    // items left without the colour they were given
    QMap<QString, int> acoes; // items whose action this program does not do, by kind
    DiferencasDoQuadro& operator+=(const DiferencasDoQuadro& outra);
};

// The label a cell keeps, not shown, when its button has none: the board file drops a cell
// without a label.
inline constexpr char16_t rotuloOculto[] = u"sem rótulo";

// The board named `nome`. A board of another program speaks like it did there: its
// vocalization, or its label when it has neither vocalization nor sound nor an action of its
// own (spelling speaks its letters; other actions only their vocalization); an unlabelled
// button keeps an empty label, hidden, so the cell is not lost.
TPrancha pranchaDoQuadro(const QuadroObf& quadro, const QString& nome, const LigacoesObf& lig,
                         DiferencasDoQuadro* diferencas = nullptr);

// The name of the kind of an action, as the summary lists it: "+abc" is spelling.
QString tipoDeAcao(const QString& acao);
// An action this program does itself: going to the start board, going back.
bool acaoConhecida(const QString& acao);

// Whether the board carries this program's own keys (it was written by this program).
bool quadroDoPrograma(const QuadroObf& quadro);
