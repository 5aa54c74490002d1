// Windows-1252 at the file boundary.
#pragma once

#include <QByteArray>
#include <QString>

QString deCp1252(const QByteArray& bytes);
// A character the code page cannot hold, and any control character, becomes "?";
// `trocados` (when given) counts them.
QByteArray paraCp1252(const QString& texto, int* trocados = nullptr);
