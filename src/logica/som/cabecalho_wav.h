// The canonical 44-byte header of a PCM WAV file, shared by the capture and the sound editor.
#pragma once

#include <QtGlobal>

constexpr int tamCabecalhoWav = 44;

// Fills 44 bytes at `destino`, little-endian, for `tamanhoDados` bytes of samples.
void montaCabecalhoWav(char* destino, quint32 taxa, quint16 bits, quint32 tamanhoDados,
                       quint16 canais);
