// The machine's voice: which of the embedded engine's Portuguese voices, in which variant and
// at what speed every text is spoken. It belongs to the computer, not to the project: OK keeps
// it in the user's configuration folder; closing otherwise puts the previous voice back.
#pragma once

#include "plataforma/voz_espeak.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTimer;

class TFormVoz : public QDialog {
    Q_OBJECT
public:
    // Lists the engine's voices and shows the current choice.
    explicit TFormVoz(QWidget* pai = nullptr);

    // Says the sample sentence, through the output queue, in the voice the controls show.
    void b_testarClick();
    void b_okClick();

    // The choice as the controls show it.
    sintetizador::EscolhaDeVoz escolhaNaTela() const;

    static const QString fraseDeTeste;

    QComboBox* c_voz;
    QComboBox* c_variante;
    QSpinBox* e_velocidade;
    QPushButton* b_testar;
    QPushButton* b_ok;
    QPushButton* b_cancelar;

protected:
    void done(int resultado) override;

private:
    sintetizador::EscolhaDeVoz anterior;
    QTimer* bomba; // pumps the output queue while the sample is said
    bool vozIniciadaAqui = false;
};
