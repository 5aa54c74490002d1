#include "plataforma/tocador_pcm.h"

#include "plataforma/som_qt/saida_pcm.h"

namespace tocadorPcm {
namespace {

SaidaPcm& saida() {
    static SaidaPcm s;
    return s;
}

} // namespace

bool toca(const SomPcm& som) {
    return saida().toca(som);
}

void para() {
    saida().para();
}

bool tocando() {
    return saida().tocando();
}

} // namespace tocadorPcm
