#include "plataforma/midia_aviso.h"

#include "nucleo/avisos.h"
#include "plataforma/audio.h"

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
