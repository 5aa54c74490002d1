// The pictures of the boards drawn lately, kept decoded at the size they were drawn, so that a
// board seen again goes up without reading its files. A picture is taken from here only while
// its file keeps the time and size it had when read: one changed on disk is read again.
#pragma once

#include "figura.h"

// What the pictures kept may take at most; the least recently drawn go first. 150 MB hold about
// 20 full-screen boards of 48 photos (7 MB each).
constexpr qint64 limiteFigurasRecentes = 150 * 1024 * 1024;

// leFiguraAjustada, answered from the pictures kept when this file, unchanged, was read at this
// size. Safe from several threads at once.
FiguraLida leFiguraRecente(const QString& arquivo, QSize area);
// The bytes the pictures kept take now.
qint64 bytesFigurasRecentes();
