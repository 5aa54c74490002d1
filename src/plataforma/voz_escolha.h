// The voice the machine's user chose, kept in the user's configuration folder: it belongs to
// the computer and its speaker, not to any project, so no board file holds it.
#pragma once

#include "plataforma/voz_espeak.h"

#include <QString>

// The file that keeps it ("voz.ini" in the program's configuration folder).
QString arquivoEscolhaDeVoz();
// At start-up: hands the kept choice to the synthesizer (the Brazilian voice when there is
// none or it cannot be read).
void carregaEscolhaDeVoz();
// Hands the choice to the synthesizer and keeps it for the next starts; false, after telling
// the user, when the file could not be written.
bool guardaEscolhaDeVoz(const sintetizador::EscolhaDeVoz& escolha);
