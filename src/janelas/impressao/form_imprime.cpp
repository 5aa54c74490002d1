#include "janelas/impressao/form_imprime.h"

#include "desenho/desenho.h"
#include "desenho/trabalho_impressao.h"
#include "janelas/comum/controles.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"
#include "plataforma/dialogos.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TFormImprime::TFormImprime(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formImprime"));
    setWindowTitle(QStringLiteral("Zelvana - Impressão de Pranchas"));
    setModal(true);
    pintaFundo(this, corDeTColor(clSkyBlue));

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAccessibleName(QStringLiteral("Prancha sendo impressa"));
    QFont grande = Panel1->font();
    grande.setPixelSize(24);
    Panel1->setFont(grande);

    l_progresso = new QLabel(this);
    l_progresso->setObjectName(QStringLiteral("l_progresso"));
    pb_progresso = new QProgressBar(this);
    pb_progresso->setObjectName(QStringLiteral("pb_progresso"));
    pb_progresso->setAccessibleName(QStringLiteral("Pranchas impressas"));
    pb_progresso->setFormat(QStringLiteral("%v de %m"));
    b_cancelar = criaBotao(this, "b_cancelar", QStringLiteral("Cancelar"));
    b_cancelar->setCursor(Qt::ArrowCursor);
    connect(b_cancelar, &QPushButton::clicked, this, &TFormImprime::reject);

    auto* andamento = new QHBoxLayout;
    andamento->addWidget(l_progresso, 1);
    andamento->addWidget(pb_progresso, 2);
    andamento->addWidget(b_cancelar);
    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->addWidget(Panel1, 1);
    coluna->addLayout(andamento);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFormImprime::Timer1Timer);
    // One board a step, each started from the event loop, so the window paints and answers
    // between two boards.
    timerPasso = new QTimer(this);
    timerPasso->setInterval(0);
    timerPasso->setSingleShot(true);
    connect(timerPasso, &QTimer::timeout, this, &TFormImprime::passo);
}

TFormImprime::~TFormImprime() = default;

bool TFormImprime::imprimindo() const {
    return Timer1->isActive() || trabalho != nullptr;
}

void TFormImprime::imprime(QPrinter& qual, const QList<int>& escolhidas) {
    impressora = &qual;
    pranchas = escolhidas;
    fim = Fim::nada;
    ativada = false;
    Panel1->clear();
    for (QWidget* w : {static_cast<QWidget*>(l_progresso), static_cast<QWidget*>(pb_progresso),
                       static_cast<QWidget*>(b_cancelar)})
        w->hide();
    cobreATela();
    exec();
    unsetCursor();
    const QString pdf = trabalho ? trabalho->pdf() : QString();
    trabalho.reset();
    impressora = nullptr;
    if (fim == Fim::impresso && !pdf.isEmpty())
        avisoInfo(QStringLiteral("As pranchas foram salvas em ") + pdf);
    else if (fim == Fim::falhou)
        avisoErro(pdf.isEmpty() ? QStringLiteral("Não foi possível imprimir as pranchas")
                                : QStringLiteral("Não foi possível gravar o arquivo ") + pdf);
}

void TFormImprime::cobreATela() {
    setWindowState(windowState() | Qt::WindowMaximized);
    // Without a window manager maximizing does nothing: take the screen's working area.
    const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    if (tela) setGeometry(tela->availableGeometry());
}

void TFormImprime::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (ativada || !impressora) return;
    ativada = true;
    // The printer question comes over the window once it is on the screen.
    QTimer::singleShot(0, this, &TFormImprime::FormActivate);
}

void TFormImprime::FormActivate() {
    if (!impressora || !isVisible()) return;
    // Cancelled, the window stays open and empty until the author closes it.
    if (!configuraImpressora(*impressora)) return;
    Panel1->setText(QStringLiteral("Preparando impressão"));
    setCursor(Qt::WaitCursor);
    Timer1->start();
}

void TFormImprime::Timer1Timer() {
    Timer1->stop();
    if (!impressora) return;
    trabalho = std::make_unique<TrabalhoDeImpressao>(*impressora, pranchas, size());
    if (!trabalho->comeca()) {
        encerra(Fim::falhou);
        return;
    }
    pb_progresso->setRange(0, trabalho->total());
    pb_progresso->setValue(0);
    for (QWidget* w : {static_cast<QWidget*>(l_progresso), static_cast<QWidget*>(pb_progresso),
                       static_cast<QWidget*>(b_cancelar)})
        w->show();
    mostraAndamento();
    timerPasso->start();
}

void TFormImprime::passo() {
    if (!trabalho) return;
    if (!trabalho->imprimeProxima()) {
        encerra(Fim::falhou);
        return;
    }
    const QImage& imagem = trabalho->ultimaImagem();
    if (!imagem.isNull())
        Panel1->setPixmap(QPixmap::fromImage(
            imagem.scaled(Panel1->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
    mostraAndamento();
    if (trabalho->acabou())
        encerra(trabalho->termina() ? Fim::impresso : Fim::falhou);
    else
        timerPasso->start();
}

void TFormImprime::mostraAndamento() {
    const int n = trabalho->feitas();
    const int total = trabalho->total();
    pb_progresso->setValue(n);
    l_progresso->setText(
        n < total ? QStringLiteral("Preparando impressão: prancha %1 de %2").arg(n + 1).arg(total)
                  : QStringLiteral("Terminando a impressão"));
}

void TFormImprime::encerra(Fim como) {
    Timer1->stop();
    timerPasso->stop();
    fim = como;
    unsetCursor();
    accept();
}

void TFormImprime::reject() {
    Timer1->stop();
    timerPasso->stop();
    if (trabalho) {
        trabalho->cancela();
        fim = Fim::cancelado;
    }
    unsetCursor();
    QDialog::reject();
}
