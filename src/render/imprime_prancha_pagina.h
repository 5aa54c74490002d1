// One drawn board on one landscape page.
#pragma once

#include <QImage>
#include <QRect>

class QPrinter;

// The rectangle the picture is stretched into on a W × H page (printer pixels); the left
// margin comes from the page height, like the top and bottom ones.
QRect retanguloDeImpressao(int largura, int altura);
// Sets landscape, prints the picture stretched into that rectangle as one page.
bool imprimeImagemNaPagina(QPrinter& impressora, const QImage& imagem);
