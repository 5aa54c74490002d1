// Plays a sound held in memory through the default audio output, one at a time, without
// blocking, and tells when it has been heard to its end. A sink starts in a few milliseconds,
// where a media pipeline takes a tenth of a second or more.
#pragma once

#include "plataforma/som_pcm.h"

#include <QPointer>

class QAudioSink;
class QBuffer;

class SaidaPcm {
public:
    SaidaPcm() = default;
    ~SaidaPcm();
    SaidaPcm(const SaidaPcm&) = delete;
    SaidaPcm& operator=(const SaidaPcm&) = delete;

    // Stops what plays and starts this sound; false when it could not start (no audio output,
    // a format the output refuses).
    bool toca(const SomPcm& som);
    // Stops at once.
    void para();
    // From toca() until the sink has played the sound's last sample (then heard), or para(). A
    // sink that never gets there (an audio server gone) stops counting a second after the
    // sound's length.
    bool tocando() const;

private:
    QPointer<QAudioSink> sink;
    QPointer<QBuffer> dados; // the sound and its silence, owned by the sink
    qint64 duracaoUs = 0;    // of the sound, without its silence
    qint64 fimPrevisto = 0;  // agoraMs() past which the sound is taken as ended
};
