// The output queue: a board's recordings and speech, played strictly one after the other.
// The runner pumps it from its 200 ms tick (saidaLivre); the dialogs and the preview use the
// direct play and stop calls. Nothing here waits for the sound to end.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ArquivosDaPasta;

// A speech entry is this character followed by the text; any other entry names a recording
// (or is a text spoken instead when no such recording exists).
inline constexpr QChar marcaFala = QChar(1);

extern QStringList filaSaida;
extern bool midiaAberta; // a file was started and not yet stopped

// Appends a sound entry; an empty text is not queued.
void enfileiraSom(const QString& texto);
// Appends a speech entry; an empty text silences the voice at once instead.
void enfileiraFala(const QString& texto);

// What a run queues: the same, and an entry that finds the queue empty starts at once when
// nothing plays or speaks, instead of at the next pump, so a choice is heard without that wait.
// Entries behind it wait their turn as before.
void enfileiraSomJa(const QString& texto);
void enfileiraFalaJa(const QString& texto);

// Starts the next entry when nothing plays or speaks.
void avancaFila();
// Pumps the queue; true when nothing speaks, nothing plays and nothing waits.
bool saidaLivre();
// Silences the voice, stops the recording, empties the queue.
void paraTudo();

// The recording a sound entry stands for: its name, with ".wav" when it has no three-letter
// extension, when that file is in the folder; empty when there is none (the entry is then
// spoken instead while TProjeto.sintetizando is set, and skipped otherwise).
QString gravacaoDaEntrada(const QString& entrada, const ArquivosDaPasta& arquivos);

// Carries out one entry at once.
void tocaEntrada(const QString& entrada);
// Starts playing a media file (a bare name is looked up in the current folder); returns at once.
void tocaArquivo(const QString& nome);
// Stops and forgets the file being played.
void paraMidia();
bool midiaTocando();

// What the queue plays and speaks through. Tests install fakes to check the rules without
// sound; the previous set is given back so it can be restored.
struct MotoresSaida {
    std::function<void(const QString& texto)> fala;
    std::function<bool()> falando;
    std::function<void()> cala;
    std::function<void(const QString& caminho)> toca;
    std::function<void()> para;
    std::function<bool()> tocando;
};
MotoresSaida usaMotoresSaida(MotoresSaida novos);
