// The runner: one board at a time over the whole screen, driven by three timers. The rules live
// in MotorExecucao; this window gives it the drawing, the output queue, the pointer and timers.
#pragma once

#include "render/desenho.h"
#include "runner/execucao_logica.h"
#include "runner/tobii.h"

#include <QDialog>
#include <memory>

class QTimer;

// Shape1: the red band of scanning and hovering; clicks pass through it.
class MolduraVermelha : public QWidget {
    Q_OBJECT
public:
    explicit MolduraVermelha(QWidget* pai);

protected:
    void paintEvent(QPaintEvent*) override;
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

    QWidget* Panel1;
    MolduraVermelha* Shape1;
    QTimer* TimerVarredura;
    QTimer* TimerHisterese;
    QTimer* TimerSerializacao;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void FormActivate();
    void FormClose();
    void cobreATela();
    void Panel1MouseDown(QWidget* elemento);
    void Panel1MouseUp(QWidget* elemento);
    PortasExecucao portas();
    // The eye tracker's pointer, clicks, beeps and messages, for a run with the link.
    PortasTobii portasTobii();

    TPranchaGraf graf_;
    std::unique_ptr<MotorExecucao> motor_;
    bool programaEmCurso_ = false;
};
