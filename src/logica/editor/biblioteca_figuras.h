// The pictogram library beside the program, as the picker and the transcription see it.
// Listed once, at first use, so start-up does not wait for a folder of two thousand files.
#pragma once

#include <QString>
#include <QStringList>

// The library's folder: the program's data folder + "/ARASAAC_mini".
const QString& bibliotecaFiguras();
// The names of its ".jpg" pictures (any case) without the extension, in the order the folder
// gave them; pictures added later are seen at the next start.
const QStringList& listaFiguras();
// The same names upper-cased as the picker and the transcription compare them (accents kept),
// computed once.
const QStringList& listaFigurasMaiusculas();
// The upper-casing those comparisons use.
QString maiusculas(const QString& texto);

// For tests: lists `pasta` instead of the library beside the program, at the next use.
void usaBibliotecaFiguras(const QString& pasta);
