// "Mais opções…" of the execution settings: the ways to select beyond one cell at a time —
// rows and columns, two switches, a pause on the first item, a limit of passes, the dwell ring.
// Shown modally; OK stores into `projeto` after checking, Cancelar leaves it as it was.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TGrupoOpcoes;

class TFormConfigAcesso : public QDialog {
    Q_OBJECT
public:
    explicit TFormConfigAcesso(QWidget* pai = nullptr);

    // Fills every control from the project.
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
    QCheckBox* cb_trocaSemEsperar;
    QPushButton* b_ok;
    QPushButton* b_cancela;

private:
    void habilitaChaves();
};
