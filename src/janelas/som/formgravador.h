// The sound editor window: records, loads, trims, amplifies, fades, plays and saves a WAV file.
#pragma once

#include "logica/som/som_editado.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// Draws the waveform of `som` onto `figura`: white, a red middle line, the samples in black.
void desenhaOnda(QImage& figura, const SomEditado* som);

// The picture area that shows the waveform and follows the window's width.
class TAreaOnda : public QWidget {
    Q_OBJECT
public:
    explicit TAreaOnda(QWidget* pai);
    QImage figura;
    std::function<void()> aoRedimensionar;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
};

class TFormGravador : public QDialog {
    Q_OBJECT
public:
    explicit TFormGravador(QWidget* pai = nullptr);
    ~TFormGravador() override;

    QComboBox* combo_nomeArq;
    QPushButton* b_carrega;
    QLabel* l_status;
    QLabel* l_duracao;
    TAreaOnda* Image1;
    QPushButton* b_play;
    QPushButton* b_stop;
    QPushButton* b_record;
    QPushButton* b_menosVolume;
    QPushButton* b_maisVol50;
    QPushButton* b_fadeOut;
    QPushButton* b_cortaInicio;
    QPushButton* b_cortaFim;
    QPushButton* b_salva;
    QPushButton* b_limpaSom;
    QTimer* TimerGrav;

    // The sound held while the window is open; null while it is closed.
    SomEditado* som() const { return amostras.get(); }
    bool gravando() const { return gravandoAgora; }

    void b_carregaClick();
    void combo_nomeArqSelect();
    void b_gravarClick();
    void b_stopClick();
    void b_tocarClick();
    void TimerGravTimer();
    void b_menosVolumeClick();
    void b_maisVol50Click();
    void b_fadeOutClick();
    void b_cortaInicioClick();
    void b_cortaFimClick();
    void b_salvaClick();
    void b_limpaSomClick();
    void desenhaOnda();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void aoAbrir();
    void aoFechar();
    void listaArquivosWav();
    void paraGravacao();

    std::unique_ptr<SomEditado> amostras;
    bool gravandoAgora = false;
    bool aberta = false;
};
