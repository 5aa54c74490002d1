// One board of the Open Board Format read from its JSON, in memory: what the board holds, as
// plain values, before anything is looked up in a package or written to a folder. Reading
// never fails silently: a board that cannot be taken gives the reason in Portuguese.
#pragma once

#include "nucleo/prvars.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// A picture or a sound a board names: where its bytes are (a path inside the package, or the
// bytes themselves from a data URI) or that they are elsewhere (a URL, a symbol set).
struct MidiaObf {
    QString id;
    QString caminho;  // "path"
    QByteArray dados; // decoded "data"
    bool temDados = false;
    QString tipo;         // "content_type", or the data URI's type
    bool externa = false; // has a "url" or a "symbol": elsewhere when not in the package
    QSize tamanho;        // "width", "height"
    QString arquivo;      // the file name this program gave it (ext_zelvana_arquivo)
};

struct BotaoObf {
    QString id;
    QString rotulo;          // "label"
    QString fala;            // "vocalization"
    QString figuraId;        // "image_id"
    QString somId;           // "sound_id"
    TColor cor = semCor;     // "background_color"
    bool corNaoLida = false; // a background colour was given in a form not understood
    bool oculto = false;     // "hidden"
    bool temLink = false;
    QString linkId, linkCaminho, linkNome; // "load_board"
    QStringList acoes;                     // "action" and "actions"
    QJsonObject proprias;                  // every ext_zelvana_ key
};

struct QuadroObf {
    QString id;
    QString nome;
    QString idioma; // "locale"
    int linhas = 0;
    int colunas = 0;
    // linhas × colunas button ids, row by row; empty for a cell with none.
    QStringList celulas;
    QHash<QString, BotaoObf> botoes;
    QList<MidiaObf> figuras;
    QList<MidiaObf> sons;
    QJsonObject proprias; // every ext_zelvana_ key of the board
};

struct QuadroLido {
    QuadroObf quadro;
    QString erro; // empty when the board was read
};

// A grid larger than the board file takes is cut to it.
QuadroLido leQuadroObf(const QByteArray& json);

// A colour as other programs write it: "rgb(r, g, b)" or "rgba(r, g, b, a)" (channels as
// numbers or percentages), "#rgb", "#rgba", "#rrggbb", "#rrggbbaa" or a CSS colour name; the
// alpha blended over white. Nothing for anything else.
std::optional<TColor> leCorObf(const QString& texto);
// The colour as "rgb(r, g, b)".
QString textoCorObf(TColor cor);

struct DadosUri {
    QString tipo;
    QByteArray bytes;
};
// "data:TYPE;base64,...." (or without base64, percent-encoded); nothing when it is not one.
std::optional<DadosUri> leDadosUri(const QString& texto);

// The prefix of this program's own keys and actions.
inline constexpr char prefixoProprio[] = "ext_zelvana_";
// One of our own keys: "autor" gives "ext_zelvana_autor".
inline QString proprio(const char* chave) {
    return QLatin1String(prefixoProprio) + QLatin1String(chave);
}
