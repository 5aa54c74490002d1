// Whether this machine can play or record sound at all. Checked once: Qt never notices an audio
// server that appears later, so the program runs silent for the rest of the process.
#pragma once

bool saidaDeAudioDisponivel();
bool entradaDeAudioDisponivel();
