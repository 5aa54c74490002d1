// What the board and item dialogs do alike with their sound boxes and file imports.
#pragma once

#include <QString>

class QComboBox;
struct TProjeto;

// The lists both dialogs offer: the project folder's sounds (MP3 and WAV) in the sound and
// speech boxes, the project's boards in the link box. What is typed in the boxes stays.
void preencheSonsEPranchas(QComboBox* som, QComboBox* fala, QComboBox* link, const TProjeto& p);

// Plays what a run plays for the box's text, without waiting: the recording it names (a name
// without a three-letter extension means ".wav"), else the voice speaking the text while the
// project synthesizes missing sounds. An empty box plays nothing.
void tocaSomDaCaixa(const QComboBox* caixa);
// Stops what the box's play started, recording or voice.
void paraSomDaCaixa();
// Stops what is playing, checks the box's name as the sound editor needs it and, when it
// passes, opens the sound editor on that name. The box keeps its text.
void gravaSomDaCaixa(const QComboBox* caixa);
// Lets the author pick a file anywhere and brings it into the project folder; the box then
// names it. A copy that fails is told, and the box keeps the name it had. True when the box
// changed.
bool importaParaCaixa(QComboBox* caixa, const QString& titulo, const QString& filtros);

// The filters of the open-file dialogs of the imports.
inline const QString filtrosDeSom = QStringLiteral("*.mp3 (*.mp3);;*.wav (*.wav);;*.* (*)");
inline const QString filtrosDeFigura = QStringLiteral("*.jpg (*.jpg);;*.bmp (*.bmp);;*.* (*)");
