// Controls the dialogs build alike, named (member and objectName) as the program names them.
#pragma once

#include "nucleo/prvars.h"

#include <QIcon>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class TGrupoOpcoes;
class QLabel;
class QPushButton;
class QWidget;

QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& texto);
// A field's caption in type of `pixels`; it names `controle` for screen readers.
QLabel* criaRotulo(QWidget* pai, const QString& texto, int pixels, QWidget* controle = nullptr);
QCheckBox* criaMarca(QWidget* pai, const char* nome, const QString& texto);
// A radio group on a background of its own colour ($00BBGGRR).
TGrupoOpcoes* criaGrupoOpcoes(QWidget* pai, const char* nome, const QString& titulo,
                              const QStringList& entradas, TColor fundo);
// An editable combo box whose typed text is never added to its list.
QComboBox* criaCombo(QWidget* pai, const char* nome);
// Replaces the list of an editable combo box; the text typed in it stays.
void trocaLista(QComboBox* combo, const QStringList& nomes);

// The glyphs of the play, stop and record buttons.
enum class GlifoSom { tocar, parar, gravar };
QIcon iconeDeSom(GlifoSom glifo);
// A glyph button with the hint "Play", "Stop" or "Record" and a name for screen readers.
QPushButton* criaBotaoDeSom(QWidget* pai, const char* nome, GlifoSom glifo,
                            const QString& nomeAcessivel);
