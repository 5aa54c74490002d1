// The program's sound goes through Qt Multimedia, which brings some twenty libraries (the
// audio server's client, codecs, the network): loaded with the program they would be loaded,
// relocated and searched by every start, even one that never plays a sound. So everything
// that touches Qt Multimedia lives in a module of its own (som_qt/), loaded on the first
// sound; the rest of the program reaches it through this table.
#pragma once

#include "plataforma/som_pcm.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// What the module needs of the program, handed over when it is loaded, so it keeps no copy of
// the program's own state (the clock tests replace, for one).
struct ServicosDoPrograma {
    qint64 (*agoraMs)();
    std::optional<SomPcm> (*pcmDoWav)(const QByteArray&);
};

struct FuncoesDeSom {
    bool (*saidaDisponivel)();
    bool (*entradaDisponivel)();

    void (*midiaToca)(const QString& caminho);
    void (*midiaPara)();
    bool (*midiaTocando)();

    void (*falaToca)(const QByteArray& amostras, int taxa);
    void (*falaPara)();
    bool (*falaTocando)();
    qint64 (*falaRestaMs)();

    bool (*pcmToca)(const SomPcm& som);
    void (*pcmPara)();
    bool (*pcmTocando)();

    int (*entradaAbre)(int taxa, int bits, int canais);
    QIODevice* (*entradaDispositivo)();
    void (*entradaPara)();
    void (*entradaFecha)();
    bool (*entradaAberta)();
};

// The module's one exported function: its table, once it has taken the program's services.
using EntradaDoModuloDeSom = const FuncoesDeSom* (*)(const ServicosDoPrograma&);
inline constexpr char nomeDaEntradaDoModuloDeSom[] = "zelvana_modulo_de_som";

// The module's table, loaded on the first call; null when the module cannot be loaded (the
// program then runs without sound, as on a machine that has no audio output).
const FuncoesDeSom* funcoesDeSom();
