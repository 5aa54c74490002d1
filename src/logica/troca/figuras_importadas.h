// A package's pictures made into what the boards show: JPEG and BMP stay as they are, anything
// else (PNG, GIF, an SVG drawing) becomes a JPEG on white.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>

// Whether the bytes, or the type the package gives them, say SVG.
bool pareceSvg(const QByteArray& bytes, const QString& tipo);

// The drawing as a JPEG on white, its longer side ladoSvg pixels and its shape the drawing's
// own (or `tamanho`'s, the size the package gives, when the drawing has none). Nothing when it
// does not render.
inline constexpr int ladoSvg = 512;
std::optional<QByteArray> jpegDeSvg(const QByteArray& svg, QSize tamanho);

struct FiguraImportada {
    QByteArray bytes;
    const char* extensao = "jpg"; // "jpg" or "bmp"
};
// A raster picture as the boards take it; nothing when the bytes are no picture Qt reads.
std::optional<FiguraImportada> figuraImportada(const QByteArray& bytes);
