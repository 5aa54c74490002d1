#include "logica/som/captura_wav.h"

#include "logica/som/cabecalho_wav.h"
#include "logica/som/toca_memoria.h"
#include "nucleo/arquivo_seguro.h"
#include "plataforma/audio.h"
#include "plataforma/entrada_som.h"

#include <QAudio>
#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace {

constexpr int maxBuffers = 16;

// A slot of the ring; "na fila" stands for a header handed to the device, "pronto" for the
// device's done mark.
struct Slot {
    std::vector<char> amostras;
    bool emUso = false;
    bool pronto = false;
    int gravados = 0;
};

struct Captura {
    // The recording goes beside the file it replaces, which stays until the recording is whole.
    std::unique_ptr<ArquivoSeguro> arquivo;
    Slot vagas[maxBuffers];
    std::deque<int> filaDoDispositivo; // slots queued to be filled, in order
    int nBuffers = 0;
    int tamBuffer = 0;
    int indiceColeta = 0;
    bool reenfileira = false;
    bool capturando = false;
    quint32 total = 0;
    int taxa = 0, bits = 0, canais = 0;
    char cabecalho[tamCabecalhoWav] = {};
};

Captura& cap() {
    static Captura c;
    return c;
}

void preparaBuffer(int i) {
    Captura& c = cap();
    c.vagas[i].emUso = true;
    c.vagas[i].pronto = false;
    c.vagas[i].gravados = 0;
    c.filaDoDispositivo.push_back(i);
}

// The device's side: what the input has brought since the last tick fills the queued buffers
// in order; a full buffer is marked done. What does not fit waits in the input's own buffer.
void encheBuffers() {
    Captura& c = cap();
    QIODevice* const io = entradaDeSom::dispositivo();
    if (!io || !c.capturando) return;
    while (!c.filaDoDispositivo.empty()) {
        Slot& s = c.vagas[c.filaDoDispositivo.front()];
        const qint64 lidos = io->read(s.amostras.data() + s.gravados, c.tamBuffer - s.gravados);
        if (lidos <= 0) return;
        s.gravados += int(lidos);
        if (s.gravados < c.tamBuffer) return;
        s.pronto = true;
        c.filaDoDispositivo.pop_front();
    }
}

void paraDispositivo() {
    Captura& c = cap();
    encheBuffers();
    entradaDeSom::para();
    c.capturando = false;
    for (int i : c.filaDoDispositivo)
        c.vagas[i].pronto = true;
    c.filaDoDispositivo.clear();
}

void fechaTudo() {
    Captura& c = cap();
    entradaDeSom::fecha();
    c.capturando = false;
    c.filaDoDispositivo.clear();
    for (Slot& s : c.vagas)
        s = Slot{};
    c.nBuffers = 0;
}

} // namespace

int iniciaGravacao(const QString& nomeArquivo, int taxa, int bits, int canais, int nBuffers,
                   int tamBuffer) {
    Captura& c = cap();
    paraSomMemoria();
    if (entradaDeSom::aberta()) return QAudio::OpenError; // one recording at a time
    const int alinhamento = (bits / 8) * canais;
    if (taxa <= 0 || canais < 1 || canais > 0xFFFF || alinhamento <= 0 || alinhamento > 0xFFFF ||
        (bits != 8 && bits != 16 && bits != 32) || nBuffers < 1 || nBuffers > maxBuffers ||
        tamBuffer < 1 || tamBuffer > 0xFFFF)
        return QAudio::OpenError;
    if (!entradaDeAudioDisponivel()) return semMicrofone;
    if (const int erro = entradaDeSom::abre(taxa, bits, canais); erro != QAudio::NoError) {
        fechaTudo();
        return erro;
    }

    c.arquivo = std::make_unique<ArquivoSeguro>(nomeArquivo);
    if (!c.arquivo->abre() ||
        c.arquivo->dispositivo()->write(c.cabecalho, tamCabecalhoWav) != tamCabecalhoWav) {
        c.arquivo.reset();
        fechaTudo();
        return erroArquivoGravacao;
    }
    c.total = 0;
    c.taxa = taxa;
    c.bits = bits;
    c.canais = canais;
    c.nBuffers = nBuffers;
    c.tamBuffer = tamBuffer;
    for (int i = 0; i < nBuffers; ++i) {
        c.vagas[i].amostras.assign(size_t(tamBuffer), 0);
        preparaBuffer(i);
    }
    return gravacaoPronta;
}

