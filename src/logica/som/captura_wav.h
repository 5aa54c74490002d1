// Records the default audio input straight into a WAV file, one recording at a time.
// Driven by polling: the caller collects the filled buffers every 100 ms or so.
#pragma once

#include <QString>

constexpr int gravacaoPronta = 0;
constexpr int erroArquivoGravacao = -1;
// Any other result of iniciaGravacao is the audio system's error (a QAudio::Error value).

// Opens the input and creates the file with a placeholder header. Gives gravacaoPronta,
// erroArquivoGravacao, or the audio error; on failure nothing is left open.
int iniciaGravacao(const QString& nomeArquivo, int taxa, int bits, int canais, int nBuffers,
                   int tamBuffer);
// Starts the capture after a successful iniciaGravacao.
void comecaCaptura();
// Writes the buffers already filled, in ring order; false when a write failed.
bool coletaBuffers();
// Stops, writes what is left and the final header; true when every write succeeded.
bool terminaGravacao();
bool gravacaoAberta();
