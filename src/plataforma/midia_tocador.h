// Plays one media file (WAV, MP3) at a time on the default audio output without blocking.
#pragma once

#include <QString>

namespace tocadorMidia {

// Stops whatever plays and starts the file at this absolute path: a WAV recording from memory,
// which starts at once, anything else (MP3, compressed WAV) through the media player.
void toca(const QString& caminho);
// Stops and forgets the file; synchronous.
void para();
// True while the file plays. A file that cannot be opened, or a player that never reports its
// end, stops counting as playing instead of holding the caller forever.
bool tocando();

enum class EstadoDoSom {
    tocavel,        // begins as a WAV or an MP3 does, the kinds of sound a project holds
    naoReconhecido, // anything else, or a file that cannot be read
    semAmostras,    // a WAV whose data holds not one byte of sound: nothing would be heard
};
EstadoDoSom examinaSom(const QString& caminho);

} // namespace tocadorMidia
