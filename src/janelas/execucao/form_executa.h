// The runner: one board at a time over the whole screen, driven by three timers. The rules live
// in MotorExecucao; this window gives it the drawing, the output queue, the pointer and timers.
#pragma once

#include "desenho/desenho.h"
#include "logica/execucao/execucao_logica.h"
#include "logica/execucao/tobii.h"

#include <QDialog>
#include <memory>

class QTimer;
class FaixaMensagem;

// Shape1: the band of scanning and hovering; clicks pass through it. Its colour is picked
// from what lies behind it (red where that is light, yellow, black or white elsewhere), and
// black outside and white inside edge it.
class MolduraVermelha : public QWidget {
    Q_OBJECT
public:
    explicit MolduraVermelha(QWidget* pai);
    // Places the 10 px band in `faixa` (the cell and 10 px around it) with its edges.
    void envolve(const QRect& faixa, const QColor& cor);
    QColor cor() const { return cor_; }
    static constexpr int borda = 2;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor cor_ = Qt::red;
};

// A ring over the cell being dwelt on, filling clockwise as the dwell goes, black-edged on a
// white track; the filling's colour is picked against the cell and the track.
class AnelPermanencia : public QWidget {
    Q_OBJECT
public:
    explicit AnelPermanencia(QWidget* pai);
    // Where the ring lies over `celula`.
    static QRect lugar(const QRect& celula);
    // Shown over `celula` with `fracao` (0 … 1) done.
    void mostra(const QRect& celula, double fracao, const QColor& cor);
    double fracao() const { return fracao_; }
    QColor cor() const { return cor_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double fracao_ = 0;
    QColor cor_ = Qt::red;
};

class TFormExecuta : public QDialog {
    Q_OBJECT
public:
    explicit TFormExecuta(QWidget* pai = nullptr);
    ~TFormExecuta() override;

    // Before showing: false (and a message) when the start board does not exist.
    bool preparaExecucao(const QString& nome);
    MotorExecucao& motor() { return *motor_; }
    const TPranchaGraf& graf() const { return graf_; }
    // The message bar above the board; null, or hidden, in a run without it.
    FaixaMensagem* faixa() const { return faixa_; }

    QWidget* Panel1;
    MolduraVermelha* Shape1;
    AnelPermanencia* anelPermanencia;
    QTimer* TimerProgresso; // the dwell ring, 25 times a second
    QTimer* TimerVarredura;
    QTimer* TimerHisterese;
    QTimer* TimerSerializacao;
    QTimer* TimerTeclas; // a switch key's release counts once no repeat follows it
    // Between ticks, while a board waits for the outputs to end: it is shown the moment they do.
    QTimer* TimerTroca;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void reject() override;

private:
    void FormActivate();
    void FormClose();
    void cobreATela();
    void Panel1MouseDown(QWidget* elemento, Qt::MouseButton botao);
    void Panel1MouseUp(QWidget* elemento, Qt::MouseButton botao);
    // A key of a switch (step scanning's two, timed scanning's select key) acts and the event
    // goes no further.
    bool teclaDeChave(QEvent* e);
    // Presses off the items (the background, the title strip) count where they act.
    bool pressionaForaDosItens(Qt::MouseButton botao);
    bool soltaForaDosItens(Qt::MouseButton botao);
    void atualizaAnel();
    // Where the run's places are measured: the board's surface, or with the message bar the
    // whole window, so the frame and the pointer reach the bar's cells too.
    QWidget* cliente();
    bool comBarra() const;
    void preparaBarra();
    void atualizaFaixa();
    // The cell (of the board, or of the bar after the board's) under the pointer, or -1, and
    // where a cell lies, in the client's coordinates.
    int celulaSobCursor();
    QRect retanguloDe(int pos);
    // The pixels of what lies behind a frame or the ring (client coordinates).
    QVector<QRgb> pixelsAtras(const QRect& fora, const QRect& dentro = {});
    bool emPrimeiroPlano() const;
    // After a selection: the pending board is shown now if nothing is to be heard first, and
    // otherwise watched for until it may be.
    void vigiaTroca();
    PortasExecucao portas();
    // The eye tracker's pointer, clicks, beeps and messages, for a run with the link.
    PortasTobii portasTobii();

    TPranchaGraf graf_;
    std::unique_ptr<MotorExecucao> motor_;
    bool programaEmCurso_ = false;
    QRect lugarDoAnel_; // where the ring's colour was picked for
    FaixaMensagem* faixa_ = nullptr;
};
