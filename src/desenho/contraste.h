// Colours that stand out from what lies behind them, by the contrast ratio of relative
// luminances (3 : 1 is the usual floor for marks that are not text).
#pragma once

#include "desenho/desenho.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QVector>

constexpr double contrasteMinimo = 3.0;

double razaoDeContraste(const QColor& a, const QColor& b);

// The pixels of `imagem`, whose top left lies at `origem`, outside `dentro` (same coordinates).
QVector<QRgb> pixelsForaDe(const QImage& imagem, const QPoint& origem, const QRect& dentro);

// The pixels of a drawn board as painted, without anything lying over it, inside `fora` and
// outside `dentro` (surface coordinates).
QVector<QRgb> pixelsDoDesenho(const TPranchaGraf& graf, const QRect& fora,
                              const QRect& dentro = {});

// Red, yellow, black or white, the first whose contrast with every colour of `tambem` and with
// all but a sliver of `atras` reaches contrasteMinimo; when none does, the one that falls short
// on the fewest pixels.
QColor corQueSeDestaca(const QVector<QRgb>& atras, const QList<QColor>& tambem = {});
