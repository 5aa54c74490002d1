#include "runner/fila_saida.h"

#include "model/nomes.h"
#include "model/prvars.h"
#include "platform/midia_aviso.h"
#include "platform/midia_tocador.h"
#include "runner/voz.h"

#include <QDir>
#include <QFileInfo>
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

// A bare name is taken from the current folder, which is the project folder while a project
// is open.
QString caminhoNaPastaAtual(const QString& nome) {
    return QDir::current().absoluteFilePath(nome);
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

void tocaArquivo(const QString& nome) {
    const QString limpo = nome.trimmed();
    if (limpo.isEmpty()) return;
    motores().toca(caminhoNaPastaAtual(limpo));
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

void tocaEntrada(const QString& entrada) {
    if (entrada.isEmpty()) return;
    if (entrada.front() == marcaFala) {
        motores().fala(entrada.mid(1));
        return;
    }
    const QFileInfo arquivo(caminhoNaPastaAtual(nomeDeSom(entrada)));
    if (arquivo.isFile()) {
        paraMidia();
        tocaArquivo(arquivo.absoluteFilePath());
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
