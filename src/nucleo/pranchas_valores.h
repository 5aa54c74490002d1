// How the board file writes and reads each value: whole numbers, colours, the board's shape,
// label sizes, dates, and the trimming every value gets.
#pragma once

#include "nucleo/ini.h"
#include "nucleo/prvars.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace detalhe {
inline unsigned codigo(QChar c) {
    return c.unicode();
}
inline unsigned codigo(char c) {
    return uchar(c);
}
template <typename Vista> Vista semBrancosNasPontas(Vista v) {
    qsizetype a = 0;
    qsizetype b = v.size();
    while (a < b && codigo(v[a]) <= 0x20)
        ++a;
    while (b > a && codigo(v[b - 1]) <= 0x20)
        --b;
    return v.sliced(a, b - a);
}
} // namespace detalhe

// Cuts blanks and control characters (everything up to U+0020) at both ends, nothing else:
// U+00A0 is a character the user typed.
inline QStringView semBrancosNasPontas(QStringView texto) {
    return detalhe::semBrancosNasPontas(texto);
}
// The same on the file's bytes: every byte of Windows-1252 up to 0x20 is the character of that
// code, and no other byte decodes to one.
inline QByteArrayView semBrancosNasPontas(QByteArrayView bytes) {
    return detalhe::semBrancosNasPontas(bytes);
}
// One key's text with blanks and control characters removed at both ends; empty when the key
// name is empty or the key is absent.
QString leChave(const ArquivoIni& arquivo, const QString& secao, const QString& chave);

// A board file holds an item by its label line: an item whose label is blank but which holds
// something else (picture, link, sound, speech, program, colour) keeps a hidden label instead —
// its speech text, else its picture's, sound's or link's name, else "sem rótulo". An item with
// nothing at all, or with a label, comes back unchanged.
TItem comRotuloOculto(TItem it);

// An optionally signed decimal, or hexadecimal after "$" or "0x"; nothing else.
bool leInteiro(QStringView texto, qint32& valor);
// A colour name (any case) or a whole integer; empty gives semCor.
bool leCor(QStringView texto, TColor& cor);
// The item form: a colour name when there is one, else "$" and eight hex digits.
QString textoCor(TColor cor);
// The same in ASCII, without a QString: a name, or the digits written into `espaco`.
const char* textoCor(TColor cor, char (&espaco)[10]);
// A board larger than this is taken as an unreadable MODELO: no screen shows it, and it would
// make a damaged file eat all memory.
constexpr qint32 maxLinhasColunas = 1000;
constexpr qint32 maxItens = 10000;
// "12X3", "3x4", any one character between the numbers.
bool leModelo(QStringView texto, qint32& linhas, qint32& colunas);
// Label size from "PEQUENO", "MÉDIO"/"MEDIO", "GRANDE" or a whole integer; 36 otherwise.
qint32 dimensaoTexto(QStringView texto);
// "dd/mm/yyyy hh:mm:ss"; only the date at exactly midnight.
QString textoData(const QDateTime& momento);

// The same rules for a QString or a literal.
inline bool leInteiro(const QString& texto, qint32& valor) {
    return leInteiro(QStringView(texto), valor);
}
inline bool leCor(const QString& texto, TColor& cor) {
    return leCor(QStringView(texto), cor);
}
inline bool leModelo(const QString& texto, qint32& linhas, qint32& colunas) {
    return leModelo(QStringView(texto), linhas, colunas);
}
inline qint32 dimensaoTexto(const QString& texto) {
    return dimensaoTexto(QStringView(texto));
}
