#include "app/about_box.h"

#include "app/icone.h"
#include "desenho/desenho.h"
#include "nucleo/versao.h"
#include "plataforma/cores.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      b_OK(new QPushButton("Ok", this)), Timer1(new QTimer(this)) {
    setObjectName("aboutBox");
    setWindowTitle("Sobre este programa");
    setFixedSize(396, 476);
    pintaFundo(this, corDeTColor(azulDoPainel));

    auto* painel = new QWidget(this);
    painel->setGeometry(8, 8, 380, 412);
    pintaFundo(painel, Qt::white, Qt::black);
    auto* coluna = new QVBoxLayout(painel);

    auto* icone = new QLabel(painel);
    icone->setPixmap(iconeDoPrograma(96));
    icone->setAlignment(Qt::AlignCenter);
    coluna->addWidget(icone);

    auto* faixa = new QLabel("Zelvana", painel);
    faixa->setAlignment(Qt::AlignCenter);
    pintaFundo(faixa, corDeTColor(clMaroon), corDeTColor(clYellow));
    QFont ff = faixa->font();
    ff.setBold(true);
    ff.setPixelSize(24);
    faixa->setFont(ff);
    faixa->setMinimumHeight(44);
    coluna->addWidget(faixa);

    auto* linha = new QLabel("Editor de Pranchas de Comunicação", painel);
    linha->setAlignment(Qt::AlignCenter);
    QFont fl = linha->font();
    fl.setBold(true);
    linha->setFont(fl);
    coluna->addWidget(linha);

    auto* creditos = new QLabel(painel);
    creditos->setWordWrap(true);
    creditos->setAlignment(Qt::AlignCenter);
    creditos->setText("Versão " ZELVANA_VERSAO "\n\n"
                      "Programa para construir e usar pranchas de comunicação: "
                      "figuras com rótulos que falam, tocam sons e levam a outras pranchas.\n\n"
                      "Pictogramas: desenhos Noto Emoji (licença Apache 2.0), "
                      "com nomes em português do Brasil do Unicode CLDR.\n\n"
                      "Voz: eSpeak NG, português do Brasil.\n\n" ZELVANA_LICENCA);
    coluna->addWidget(creditos, 1);

    b_OK->setObjectName("b_OK");
    b_OK->setGeometry(158, 432, 80, 30);
    connect(b_OK, &QPushButton::clicked, this, &TAboutBox::b_OKClick);

    Timer1->setObjectName("Timer1");
    Timer1->setInterval(5000);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);
}

void TAboutBox::ativaFechamentoAutomatico() {
    Timer1->start();
}

void TAboutBox::showEvent(QShowEvent* e) {
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
    // Not every platform reports activation of a dialog; the pointer goes onto Ok either way.
    QTimer::singleShot(0, this, &TAboutBox::FormActivate);
}

bool TAboutBox::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(e);
}

void TAboutBox::FormActivate() {
    // A click right after the box appears confirms it.
    if (isVisible()) QCursor::setPos(b_OK->mapToGlobal(b_OK->rect().center()));
}

void TAboutBox::b_OKClick() {
    Timer1->stop();
    accept();
}

void TAboutBox::Timer1Timer() {
    Timer1->stop();
    accept();
}
