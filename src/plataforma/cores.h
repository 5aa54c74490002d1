// The colours of the program's own windows ($00BBGGRR, turned into QColor by corDeTColor).
#pragma once

#include "nucleo/prvars.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor azulDoPainel = 0xFF9010;

// Paints a widget's background in a colour, and its text in another when one is given.
inline void pintaFundo(QWidget* w, const QColor& fundo, const QColor& texto = QColor()) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, fundo);
    if (texto.isValid()) pal.setColor(QPalette::WindowText, texto);
    w->setPalette(pal);
}
