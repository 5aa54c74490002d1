// A board printed on one page or saved as a JPEG on the desktop, drawn off screen through the
// one drawing code: no window is shown and nothing is played.
#pragma once

#include <QSize>

// The size the full preview shows a board at: the screen's working area.
QSize tamanhoDaVisualizacao();
// The print dialog, then one landscape page.
void imprimePranchaIndice(int indice, QSize tamanho);
// NOME.jpg on the desktop, told to the user either way.
void gravaPranchaJpg(int indice, QSize tamanho);
