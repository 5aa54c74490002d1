#include "app/form_quick_msg.h"

#include "desenho/desenho.h"
#include "plataforma/cores.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TformQuickMsg::TformQuickMsg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this)), Timer1(new QTimer(this)) {
    setObjectName("formQuickMsg");
    setWindowTitle("Zelvana");
    setFixedSize(457, 54);
    pintaFundo(this, corDeTColor(clSkyBlue));

    Label1->setObjectName("Label1");
    Label1->setGeometry(0, 16, 457, 20);
    Label1->setAlignment(Qt::AlignCenter);
    pintaFundo(Label1, corDeTColor(clAqua));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPixelSize(16);
    Label1->setFont(f);

    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TformQuickMsg::Timer1Timer);
}

void TformQuickMsg::mostra(const QString& texto, int ms) {
    // A message longer than the window (a file path) widens it up to the screen, so it can
    // be read; past that its middle gives way.
    QScreen* tela = QGuiApplication::primaryScreen();
    const int limite = tela ? tela->availableGeometry().width() - 40 : 1024;
    const int largura =
        qBound(457, Label1->fontMetrics().horizontalAdvance(texto) + 32, qMax(457, limite));
    setFixedSize(largura, 54);
    Label1->setGeometry(0, 16, largura, 20);
    Label1->setText(Label1->fontMetrics().elidedText(texto, Qt::ElideMiddle, largura - 16));
    Timer1->setInterval(qMax(0, ms));
    Timer1->start();
    if (tela) move(tela->availableGeometry().center() - rect().center());
    exec();
}

void TformQuickMsg::Timer1Timer() {
    Timer1->stop();
    accept();
}
