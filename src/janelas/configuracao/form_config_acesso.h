// "Mais opções…" of the execution settings: the ways to select beyond one cell at a time —
// rows and columns, two switches, a pause on the first item, a limit of passes, the dwell ring.
// Shown modally; OK stores into the settings it was given after checking, Cancelar leaves them
// as they were.
#pragma once

#include "nucleo/prvars.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TGrupoOpcoes;

class TFormConfigAcesso : public QDialog {
    Q_OBJECT
public:
    TFormConfigAcesso(TProjeto& destino, QWidget* pai = nullptr);

    // Fills every control from the settings.
    void carrega();
    void b_okClick();

    TGrupoOpcoes* rg_modoVarredura;
    QLineEdit* e_pausaPrimeiro;
    QLineEdit* e_voltasVarredura;
    QCheckBox* cb_passoAPasso;
    QComboBox* c_teclaAvanca;
    QComboBox* c_botaoAvanca;
    QComboBox* c_teclaSeleciona;
    QComboBox* c_botaoSeleciona;
    // The select switch of timed scanning: a key (or none) and a button (or any).
    QComboBox* c_teclaVarredura;
    QComboBox* c_botaoVarredura;
    QCheckBox* cb_progressoPermanencia;
    QCheckBox* cb_barraMensagem;
    QCheckBox* cb_trocaSemEsperar;
    QPushButton* b_ok;
    QPushButton* b_cancela;

private:
    void habilitaChaves();

    TProjeto& destino;
};
