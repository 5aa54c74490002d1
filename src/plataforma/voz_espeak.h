// Brazilian Portuguese synthesis with libespeak-ng. The library keeps global state, so one
// worker thread of its own makes every call into it; callers only hand texts over and collect
// the resulting samples (22050 Hz, mono, signed 16-bit).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace sintetizador {

// Starts the worker and the pt-br voice once per process; false when either is missing.
bool inicia();
int taxaDeAmostragem();

// Queues a text for synthesis and returns at once.
void pede(const QString& texto);
// Abandons the text being synthesized and every one still waiting.
void abandona();
// Texts handed over whose samples have not been collected yet.
bool ocupado();
// Waits at most `ms` for some synthesis to finish.
void esperaResultado(int ms);
// Takes the next finished synthesis, in order; false when none is ready.
bool colhe(QByteArray& amostras);

// Called on the caller's (GUI) thread, through its event loop, whenever samples become ready.
void aoFicarPronto(std::function<void()> aviso);

// ---- the voice -----------------------------------------------------------------------------

// A voice or a variant of the engine: the name the engine takes, and what the user reads.
struct VozDoSintetizador {
    QString nome;
    QString descricao;
};

// The engine's Portuguese voices, the Brazilian one first; empty without the engine.
QList<VozDoSintetizador> vozesPortuguesas();
// The variants any voice can be spoken in (other timbres): the female and male ones first,
// then the others by name; empty without the engine.
QList<VozDoSintetizador> variantes();

// What the machine's user chose: a voice, a variant of it (empty: its own) and a speed.
struct EscolhaDeVoz {
    static constexpr int velocidadePadrao = 175; // words per minute
    static constexpr int velocidadeMinima = 80;
    static constexpr int velocidadeMaxima = 450;
    QString voz = QStringLiteral("pt-br");
    QString variante;
    int velocidade = velocidadePadrao;
    bool operator==(const EscolhaDeVoz& o) const {
        return voz == o.voz && variante == o.variante && velocidade == o.velocidade;
    }
};
// Every synthesis asked for from now on uses this choice; a voice the engine lacks gives the
// Brazilian one, a speed out of range the nearest one in range.
void defineEscolha(const EscolhaDeVoz& escolha);
EscolhaDeVoz escolhaAtual();

} // namespace sintetizador
