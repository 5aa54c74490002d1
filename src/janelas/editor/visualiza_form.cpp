#include "janelas/editor/visualiza_form.h"

#include "janelas/comum/ativacao.h"
#include "janelas/editor/saida_prancha.h"
#include "logica/execucao/execucao_logica.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

bool modoSilencioso = false;

TformVisualiza::TformVisualiza(QWidget* pai) : QWidget(pai, Qt::Window) {
    setObjectName("formVisualiza");
    setWindowTitle("Zelvana - Visualização completa");
    resize(800, 600);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    layout->addWidget(Panel1);
    Panel1->installEventFilter(this);
    origem = new OrigemDaAtivacao(this);
    // A board's sound and then its speech: the queue moves on only when pumped.
    auto* bomba = new QTimer(this);
    bomba->setInterval(200);
    connect(bomba, &QTimer::timeout, this, [] { saidaLivre(); });
    bomba->start();
}

void TformVisualiza::selecionaPrancha(int indice) {
    pranchaVisualizada = indice;
}

void TformVisualiza::mostraModal() {
    QEventLoop laco;
    setWindowModality(Qt::ApplicationModal);
    fechado = [&laco] { laco.quit(); };
    show();
    activateWindow();
    laco.exec();
    fechado = nullptr;
    setWindowModality(Qt::NonModal);
}

void TformVisualiza::desenhaVisualizacao(int indice) {
    if (indice < 0 || indice >= projeto.nPranchas()) return;
    pranchaVisualizada = indice;
    const TPrancha& b = projeto.pranchas[indice];
    desenhaPranchaGraf(graf, b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, Panel1);
    Panel1->update();
    if (!modoSilencioso) {
        enfileiraSom(b.som);
        if (!b.fala.isEmpty()) enfileiraSom(b.fala);
        avancaFila();
    }
}

bool TformVisualiza::event(QEvent* e) {
    // A message of the item trial keeps the board on screen and, once answered, does not
    // play the board's sound again.
    if (e->type() == QEvent::WindowActivate && !(origem->vemDeDialogoModal() && graf.criada))
        FormActivate();
    else if (e->type() == QEvent::WindowDeactivate && !dialogoModalPorCima(this))
        liberaPranchaGraf(graf);
    return QWidget::event(e);
}

void TformVisualiza::FormActivate() {
    iniciaVoz(projeto.falando);
    desenhoHabilitado = true;
    Panel1Resize();
}

void TformVisualiza::Panel1Resize() {
    if (!desenhoHabilitado) return;
    desenhaVisualizacao(pranchaVisualizada);
    for (int n = 0; n < graf.itensGraf.size(); ++n)
        ligaEventosItem(
            graf.itensGraf[n], n, [](QWidget*, QMouseEvent*) { QApplication::beep(); },
            [this](QWidget* elemento, QMouseEvent*) { Panel1MouseUp(elemento); });
}

// Esc closes the preview like any dialog, also where no window manager draws a close box.
void TformVisualiza::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(e);
}

bool TformVisualiza::eventFilter(QObject* alvo, QEvent* e) {
    if (alvo == Panel1 && e->type() == QEvent::Resize) Panel1Resize();
    return QWidget::eventFilter(alvo, e);
}

void TformVisualiza::closeEvent(QCloseEvent* e) {
    paraTudo();
    desenhoHabilitado = false;
    liberaPranchaGraf(graf);
    QWidget::closeEvent(e);
    if (fechado) fechado();
}

void TformVisualiza::Panel1MouseUp(QWidget* elemento) {
    const int n = indiceDoControle(elemento);
    if (n < 0 || pranchaVisualizada < 0 || pranchaVisualizada >= projeto.nPranchas()) return;
    const TPrancha& b = projeto.pranchas[pranchaVisualizada];
    if (n >= b.itens.size()) return;
    const TItem it = b.itens[n];
    // The same outputs as in a run, through the same queue, without blocking.
    for (const Saida& s : saidasDoItem(it, projeto.falando && temVoz()))
        s.fala ? enfileiraFala(s.texto) : enfileiraSom(s.texto);
    avancaFila();
    if (!it.executar.isEmpty()) avisoInfo("Executaria " + it.executar);
    if (!it.link.isEmpty())
        avisoInfo("Desviaria para " + it.link);
    else if (!b.link.isEmpty())
        avisoInfo("Desviaria para " + b.link);
    else
        avisoInfo("Desvio não programado no item " + QString::number(n));
}

void TformVisualiza::imprimePrancha() {
    imprimePranchaIndice(pranchaVisualizada, Panel1->size());
}

void TformVisualiza::gravaJpg() {
    gravaPranchaJpg(pranchaVisualizada, Panel1->size());
}
