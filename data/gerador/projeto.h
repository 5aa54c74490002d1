// A project shipped with the program (the sample, the starter vocabulary), in the build tree: its
// own files plus the library pictures it names.
#pragma once

#include <QString>

// Copies every file of `origem` into `destino`, then every picture that its pranchas.pra names
// (FIGURA keys) from `biblioteca`. Fails, with `erro`, when a named picture is not there.
bool montaProjeto(const QString& origem, const QString& biblioteca, const QString& destino,
                  QString& erro);
