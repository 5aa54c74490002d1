// A drawn board on a landscape page: where its picture and its footer lie, and the one-page
// print of a single picture.
#pragma once

#include <QDate>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class QPrinter;

// The rectangle the picture is stretched into on a W × H page (printer pixels); the left
// margin comes from the page height, like the top and bottom ones.
QRect retanguloDeImpressao(int largura, int altura);
// The top left corner of the footer's line: x as the picture's left edge, 80 pixels above the
// bottom of the page.
QPoint posicaoDoRodape(int largura, int altura);
// "Zelvana - TITLE - date", the date in the system's short format (Brazil's when the system
// has no regional setting).
QString rodapeDaPrancha(const QString& titulo, const QDate& dia);

// The picture stretched over the page's rectangle and, unless empty, the footer under it.
void pintaPaginaDePrancha(QPainter& pintor, QSize pagina, const QImage& imagem,
                          const QString& rodape = {});
// One page with the picture and no footer, on `impressora` as the print dialog left it. False
// when it could not be printed or written; `pdf` gets the file when it went to a PDF.
bool imprimeImagemNumaPagina(QPrinter& impressora, const QImage& imagem, QString& pdf);
