#include "plataforma/midia_tocador.h"

#include "plataforma/relogio.h"
#include "plataforma/som_qt/saida_pcm.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QFile>
#include <QMediaPlayer>
#include <QPointer>
#include <QUrl>

namespace tocadorMidia {
namespace {

// A player that neither starts nor fails within this time is taken as finished.
constexpr qint64 limiteCarregandoMs = 5000;
// Past the file's own length, the end is assumed even if the player never said so.
constexpr qint64 folgaAposDuracaoMs = 2000;

struct Tocador {
    QPointer<QMediaPlayer> player;
    qint64 inicio = 0;
    // Until the new source is seen loading, an end reported is the previous clip's: the status
    // changes asynchronously after setSource(), and a busy machine shows the stale one.
    bool carregou = false;
    // A WAV recording plays from memory instead; the player is left for the rest.
    SaidaPcm memoria;
    bool daMemoria = false;
};

Tocador& tocador() {
    static Tocador t;
    return t;
}

QMediaPlayer* player() {
    Tocador& t = tocador();
    if (!t.player && QCoreApplication::instance()) {
        t.player = new QMediaPlayer(QCoreApplication::instance());
        t.player->setAudioOutput(new QAudioOutput(t.player));
        QObject::connect(t.player, &QMediaPlayer::mediaStatusChanged, t.player,
                         [](QMediaPlayer::MediaStatus estado) {
                             if (estado == QMediaPlayer::LoadedMedia ||
                                 estado == QMediaPlayer::BufferingMedia ||
                                 estado == QMediaPlayer::BufferedMedia)
                                 tocador().carregou = true;
                         });
    }
    return t.player;
}

// A recording of one of the WAV forms a sink takes as they are starts in a few milliseconds,
// where the media pipeline takes a tenth of a second or more: a choice is heard at once.
bool tocaDaMemoria(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly) || arquivo.size() > maxBytesSomEmMemoria ||
        arquivo.peek(4).compare("RIFF", Qt::CaseInsensitive) != 0)
        return false;
    const std::optional<SomPcm> som = pcmDoWav(arquivo.readAll());
    return som && tocador().memoria.toca(*som);
}

} // namespace

void toca(const QString& caminho) {
    Tocador& t = tocador();
    t.memoria.para();
    // Made only when first needed: starting the media framework takes a while.
    if (t.player) t.player->stop();
    t.daMemoria = tocaDaMemoria(caminho);
    if (t.daMemoria) return;
    QMediaPlayer* p = player();
    if (!p) return;
    // The source is set right before play(): a source loaded earlier loses the start of the
    // clip in proportion to the wait.
    tocador().carregou = false;
    p->setSource(QUrl::fromLocalFile(caminho));
    p->play();
    tocador().inicio = agoraMs();
}

void para() {
    tocador().memoria.para();
    tocador().daMemoria = false;
    QMediaPlayer* p = tocador().player;
    if (!p) return;
    p->stop();
    p->setSource(QUrl());
}

bool tocando() {
    const Tocador& t = tocador();
    if (t.daMemoria) return t.memoria.tocando();
    QMediaPlayer* p = t.player;
    if (!p || p->playbackState() != QMediaPlayer::PlayingState) return false;
    const qint64 decorrido = agoraMs() - t.inicio;
    switch (p->mediaStatus()) {
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::EndOfMedia:
        return !t.carregou && decorrido < limiteCarregandoMs;
    case QMediaPlayer::InvalidMedia:
        return false;
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::StalledMedia:
        if (p->duration() <= 0) return decorrido < limiteCarregandoMs;
        break;
    default:
        break;
    }
    if (p->duration() > 0) return decorrido < p->duration() + folgaAposDuracaoMs;
    return decorrido < limiteCarregandoMs;
}

} // namespace tocadorMidia
