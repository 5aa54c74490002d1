// The program's side of the sound module: each call is handed to the module, loaded on the
// first one; without the module every call answers as a machine without sound would.
#include "plataforma/audio.h"
#include "plataforma/entrada_som.h"
#include "plataforma/midia_tocador.h"
#include "plataforma/relogio.h"
#include "plataforma/som_modulo.h"
#include "plataforma/tocador_pcm.h"
#include "plataforma/voz_som.h"

#include <QAudio>
#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace {

// Beside the program (the build tree, a packaged copy), where the build left it (the tests),
// then where it is installed.
QStringList caminhosDoModulo() {
    QStringList caminhos;
    if (QCoreApplication::instance())
        caminhos << QCoreApplication::applicationDirPath() +
                        QStringLiteral("/" ZELVANA_ARQUIVO_SOM);
    caminhos << QStringLiteral(ZELVANA_MODULO_SOM_BUILD) << QStringLiteral(ZELVANA_MODULO_SOM);
    return caminhos;
}

const FuncoesDeSom* carregaModulo() {
    static const ServicosDoPrograma servicos{agoraMs, pcmDoWav};
    QStringList erros;
    for (const QString& caminho : caminhosDoModulo()) {
        QLibrary modulo(caminho);
        // Every symbol resolved at once: a module that does not fit fails here, not mid-sound.
        modulo.setLoadHints(QLibrary::ResolveAllSymbolsHint | QLibrary::PreventUnloadHint);
        const auto entrada =
            modulo.load()
                ? reinterpret_cast<EntradaDoModuloDeSom>(modulo.resolve(nomeDaEntradaDoModuloDeSom))
                : nullptr;
        if (entrada) return entrada(servicos);
        erros << modulo.errorString();
    }
    // The user is told there is no sound output; this says why, for whoever looks into it.
    qWarning("Zelvana: o módulo de som não foi carregado (%s)", qPrintable(erros.join("; ")));
    return nullptr;
}

} // namespace

const FuncoesDeSom* funcoesDeSom() {
    static const FuncoesDeSom* const funcoes = carregaModulo();
    return funcoes;
}

bool saidaDeAudioDisponivel() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->saidaDisponivel();
}

bool entradaDeAudioDisponivel() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->entradaDisponivel();
}

namespace tocadorMidia {
void toca(const QString& caminho) {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->midiaToca(caminho);
}
void para() {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->midiaPara();
}
bool tocando() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->midiaTocando();
}
} // namespace tocadorMidia

namespace somDaFala {
void toca(const QByteArray& amostras, int taxa) {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->falaToca(amostras, taxa);
}
void para() {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->falaPara();
}
bool tocando() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->falaTocando();
}
qint64 restaMs() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f ? f->falaRestaMs() : 0;
}
} // namespace somDaFala

namespace tocadorPcm {
bool toca(const SomPcm& som) {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->pcmToca(som);
}
void para() {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->pcmPara();
}
bool tocando() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->pcmTocando();
}
} // namespace tocadorPcm

namespace entradaDeSom {
int abre(int taxa, int bits, int canais) {
    const FuncoesDeSom* f = funcoesDeSom();
    return f ? f->entradaAbre(taxa, bits, canais) : int(QAudio::OpenError);
}
QIODevice* dispositivo() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f ? f->entradaDispositivo() : nullptr;
}
void para() {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->entradaPara();
}
void fecha() {
    if (const FuncoesDeSom* f = funcoesDeSom()) f->entradaFecha();
}
bool aberta() {
    const FuncoesDeSom* f = funcoesDeSom();
    return f && f->entradaAberta();
}
} // namespace entradaDeSom
