// A board printed on one page or saved as a JPEG on the desktop, drawn off screen through the
// one drawing code: no window is shown and nothing is played.
#pragma once

#include <QSize>

class QPrinter;
class QWidget;

// The size the full preview shows a board at: the screen's working area.
QSize tamanhoDaVisualizacao();
// The print dialog (skipped when `impressora` is given), then one landscape page.
void imprimePranchaIndice(int indice, QSize tamanho, QWidget* pai, QPrinter* impressora = nullptr);
// NOME.jpg on the desktop, told to the user either way.
void gravaPranchaJpg(int indice, QSize tamanho);
