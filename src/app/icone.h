// The program's picture, drawn rather than shipped: a speech balloon over a small board.
#pragma once

#include <QPixmap>

QPixmap iconeDoPrograma(int lado);
