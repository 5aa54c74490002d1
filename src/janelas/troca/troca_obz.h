// The editor's Open Board Format commands: the project to an .obz, the selected board to an
// .obf, and a package into a new project folder. Each asks where, does it and says how it went.
#pragma once

#include "nucleo/prvars.h"

#include <QString>

// The project as the editor holds it, its pictures and sounds read from `pasta`.
void exportaProjetoParaObz(const TProjeto& projeto, const QString& pasta);
void exportaPranchaParaObf(const TProjeto& projeto, int prancha, const QString& pasta);
// A package into a new folder beside `pasta` (the open project's) or where the user chooses;
// the open project is not touched. Gives the new folder, or empty.
QString importaObzParaNovaPasta(const QString& pasta);
