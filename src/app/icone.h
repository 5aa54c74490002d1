// The program's picture, drawn rather than shipped: a speech balloon over a small board.
#pragma once

#include <QIcon>
#include <QPixmap>

QPixmap iconeDoPrograma(int lado);
// The help button's picture, drawn too: asking the desktop's icon theme for one costs the start
// window a third of its build.
QIcon iconeDeAjuda(int lado);
