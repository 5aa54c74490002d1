// Finding and decoding item pictures, at the size they are shown.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class ArquivosDaPasta;

// The file an item's picture comes from: its picture name, that name + ".jpg", or else its label
// + ".jpg" (a board transcribed from text finds its pictures by label); empty when none is there.
// Names are searched with "?" and "*" as wildcards, which are then taken out of the name.
QString resolveFigura(const QString& figura, const QString& rotulo,
                      const ArquivosDaPasta& arquivos);
// The same in the current folder, which is the project folder while a project is open.
QString resolveFigura(const QString& figura, const QString& rotulo);

enum class EstadoFigura {
    legivel,      // a JPEG or BMP picture the drawing shows
    outroFormato, // shown, but neither JPEG nor BMP (another program may not show it)
    ilegivel,     // not a picture, or damaged: the item is drawn without it
};
// Decodes the file as the drawing would (small, so it costs little).
EstadoFigura examinaFigura(const QString& caminho);
// The same for many files, shared among the cores; the answers in the files' order.
QList<EstadoFigura> examinaFiguras(const QStringList& caminhos);

struct FiguraLida {
    QImage imagem; // null when the file is missing or cannot be decoded
    QRect destino; // the fitted picture inside the area (area coordinates)
};
// Reads the file (relative to the current folder) decoded straight at its fitted size.
FiguraLida leFiguraAjustada(const QString& arquivo, QSize area);
