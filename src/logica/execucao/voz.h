// The one voice of the process, shared by the runner and the preview. Speaking never blocks:
// a text is handed over and the caller polls estaFalando() until the voice has finished.
#pragma once

#include <QString>

// What the user is told when the machine has no synthesizer.
extern const QString textoSemSintetizador;

// Creates (or replaces) the voice. Without a synthesizer there is no voice and, only when
// `avisar` is set, the user is told that automatic speech will not work.
void iniciaVoz(bool avisar);

// Speaks the first line of the text (up to the first line feed) and returns at once.
void falaTexto(const QString& texto);

// True while the voice still has something to say; waits at most 20 ms for it to finish.
bool estaFalando();

// Drops everything queued or being spoken.
void calaVoz();

// Silences and drops the voice (runner or preview closing).
void encerraVoz();

// Whether a voice exists right now.
bool temVoz();

// What falaTexto really hands to the synthesizer: the text up to its first line feed.
QString textoFalavel(const QString& texto);
