// Records the default audio input straight into a WAV file, one recording at a time.
// Driven by polling: the caller collects the filled buffers every 100 ms or so.
#pragma once

#include <QString>

constexpr int gravacaoPronta = 0;
constexpr int erroArquivoGravacao = -1;
constexpr int semMicrofone = -2; // the machine has no audio input at all
// Any other result of iniciaGravacao is the audio system's error (a QAudio::Error value).

// Opens the input and creates the file with a placeholder header. Gives gravacaoPronta,
// erroArquivoGravacao, or the audio error; on failure nothing is left open.
int iniciaGravacao(const QString& nomeArquivo, int taxa, int bits, int canais, int nBuffers,
                   int tamBuffer);
// Why a recording could not start, as the user is told; empty for gravacaoPronta.
QString mensagemDoInicio(int resultado);
// Starts the capture after a successful iniciaGravacao.
void comecaCaptura();
// Writes the buffers already filled, in ring order; false when a write failed.
bool coletaBuffers();
// Frames written so far by the recording under way (or the last one).
qint64 quadrosGravados();

enum class FimDaGravacao { gravada, semSom, erroEscrita };
// Stops and writes what is left and the final header. The recording replaces the named file
// only when it holds sound and every write succeeded; otherwise the previous file stays.
FimDaGravacao terminaGravacao();
// What the user is told; empty for a recording kept.
QString mensagemDoFim(FimDaGravacao fim);
bool gravacaoAberta();
