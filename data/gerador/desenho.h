// Drawing the pictures: an emoji from the colour emoji font, centred on white, and the
// placeholder shown for an item whose picture is missing.
#pragma once

#include <QImage>
#include <QString>

constexpr int ladoDaFigura = 200;

class DesenhaEmoji {
public:
    // `fonte`: the colour emoji font file. Needs a QGuiApplication.
    explicit DesenhaEmoji(const QString& fonte);
    bool pronto() const { return !familia.isEmpty(); }

    // 200 x 200 RGB on white; a null image when the font has no single glyph for the emoji
    // (it would come out as a row of separate pieces or a blank box).
    QImage desenha(const QString& emoji) const;

private:
    QString familia;
};

// The placeholder: a light picture frame with a mountain and a sun, clearly "no picture yet".
QImage desenhaFiguraVazia();

// Baseline JPEG, three components, fixed quality: the same image always gives the same bytes.
bool gravaJpeg(const QImage& imagem, const QString& arquivo);

// True when some pixel is not white.
bool temDesenho(const QImage& imagem);
