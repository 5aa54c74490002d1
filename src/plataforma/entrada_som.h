// The default audio input, opened for one recording at a time; the recorder reads what it has
// captured from its device.
#pragma once

class QIODevice;

namespace entradaDeSom {
// Opens and starts the input in this format: signed samples of 16 or 32 bits, unsigned of 8.
// Gives 0, or the audio system's error (a QAudio::Error value); on error nothing stays open.
int abre(int taxa, int bits, int canais);
// What the input has captured so far, to be read; null when it is not capturing.
QIODevice* dispositivo();
// Stops capturing; what it had captured stays to be read until fecha().
void para();
void fecha();
bool aberta();
} // namespace entradaDeSom
