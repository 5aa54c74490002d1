// Tells the user, once per process, that this machine has no sound output.
#pragma once

#include <QString>

extern const QString textoSemSaidaDeAudio;

// True when sound can be played; otherwise shows the notice the first time and answers false.
bool saidaDeAudioOuAvisa();
