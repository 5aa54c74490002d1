// Board layout as pure integer arithmetic: cells, frames, labels, picture areas and fit.
#pragma once

#include "nucleo/prvars.h"

#include <QRect>
#include <QSize>
#include <QString>

// Nearest integer to num/den, a half going to the even neighbour (den > 0).
qint64 arredondaPar(qint64 num, qint64 den);

// Cell i of an nl x nc grid on a W x H surface under a title strip T pixels high; both edges
// included (QRect's own convention). Empty when the grid has no rows or columns.
QRect calculaCelula(int i, int W, int H, int nl, int nc, int T, bool deslocHoriz);

// Point size of a font that is `tamanho` points on a surface as high as the screen.
int pontosDaFonte(int alturaSuperficie, int tamanho, int alturaTela);
// Pixel height of a font of `pontos` points on a screen of `ppp` pixels per inch.
int pixelsDaFonte(int pontos, double ppp);

int alturaTitulo(const QString& titulo, int H, int pixelsFonte);
int larguraMoldura(TDimMoldura dim, int larguraCelula);
int alturaLegenda(int alturaCelula, int pixelsFonte);
// Label box inside a w x h cell with frame f.
QRect caixaLegenda(TPosVertical pos, int w, int h, int f, int alturaLeg);
// Picture area inside a w x h cell; alturaLeg is 0 when no label is shown.
QRect areaFigura(TPosVertical pos, int w, int h, int f, int alturaLeg);
// Largest rectangle of the picture's proportions inside the area, centred (area coordinates).
QRect ajustaFigura(QSize figura, QSize area);
