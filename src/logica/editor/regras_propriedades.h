// The rules of the board and item property dialogs that need no window: the letter sizes, the
// grid boxes, and which library pictures the picker lists for the letters typed.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A letter-size box read as a whole number from 8 to 400; 8 for anything else.
int tamanhoLetras(const QString& texto);
// The entries of the letter-size group: "PEQUENAS", "MÉDIAS", "GRANDES" and "Outras...".
inline constexpr int entradaOutras = 3;
// The entry of a size: 18, 36 and 72 have their own; any other size is "Outras...".
int entradaDeTamanho(int tamanho);
// The size an entry writes into the box; 0 for "Outras...", which writes nothing.
int tamanhoDaEntrada(int entrada);

// A grid box (rows or columns) read as a whole number brought into 1..20; `anterior` when the
// box holds no number at all.
int leDimensaoGrade(const QString& texto, int anterior);

// The positions in `nomesMaiusculos` (the library names upper-cased as maiusculas() does) of the
// names the picker lists for `iniciais`: nothing for blank letters; one letter lists only the
// picture named by that letter; two or more list the names that begin with them.
QList<int> filtraFiguras(const QStringList& nomesMaiusculos, const QString& iniciais);
// For each name, its place in alphabetical order as a reader of Portuguese sorts (accents and
// letter case second), so a filter's result can be listed in that order.
QList<int> posicoesAlfabeticas(const QStringList& nomes);
