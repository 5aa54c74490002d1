// Plays a WAV image held in memory (the sound editor's play) and stops it. Returns at once;
// without an audio output nothing plays and nothing waits.
#pragma once

#include <QByteArray>

// `imagem` is a WAV file's bytes (the editor's canonical header and samples); it is copied.
void tocaImagemWav(const QByteArray& imagem);
void paraSomMemoria();
bool somMemoriaTocando();
