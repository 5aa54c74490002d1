// Reading the generator's inputs: the core vocabulary, Unicode's emoji list and CLDR's names.
#pragma once

#include "nomes.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The emoji a picture may show, in the order of Unicode's emoji-test.txt: every fully-qualified
// emoji and component except the skin-tone variants (each person appears once, in the default
// colour). `qualificado` maps an emoji written without U+FE0F to its fully-qualified form.
struct ListaDeEmoji {
    QStringList emoji;
    QHash<QString, QString> qualificado;
};
bool leListaDeEmoji(const QString& emojiTest, ListaDeEmoji& lista, QString& erro);

// The core vocabulary (word TAB category TAB emoji TAB fit); words whose fit is "none" are
// left out. Emoji are qualified through `lista`.
bool leVocabulario(const QString& arquivo, const ListaDeEmoji& lista, QList<Palavra>& saida,
                   QString& erro);

// CLDR short names ("tts" annotations) keyed by the emoji without U+FE0F. A name found in an
// earlier file is kept over a later one.
bool leNomesCldr(const QStringList& arquivos, QHash<QString, QString>& nomes, QString& erro);

// The CLDR name of every emoji of `lista` that has one, in the list's order.
QList<Palavra> palavrasCldr(const ListaDeEmoji& lista, const QHash<QString, QString>& nomes);
