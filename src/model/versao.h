// The program's version, as every window and the board file show it.
#pragma once

#include <QString>

// "1.4a": the about box and the start window show it; a board file with no INFO gets
// "Zelvana " followed by it.
inline QString textoVersao() {
    return QStringLiteral("1.4a");
}
