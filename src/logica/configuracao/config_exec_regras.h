// The execution settings' rules, free of widgets: how the four time boxes are stored into the
// project, and how incoherent times are brought into line.
#pragma once

#include "nucleo/opcoes_acesso.h"

#include <QString>

struct TProjeto;

// The four time boxes as typed: scanning, click filter, help press, automatic click.
struct TextosDosTempos {
    QString varredura;
    QString histerese;
    QString socorro;
    QString autoClique;
};

enum class ResultadoDosTempos {
    invalido,  // a box is not a whole number; the boxes before it were stored
    corrigido, // stored, and the rules changed at least one value
    coerente,  // stored as typed
};

// What each time box accepts, in ms: 0 (off) up to these.
constexpr qint32 maxVarredura = 60000;
constexpr qint32 maxHisterese = 60000;
constexpr qint32 maxSocorro = 120000;
constexpr qint32 maxAutoClique = 10000;

// The message of a number refused: the window's general sentence, then the box and the range it
// accepts ("… : Tempo de auto-clique deve estar entre 0 e 10000 ms").
QString avisoNumeroInvalido(const QString& campo, qint32 maximo, const QString& unidade = {});

// Stores each box, in the order above, as a whole number within its range (blanks at both ends
// allowed) into its field, and stops at the first box that is not one, with its message in
// `erro`. When all four are stored, applies tornaTemposCoerentes.
ResultadoDosTempos guardaTempos(TProjeto& p, const TextosDosTempos& textos,
                                QString* erro = nullptr);

// The four rules, in order, on the stored times; true when any of them changed a value:
// 1. scanning below 500 ms (but not 0) becomes 2000;
// 2. a click filter below 200 ms (but not 0) becomes 1000;
// 3. a help time (not 0) that is not above scanning + 500 becomes scanning + 1000;
// 4. scanning and automatic click exclude each other: with scanning on, the latter becomes 0.
bool tornaTemposCoerentes(TProjeto& p);

// The "Mais opções…" window: the options as chosen, with the pause and the number of passes as
// typed. Empty (and `destino` replaced) when they can be stored, else the message to show and
// `destino` untouched.
QString guardaOpcoesAcesso(TProjeto& destino, TOpcoesAcesso escolhidas, const QString& pausa,
                           const QString& voltas);
