#include "logica/som/toca_memoria.h"

#include "plataforma/som_pcm.h"
#include "plataforma/tocador_pcm.h"

#include <optional>

void paraSomMemoria() {
    tocadorPcm::para();
}

void tocaImagemWav(const QByteArray& imagem) {
    paraSomMemoria();
    if (const std::optional<SomPcm> som = pcmDoWav(imagem)) tocadorPcm::toca(*som);
}

bool somMemoriaTocando() {
    return tocadorPcm::tocando();
}
