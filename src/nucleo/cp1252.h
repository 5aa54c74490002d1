// Windows-1252 at the file boundary.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Every byte is one character.
QString deCp1252(QByteArrayView bytes);
// The same into memory that has room for bytes.size() units.
void deCp1252(QByteArrayView bytes, char16_t* destino);
// The character of one byte.
char16_t caractereCp1252(uchar byte);
// A character the code page cannot hold, and any control character (line ends too: a
// value must stay on its line), becomes "?";
// `trocados` (when given) counts them.
QByteArray paraCp1252(const QString& texto, int* trocados = nullptr);
// The same, written at the end of `destino` (no buffer of its own: a whole file is built so).
void acrescentaCp1252(QByteArray& destino, QStringView texto, int* trocados = nullptr);
// The same into memory that has room for texto.size() bytes; gives the bytes written.
qsizetype escreveCp1252(QStringView texto, char* destino, int* trocados = nullptr);
// How many "?" the text would become in the file (0: it is kept as it is).
int trocasEmCp1252(QStringView texto);
