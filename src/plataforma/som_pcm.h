// A WAV file's samples in their own format, ready for an audio sink: a recording is played
// from memory, which starts far sooner than a media pipeline. Pure: no device, no disk.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <optional>

struct SomPcm {
    QAudioFormat formato;
    QByteArray amostras; // whole frames only

    qint64 duracaoMs() const {
        const int quadro = formato.bytesPerFrame();
        return quadro > 0 && formato.sampleRate() > 0
                   ? amostras.size() / quadro * 1000 / formato.sampleRate()
                   : 0;
    }
};

// Files larger than this are left to the media player, which reads them as they play.
constexpr qint64 maxBytesSomEmMemoria = 64 * 1024 * 1024;

// The samples of a WAV file held in memory: chunks in any order and letter case, PCM of 8, 16
// or 32 bits or 32-bit float (plain or in the extensible form), one or two channels. A data
// chunk cut short gives what is there. Nothing for anything else (MP3, compressed or 24-bit
// WAV, damaged headers): the caller plays it some other way.
std::optional<SomPcm> pcmDoWav(const QByteArray& arquivo);
