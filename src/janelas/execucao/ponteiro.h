// The system pointer, kept on the screen, and the clicks made without a mouse.
#pragma once

#include <QPoint>

// Moves the pointer to a global position, clamped to the screen that holds it; gives where it
// was put.
QPoint movePonteiro(QPoint global);

// Moves the pointer there, then delivers a left-button press and release to the widget under
// it, as a mouse would. A modal window keeps the click from the windows under it.
void clicaEm(QPoint global);
