// The starter vocabulary shipped beside the program, copied into a new project's folder so the
// author begins from ready boards and changes them freely.
#pragma once

#include "logica/acoplamento/copia_pasta.h"

#include <QString>

// Where the starter vocabulary is: the folder "vocabulario_inicial" beside the program.
QString pastaDoVocabularioInicial();

// Copies every file of the starter vocabulary into destino. A board file already there is first
// kept as pranchas.bak, as a save would keep it; when that cannot be done nothing is copied and
// `recusa` says so.
ResultadoCopia copiaVocabularioInicial(const QString& destino);
