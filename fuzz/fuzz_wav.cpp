// Feeds arbitrary bytes to the sound editor's WAV loader, then runs every edit on what loaded.
// Run: scripts/fuzz.sh [SECONDS]
#include "logica/som/som_editado.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static SomEditado som; // the store is large: one for the whole run, as in the editor
    QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    QBuffer arquivo(&bytes);
    arquivo.open(QIODevice::ReadOnly);
    if (leWav(arquivo, som) == TResultadoCarga::carregado) {
        cortaInicio(som);
        ajustaVolume(som, 1.2);
        fadeOut(som);
        cortaFim(som);
    }
    return 0;
}
