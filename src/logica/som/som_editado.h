// The sound editor's one in-memory form of a sound (16-bit signed mono at 22,050 Hz) and the
// plain operations on it: loading a WAV file, the edits and saving. No widgets here.
#pragma once

#include "logica/som/cabecalho_wav.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

constexpr int taxaEditor = 22050;
constexpr qint32 maxQuadros = 10000000;
constexpr qint32 capacidadeAmostras = maxQuadros + 1;
constexpr int tamPedacoArquivo = 65532;

// The sample store: room for a WAV header in front of the samples, so the header and the
// samples form one contiguous WAV image for playing and saving. Allocated once at full size.
struct SomEditado {
    SomEditado();
    QByteArray bloco; // 44 + 2 × capacidadeAmostras bytes
    qint32 nAmostras = 0;

    qint16 amostra(qint32 i) const;
    void defineAmostra(qint32 i, qint16 valor);
    // Fills the header in front of the samples; gives the image of 44 + 2 × nAmostras bytes.
    const char* imagemWav();
    qint64 tamanhoImagem() const { return tamCabecalhoWav + 2 * qint64(nAmostras); }
};

enum class TResultadoCarga {
    naoReconhecido,
    vazio,
    grandeDemais,
    incompativel,
    danificado,
    carregado
};

// Reads a WAV file into the store, bringing it to 16-bit mono at 22,050 Hz. A file that is
// not recognised leaves the previous sound; a refused or damaged one leaves an empty sound.
TResultadoCarga leWav(QIODevice& arquivo, SomEditado& som);
// The message that tells the outcome; empty for a loaded sound.
QString mensagemDaCarga(TResultadoCarga resultado);

// The edits, with the editor's exact arithmetic.
void cortaInicio(SomEditado& som);
void cortaFim(SomEditado& som); // a sound shorter than 1,000 samples becomes empty
void ajustaVolume(SomEditado& som, double fator);
void fadeOut(SomEditado& som);
void limpaSom(SomEditado& som);

// "N seg." for the duration label.
QString textoDuracao(qint32 nAmostras);

enum class TResultadoGravacao { gravado, semSom, erroAbrir, erroEscrita };
// Writes the sound as a canonical WAV file; the previous file is kept when anything fails, and
// an empty sound is not written at all (a file without samples would leave its item mute).
TResultadoGravacao gravaWav(const QString& nomeArquivo, SomEditado& som);
QString mensagemDaGravacao(TResultadoGravacao resultado);
