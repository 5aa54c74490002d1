// Finding and decoding item pictures, at the size they are shown.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

QString resolveFigura(const QString& figura, const QString& rotulo);

struct FiguraLida {
    QImage imagem; // null when the file is missing or cannot be decoded
    QRect destino; // the fitted picture inside the area (area coordinates)
};
// Reads the file (relative to the current folder) decoded straight at its fitted size.
FiguraLida leFiguraAjustada(const QString& arquivo, QSize area);
