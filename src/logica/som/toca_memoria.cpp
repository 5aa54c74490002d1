#include "logica/som/toca_memoria.h"

#include "plataforma/som_pcm.h"
#include "plataforma/tocador_pcm.h"

#include <optional>

namespace {

// The sound editor's own player, apart from the one the boards' recordings play on.
TocadorPcm& tocador() {
    static TocadorPcm t;
    return t;
}

} // namespace

void paraSomMemoria() {
    tocador().para();
}

void tocaImagemWav(const QByteArray& imagem) {
    paraSomMemoria();
    if (const std::optional<SomPcm> som = pcmDoWav(imagem)) tocador().toca(*som);
}

bool somMemoriaTocando() {
    return tocador().tocando();
}
