#include "logica/execucao/voz.h"

#include "nucleo/avisos.h"
#include "plataforma/audio.h"
#include "plataforma/midia_aviso.h"
#include "plataforma/voz_espeak.h"
#include "plataforma/voz_som.h"

#include <QDeadlineTimer>
#include <QThread>

const QString textoSemSintetizador =
    QStringLiteral("Esta máquina não tem nenhum sintetizador de voz instalado.\r\nA configuração "
                   "de \"Falas automáticas\" não irá funcionar.");

namespace {

bool vozAtiva = false;

// Hands every finished synthesis to the sound output, in order.
void entregaAmostras() {
    if (!vozAtiva) return;
    QByteArray amostras;
    while (sintetizador::colhe(amostras))
        somDaFala::toca(amostras, sintetizador::taxaDeAmostragem());
}

void purga() {
    sintetizador::abandona();
    somDaFala::para();
}

} // namespace

QString textoFalavel(const QString& texto) {
    const qsizetype fim = texto.indexOf(QLatin1Char('\n'));
    return fim < 0 ? texto : texto.left(fim);
}

void iniciaVoz(bool avisar) {
    if (vozAtiva) purga();
    vozAtiva = false;
    // Without an audio output nothing could be heard; that is told once, by its own notice.
    if (!saidaDeAudioDisponivel()) {
        if (avisar) saidaDeAudioOuAvisa();
        return;
    }
    if (!sintetizador::inicia()) {
        if (avisar) avisoErro(textoSemSintetizador);
        return;
    }
    sintetizador::aoFicarPronto(entregaAmostras);
    vozAtiva = true;
}

bool temVoz() {
    return vozAtiva;
}

void falaTexto(const QString& texto) {
    if (!vozAtiva) return;
    const QString falavel = textoFalavel(texto);
    if (falavel.isEmpty()) return;
    sintetizador::pede(falavel);
}

bool estaFalando() {
    if (!vozAtiva) return false;
    // A real wait, not program time: it must end even under a test's frozen clock.
    const QDeadlineTimer limite(20);
    for (;;) {
        entregaAmostras();
        if (!sintetizador::ocupado() && !somDaFala::tocando()) return false;
        const qint64 resta = limite.remainingTime();
        if (resta <= 0) return true;
        // More is left to be heard than the wait could see end: the answer is already known,
        // and waiting would only hold back the thread that feeds the sound to the output.
        if (!sintetizador::ocupado() && somDaFala::restaMs() > resta) return true;
        if (sintetizador::ocupado())
            sintetizador::esperaResultado(int(qMin<qint64>(resta, 5)));
        else
            QThread::msleep(ulong(qMin<qint64>(resta, 5)));
    }
}

void calaVoz() {
    if (vozAtiva) purga();
}

void encerraVoz() {
    if (!vozAtiva) return;
    purga();
    sintetizador::aoFicarPronto(nullptr);
    vozAtiva = false;
}
