#include "platform/midia_aviso.h"

#include "model/avisos.h"
#include "platform/audio.h"

const QString textoSemSaidaDeAudio =
    QStringLiteral("Não foi encontrada nenhuma saída de som nesta máquina.\r\n"
                   "Os sons e as falas das pranchas não serão ouvidos.");

bool saidaDeAudioOuAvisa() {
    if (saidaDeAudioDisponivel()) return true;
    static bool avisado = false;
    if (!avisado) {
        avisado = true;
        avisoErro(textoSemSaidaDeAudio);
    }
    return false;
}
