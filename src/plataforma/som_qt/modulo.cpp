// The module's entry: its table of functions, and the program's services it works with.
#include "plataforma/audio.h"
#include "plataforma/entrada_som.h"
#include "plataforma/midia_tocador.h"
#include "plataforma/relogio.h"
#include "plataforma/som_modulo.h"
#include "plataforma/tocador_pcm.h"
#include "plataforma/voz_som.h"

namespace {

ServicosDoPrograma servicos{};

} // namespace

// The program's clock and WAV reader, under their own names for the code of the module.
qint64 agoraMs() {
    return servicos.agoraMs();
}

std::optional<SomPcm> pcmDoWav(const QByteArray& arquivo) {
    return servicos.pcmDoWav(arquivo);
}

extern "C" Q_DECL_EXPORT const FuncoesDeSom* zelvana_modulo_de_som(const ServicosDoPrograma& s) {
    servicos = s;
    static const FuncoesDeSom funcoes{
        saidaDeAudioDisponivel, entradaDeAudioDisponivel,  tocadorMidia::toca, tocadorMidia::para,
        tocadorMidia::tocando,  somDaFala::toca,           somDaFala::para,    somDaFala::tocando,
        somDaFala::restaMs,     tocadorPcm::toca,          tocadorPcm::para,   tocadorPcm::tocando,
        entradaDeSom::abre,     entradaDeSom::dispositivo, entradaDeSom::para, entradaDeSom::fecha,
        entradaDeSom::aberta,
    };
    return &funcoes;
}
