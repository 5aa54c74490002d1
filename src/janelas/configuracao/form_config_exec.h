// The execution settings: the start and help boards, the four times of a run, the speech and
// eye-tracker switches, and "Mais opções…". OK stores everything as one step of the project's
// history (or nothing, when a time is refused, and brings incoherent times into line); Cancelar,
// Esc and the title bar store nothing, "Mais opções…" included. Shown modally by the start
// window and non-modally by the editor.
#pragma once

#include "nucleo/prvars.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFormConfigExec : public QDialog {
    Q_OBJECT
public:
    explicit TFormConfigExec(QWidget* pai = nullptr);

    // Shown beside the editor, which stays usable.
    void mostraNaoModal();

    // Fills every control from the project.
    void FormActivate();
    // Stores everything at once, or nothing when a time is refused.
    void b_okClick();
    // The machine's voice: the engine's Portuguese voices, a variant and a speed.
    void b_sintClick();
    // The ways to select beyond one cell at a time, in a window of their own.
    void b_maisOpcoesClick();

    QComboBox* c_pranchaInicial;
    QComboBox* c_pranchaSocorro;
    QWidget* Panel1;
    QLineEdit* e_varredura;
    QLineEdit* e_histerese;
    QLineEdit* e_socorro;
    QLineEdit* e_autoClique;
    QCheckBox* cb_falaClicados;
    QCheckBox* cb_sintetNaoGrav;
    QCheckBox* cb_falaVarredura;
    QCheckBox* cb_acionaTobii;
    QPushButton* b_sint;
    QPushButton* b_ok;
    QPushButton* b_cancela;
    QPushButton* b_maisOpcoes;

protected:
    bool event(QEvent* e) override;

private:
    void escreveTempos(const TProjeto& p);

    // The settings as this window will store them: "Mais opções…" confirms into it.
    TProjeto pendente;
};
