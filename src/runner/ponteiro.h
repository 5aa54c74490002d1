// The system pointer, kept on the screen.
#pragma once

#include <QPoint>

// Moves the pointer to a global position, clamped to the screen that holds it.
void movePonteiro(QPoint global);
