// How the names in the records are understood wherever they are used: the board a link leads
// to, and the file a sound name stands for. The run, the preview, the drawing for the command
// line and the project check all go through these.
#pragma once

#include <QHash>
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

// A link taken apart, for telling why it leads nowhere.
struct DestinoDoLink {
    bool paraAnterior = false; // "#ANTERIOR"
    QString nome;              // the name looked for, cut from its offset
    int base = -1;             // the board named (the board before, for "#ANTERIOR"); -1: none
    int deslocamento = 0;
    int alvo = -1; // base moved by the offset; -1 when there is no base or it leaves the project
};

// The same look-up as indiceDaPrancha and destinoDoLink, with the names gathered once: for
// answering a link of every item of a large project.
class PranchasPorNome {
public:
    explicit PranchasPorNome(const TProjeto& p);
    int indice(const QString& nome) const;
    DestinoDoLink destino(const QString& link, int pranchaAnterior) const;
    int nPranchas() const { return n; }

private:
    QHash<QString, int> primeira; // name key -> first board with it
    int n = 0;
};

// Why a typed board name cannot be kept; empty when it can. The board file writes a name
// between "[" and "]", so a name holding either would come back cut.
QString problemaNoNomeDePrancha(const QString& nome);

// A file name made from any text (a board's name): never a path, never hidden, never empty —
// "a/b" gives "a_b", ".casa" gives "casa", "" gives `reserva`.
QString nomeDeArquivoSeguro(const QString& texto, const QString& reserva);

// A sound name without a three-letter extension means ".wav".
QString nomeDeSom(const QString& nome);
