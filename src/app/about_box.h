// "Sobre este programa": credits; at start-up it closes by itself after five seconds.
#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Arms the self-closing timer for the next showing only.
    void ativaFechamentoAutomatico();

    QPushButton* b_OK;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;

private:
    void FormActivate();
    void b_OKClick();
    void Timer1Timer();
};
