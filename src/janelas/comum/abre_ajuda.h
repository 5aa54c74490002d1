// Opens the program's help beside the program, in whatever this machine opens it with.
#pragma once

#include <QString>

class QDialog;

// Shows a message and returns false when there is no help or nothing can open it.
bool abreAjuda();
// The help page in a window of the program's own, for a machine without a browser.
QDialog* mostraAjudaAqui(const QString& caminho);