QString mensagemDoInicio(int resultado) {
    switch (resultado) {
    case gravacaoPronta:
        return {};
    case semMicrofone:
        return QStringLiteral("Nenhum microfone encontrado");
    case erroArquivoGravacao:
        return QStringLiteral("Erro ao abrir o espaço para gravação");
    case QAudio::IOError:
        return QStringLiteral("O microfone não pôde ser lido (erro de entrada e saída)");
    case QAudio::FatalError:
        return QStringLiteral("O microfone parou de responder");
    default:
        return QStringLiteral("O microfone não pôde ser aberto");
    }
}

void comecaCaptura() {
    Captura& c = cap();
    QIODevice* const io = entradaDeSom::dispositivo();
    if (!io) return;
    c.indiceColeta = 0;
    c.reenfileira = true;
    io->readAll(); // what arrived between opening and now is not part of the recording
    c.capturando = true;
}

bool coletaBuffers() {
    Captura& c = cap();
    bool ok = true;
    while (c.nBuffers > 0) {
        Slot& s = c.vagas[c.indiceColeta];
        if (s.emUso && !s.pronto) encheBuffers();
        if (!s.emUso || !s.pronto) return ok;
        if (!c.arquivo ||
            c.arquivo->dispositivo()->write(s.amostras.data(), s.gravados) != s.gravados) {
            paraDispositivo();
            c.reenfileira = false;
            ok = false;
        } else {
            c.total += quint32(s.gravados);
        }
        if (c.reenfileira)
            preparaBuffer(c.indiceColeta);
        else
            s = Slot{};
        c.indiceColeta = (c.indiceColeta + 1) % c.nBuffers;
    }
    return ok;
}

qint64 quadrosGravados() {
    const Captura& c = cap();
    const int alinhamento = (c.bits / 8) * c.canais;
    return alinhamento > 0 ? c.total / alinhamento : 0;
}

FimDaGravacao terminaGravacao() {
    Captura& c = cap();
    if (!entradaDeSom::aberta()) return FimDaGravacao::erroEscrita;
    bool ok = true;
    for (int i = 0; i < c.nBuffers; ++i)
        ok = coletaBuffers() && ok;
    c.reenfileira = false;
    paraDispositivo();
    while (c.nBuffers > 0 && c.vagas[c.indiceColeta].emUso)
        ok = coletaBuffers() && ok;
    fechaTudo();
    paraSomMemoria();

    // A recording without one whole frame (no microphone sound came, the server went away)
    // would replace the old file with a silent one: it is dropped instead.
    if (ok && quadrosGravados() == 0) {
        c.arquivo.reset();
        return FimDaGravacao::semSom;
    }
    montaCabecalhoWav(c.cabecalho, quint32(c.taxa), quint16(c.bits), c.total, quint16(c.canais));
    QIODevice* destino = c.arquivo ? c.arquivo->dispositivo() : nullptr;
    const bool escrito = ok && destino && destino->seek(0) &&
                         destino->write(c.cabecalho, tamCabecalhoWav) == tamCabecalhoWav &&
                         c.arquivo->confirma();
    c.arquivo.reset(); // unconfirmed, the half recording goes and the old file stays
    std::fill(std::begin(c.cabecalho), std::end(c.cabecalho), 0);
    return escrito ? FimDaGravacao::gravada : FimDaGravacao::erroEscrita;
}

QString mensagemDoFim(FimDaGravacao fim) {
    switch (fim) {
    case FimDaGravacao::gravada:
        break;
    case FimDaGravacao::semSom:
        return QStringLiteral("Nenhum som chegou do microfone; o arquivo anterior ficou como "
                              "estava.");
    case FimDaGravacao::erroEscrita:
        return QStringLiteral("Erro de escrita no arquivo.");
    }
    return {};
}

bool gravacaoAberta() {
    return entradaDeSom::aberta();
}
