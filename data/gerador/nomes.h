// How a word becomes the name of a library picture, and how the library's word list is merged.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file name (without ".jpg") for a word: NFC, accents and letter case kept, characters that
// some common system refuses in a file name removed, blanks collapsed, no trailing dot or blank,
// and the names Windows reserves for devices (CON, NUL, COM1...) given a trailing "_".
// Empty when nothing is left.
QString nomeDeArquivo(const QString& palavra);

enum class Origem { vocabulario, cldr };

// One word that gets a picture: the emoji it shows, and where the word came from.
struct Palavra {
    QString palavra;
    QString emoji;
    Origem origem = Origem::cldr;
};

struct Figura {
    QString palavra;
    QString arquivo; // with ".jpg"
    QString emoji;
    Origem origem = Origem::cldr;
};

struct Montagem {
    QList<Figura> figuras; // sorted by file name
    QStringList erros;     // any error means the library must not be built
    QStringList avisos;    // names that were left out, and why
};

// Merges the core words and the CLDR names into one list of files. A core word takes the file
// of a CLDR name that gives the same file name; two names whose files differ only by letter case
// are an error (they would overwrite each other on a case-insensitive disk); two CLDR names that
// give the same file keep the first.
Montagem montaBiblioteca(const QList<Palavra>& vocabulario, const QList<Palavra>& cldr);

// "U+1F3E0 U+FE0F": the code points of an emoji, as the manifest lists them.
QString codigosDoEmoji(const QString& emoji);
