#include "logica/execucao/fila_saida.h"

#include "logica/execucao/voz.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/arquivos_da_pasta.h"
#include "plataforma/midia_aviso.h"
#include "plataforma/midia_tocador.h"

#include <utility>

QStringList filaSaida;
bool midiaAberta = false;

namespace {

MotoresSaida motoresReais() {
    MotoresSaida m;
    m.fala = falaTexto;
    m.falando = estaFalando;
    m.cala = calaVoz;
    m.toca = [](const QString& caminho) {
        if (saidaDeAudioOuAvisa()) tocadorMidia::toca(caminho);
    };
    m.para = tocadorMidia::para;
    m.tocando = tocadorMidia::tocando;
    return m;
}

MotoresSaida& motores() {
    static MotoresSaida m = motoresReais();
    return m;
}

} // namespace

MotoresSaida usaMotoresSaida(MotoresSaida novos) {
    return std::exchange(motores(), std::move(novos));
}

void enfileiraSom(const QString& texto) {
    if (!texto.isEmpty()) filaSaida.append(texto);
}

void enfileiraFala(const QString& texto) {
    if (texto.isEmpty())
        motores().cala();
    else
        filaSaida.append(marcaFala + texto);
}

void enfileiraSomJa(const QString& texto) {
    const bool vazia = filaSaida.isEmpty();
    enfileiraSom(texto);
    if (vazia) avancaFila();
}

void enfileiraFalaJa(const QString& texto) {
    const bool vazia = filaSaida.isEmpty();
    enfileiraFala(texto);
    if (vazia) avancaFila();
}

void tocaArquivo(const QString& nome) {
    const QString limpo = nome.trimmed();
    if (limpo.isEmpty()) return;
    // A bare name is taken from the current folder, the project folder while a project is open.
    motores().toca(ArquivosDaPasta().caminho(limpo));
    midiaAberta = true;
}

void paraMidia() {
    if (!midiaAberta) return;
    motores().para();
    midiaAberta = false;
}

bool midiaTocando() {
    return motores().tocando();
}

QString gravacaoDaEntrada(const QString& entrada, const ArquivosDaPasta& arquivos) {
    const QString nome = nomeDeSom(entrada);
    return arquivos.existe(nome) ? nome : QString();
}

void tocaEntrada(const QString& entrada) {
    if (entrada.isEmpty()) return;
    if (entrada.front() == marcaFala) {
        motores().fala(entrada.mid(1));
        return;
    }
    const ArquivosDaPasta pastaAtual;
    const QString gravacao = gravacaoDaEntrada(entrada, pastaAtual);
    // A WAV without one sample (an old recorder's) would play silence: the text is said instead.
    if (!gravacao.isEmpty() && tocadorMidia::examinaSom(pastaAtual.caminho(gravacao)) !=
                                   tocadorMidia::EstadoDoSom::semAmostras) {
        paraMidia();
        tocaArquivo(pastaAtual.caminho(gravacao));
    } else if (projeto.sintetizando) {
        motores().fala(entrada);
    }
}

// Something is still being spoken or played.
static bool saidaOcupada() {
    return motores().falando() || (midiaAberta && midiaTocando());
}

void avancaFila() {
    if (saidaOcupada() || filaSaida.isEmpty()) return;
    tocaEntrada(filaSaida.takeFirst());
}

bool saidaLivre() {
    avancaFila();
    return !saidaOcupada() && filaSaida.isEmpty();
}

void paraTudo() {
    if (motores().falando()) motores().cala();
    paraMidia();
    filaSaida.clear();
}
