#include "janelas/execucao/form_executa.h"

#include "desenho/contraste.h"
#include "janelas/comum/janelas.h"
#include "janelas/execucao/dicas_exec.h"
#include "janelas/execucao/execucao_programa.h"
#include "janelas/execucao/faixa_mensagem.h"
#include "janelas/execucao/imprime_tela.h"
#include "janelas/execucao/ponteiro.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/tobii.h"
#include "logica/execucao/voz.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

MolduraVermelha::MolduraVermelha(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("Shape1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void MolduraVermelha::envolve(const QRect& faixa, const QColor& cor) {
    setGeometry(faixa.adjusted(-borda, -borda, borda, borda));
    if (cor != cor_) {
        cor_ = cor;
        update();
    }
}

namespace {

// A band of width w along the inside of r.
void faixa(QPainter& p, const QRect& r, int w, const QColor& cor) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), cor);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), cor);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), cor);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), cor);
}

} // namespace

void MolduraVermelha::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const int b = borda;
    faixa(p, r, b, Qt::black);
    faixa(p, r.adjusted(b, b, -b, -b), 10, cor_);
    faixa(p, r.adjusted(b + 10, b + 10, -b - 10, -b - 10), b, Qt::white);
}

AnelPermanencia::AnelPermanencia(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("anelPermanencia"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAccessibleName(QStringLiteral("Progresso do auto-clique"));
    hide();
}

QRect AnelPermanencia::lugar(const QRect& celula) {
    const int lado = qMax(32, qMin(celula.width(), celula.height()) / 2);
    QRect r(0, 0, lado, lado);
    r.moveCenter(celula.center());
    return r;
}

void AnelPermanencia::mostra(const QRect& celula, double fracao, const QColor& cor) {
    const QRect r = lugar(celula);
    fracao_ = qBound(0.0, fracao, 1.0);
    cor_ = cor;
    setAccessibleDescription(QStringLiteral("%1%").arg(qRound(fracao_ * 100)));
    if (geometry() != r) setGeometry(r);
    raise();
    show();
    update();
}

void AnelPermanencia::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int grossura = qMax(8, width() / 6);
    const QRectF r = QRectF(rect()).adjusted(grossura / 2.0 + 2, grossura / 2.0 + 2,
                                             -grossura / 2.0 - 2, -grossura / 2.0 - 2);
    p.setBrush(Qt::NoBrush);
    // The track: black edges around a white ring.
    p.setPen(QPen(Qt::black, grossura + 4));
    p.drawEllipse(r);
    p.setPen(QPen(Qt::white, grossura));
    p.drawEllipse(r);
    // The share done, clockwise from twelve o'clock.
    p.setPen(QPen(cor_, grossura, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(r, 90 * 16, -qRound(fracao_ * 360 * 16));
}

namespace {

void poeCursor(FormaCursor f) {
    QApplication::restoreOverrideCursor();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    switch (f) {
    case FormaCursor::padrao:
        break;
    case FormaCursor::ampulheta:
        QApplication::setOverrideCursor(Qt::WaitCursor);
        break;
    case FormaCursor::setasDivididas:
        QApplication::setOverrideCursor(Qt::SplitVCursor);
        break;
    case FormaCursor::maoApontando:
        QApplication::setOverrideCursor(Qt::PointingHandCursor);
        break;
    }
}

} // namespace

TFormExecuta::TFormExecuta(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formExecuta"));
    setWindowTitle(QStringLiteral("Zelvana - Demonstração"));
    setModal(true);
    setSizeGripEnabled(false);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    Shape1 = new MolduraVermelha(Panel1);
    anelPermanencia = new AnelPermanencia(Panel1);

    TimerVarredura = new QTimer(this);
    TimerVarredura->setObjectName(QStringLiteral("TimerVarredura"));
    TimerHisterese = new QTimer(this);
    TimerHisterese->setObjectName(QStringLiteral("TimerHisterese"));
    TimerSerializacao = new QTimer(this);
    TimerSerializacao->setObjectName(QStringLiteral("TimerSerializacao"));
    TimerSerializacao->setInterval(intervaloSerializacao);
    TimerProgresso = new QTimer(this);
    TimerProgresso->setObjectName(QStringLiteral("TimerProgresso"));
    TimerProgresso->setInterval(40);
    TimerTeclas = new QTimer(this);
    TimerTeclas->setObjectName(QStringLiteral("TimerTeclas"));
    TimerTeclas->setSingleShot(true);
    TimerTeclas->setTimerType(Qt::PreciseTimer);
    TimerTeclas->setInterval(TeclasSeguradas::janelaDeRepeticao + 5);
    TimerTroca = new QTimer(this);
    TimerTroca->setObjectName(QStringLiteral("TimerTroca"));
    TimerTroca->setTimerType(Qt::PreciseTimer);
    TimerTroca->setInterval(intervaloTroca);

    motor_ = std::make_unique<MotorExecucao>(projeto, portas());
    connect(TimerVarredura, &QTimer::timeout, this, [this] { motor_->tickVarredura(); });
    connect(TimerHisterese, &QTimer::timeout, this, [this] { motor_->tickHisterese(); });
    connect(TimerTeclas, &QTimer::timeout, this, [this] {
        motor_->confirmaSoltas();
        vigiaTroca();
    });
    connect(TimerSerializacao, &QTimer::timeout, this, [this] {
        motor_->confirmaSoltas(); // should the key timer have come early
        motor_->tickSerializacao();
        atualizaAnel();
        vigiaTroca(); // a dwell may have chosen
    });
    connect(TimerTroca, &QTimer::timeout, this, &TFormExecuta::vigiaTroca);
    connect(TimerProgresso, &QTimer::timeout, this, &TFormExecuta::atualizaAnel);
}

TFormExecuta::~TFormExecuta() {
    liberaPranchaGraf(graf_);
}

PortasExecucao TFormExecuta::portas() {
    PortasExecucao p;
    p.desenha = [this](int k) {
        const TPrancha& pr = projeto.pranchas[k];
        liberaPranchaGraf(graf_);
        desenhaPranchaGraf(graf_, pr.titulo, pr.nColunas, pr.nLinhas, pr.cor, pr.itens, Panel1);
        const int n = qMin(pr.nItens(), int(graf_.itensGraf.size()));
        for (int i = 0; i < n; ++i)
            ligaEventosItem(
                graf_.itensGraf[i], i,
                [this](QWidget* el, QMouseEvent* e) { Panel1MouseDown(el, e->button()); },
                [this](QWidget* el, QMouseEvent* e) { Panel1MouseUp(el, e->button()); });
        // The title strip is part of the window a switch presses on, as the background is.
        if (graf_.labelTitulo) {
            graf_.labelTitulo->aoPressionar = [this](QWidget*, QMouseEvent* e) {
                pressionaForaDosItens(e->button());
            };
            graf_.labelTitulo->aoSoltar = [this](QWidget*, QMouseEvent* e) {
                soltaForaDosItens(e->button());
            };
        }
        lugarDoAnel_ = QRect();
        Shape1->raise();
        anelPermanencia->hide();
        atualizaFaixa();
    };
    p.nCelulas = [this] { return int(graf_.itensGraf.size()); };
    p.celulaMostrada = [this](int i) {
        return i >= 0 && i < graf_.itensGraf.size() && graf_.itensGraf[i].criado &&
               !graf_.itensGraf[i].vazio;
    };
    p.retanguloCelula = [this](int i) { return retanguloDe(i); };
    p.rotuloDesenhado = [this](int i) {
        const TItemGraf& it = graf_.itensGraf.value(i);
        return it.legenda && it.legenda->isVisible() ? it.legenda->texto : QString();
    };
    p.itemSobCursor = [this] { return celulaSobCursor(); };
    p.posicaoCursor = [this] { return cliente()->mapFromGlobal(QCursor::pos()); };
    p.moveCursor = [this](QPoint c) { movePonteiro(cliente()->mapToGlobal(c)); };
    p.mostraMoldura = [this](const QRect& r) {
        // What lies behind the band: the board around the cell and the cell's own edge.
        const int w = 10;
        Shape1->envolve(r,
                        corQueSeDestaca(pixelsAtras(r, r.adjusted(2 * w, 2 * w, -2 * w, -2 * w))));
        Shape1->raise();
        Shape1->show();
    };
    p.escondeMoldura = [this] { Shape1->hide(); };
    p.cursor = poeCursor;
    // A choice's first output starts at once when the queue is at rest, not at the next tick.
    p.enfileiraSom = [](const QString& s) { enfileiraSomJa(s); };
    p.enfileiraFala = [](const QString& s) { enfileiraFalaJa(s); };
    p.saidaLivre = [] { return saidaLivre(); };
    p.vozExiste = [] { return temVoz(); };
    p.emPrimeiroPlano = [this] { return emPrimeiroPlano(); };
    p.executaPrograma = [this](const QString& texto) {
        programaEmCurso_ = true;
        QPointer<TFormExecuta> eu(this);
        ::executaPrograma(
            texto, [] { return saidaLivre(); },
            [eu] {
                if (eu) eu->programaEmCurso_ = false;
            });
    };
    p.timerVarredura = [this](bool ligado) {
        if (ligado && TimerVarredura->interval() > 0)
            TimerVarredura->start();
        else
            TimerVarredura->stop();
    };
    p.intervaloVarredura = [this](int ms) { TimerVarredura->setInterval(ms); };
    p.timerHisterese = [this](bool ligado) {
        if (ligado)
            TimerHisterese->start();
        else
            TimerHisterese->stop();
    };
    p.imprimeTela = [this] { ::imprimeTela(this); };
    p.mostraDicas = [this] {
        if (janelas.formDicasExec)
            janelas.formDicasExec->exec();
        else
            TformDicasExec(this).exec();
    };
    p.fecha = [this] { QTimer::singleShot(0, this, [this] { close(); }); };
    p.barraMudou = [this] { atualizaFaixa(); };
    return p;
}

bool TFormExecuta::emPrimeiroPlano() const {
    // While a program is being started the runner keeps still, as if another window were in front.
    return !programaEmCurso_ && QApplication::activeWindow() == this;
}

void TFormExecuta::vigiaTroca() {
    // Only once a run is under way, and never beside a message or a starting program: the tick
    // takes the board up again when the run is back in front.
    const auto aEspera = [this] {
        return TimerSerializacao->isActive() && motor_->pendente >= 0 && emPrimeiroPlano();
    };
    if (aEspera()) motor_->aplicaPendente();
    // Still waiting (the item's output goes on): looked at again shortly.
    if (aEspera())
        TimerTroca->start();
    else
        TimerTroca->stop();
}

PortasTobii TFormExecuta::portasTobii() {
    PortasTobii p;
    p.movePonteiro = movePonteiro;
    p.clicaEm = clicaEm;
    p.bipe = [] { QApplication::beep(); };
    p.aviso = [this](const QString& texto) {
        avisoErro(texto);
        // Back in front once answered, also where no window manager gives the focus back.
        if (isVisible()) activateWindow();
    };
    return p;
}

bool TFormExecuta::preparaExecucao(const QString& nome) {
    const bool achou = motor_->preparaExecucao(nome);
    preparaBarra();
    TimerHisterese->setInterval(motor_->intervaloHisterese());
    TimerHisterese->setSingleShot(true);
    if (achou && projeto.acionaTobii) iniciaTobii(portasTobii());
    return achou;
}

void TFormExecuta::cobreATela() {
    showMaximized();
    // Without a window manager maximizing does nothing: take the screen ourselves.
    QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    if (tela && !frameGeometry().contains(tela->availableGeometry()))
        setGeometry(tela->availableGeometry());
}

void TFormExecuta::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    cobreATela();
    activateWindow();
    raise();
}

bool TFormExecuta::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && isVisible()) FormActivate();
    // Away from the run a key's release may never come: no key is held when it comes back.
    if (e->type() == QEvent::WindowDeactivate) motor_->esqueceTeclas();
    // Before the dialog's own keys: Tab would move the focus, Enter press a default button.
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && teclaDeChave(e))
        return true;
    return QDialog::event(e);
}

void TFormExecuta::FormActivate() {
    motor_->ativacao();
    if (!temVoz()) iniciaVoz(projeto.falando);
    cobreATela();
    TimerSerializacao->start();
    if (projeto.acesso.progressoPermanencia && autoCliqueLigado(projeto)) TimerProgresso->start();
}

void TFormExecuta::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    motor_->redimensiona();
}

void TFormExecuta::closeEvent(QCloseEvent* e) {
    FormClose();
    QDialog::closeEvent(e);
}

void TFormExecuta::reject() {
    // Escape does not end a run; only closing the window does.
    if (isVisible() && !TimerSerializacao->isActive()) QDialog::reject();
}

void TFormExecuta::FormClose() {
    // First, so that no gaze point moves the pointer once the run is over.
    encerraTobii();
    motor_->fechamento();
    TimerSerializacao->stop();
    TimerProgresso->stop();
    TimerTeclas->stop();
    TimerTroca->stop();
    anelPermanencia->hide();
    paraTudo();
    encerraVoz();
    liberaPranchaGraf(graf_);
    poeCursor(FormaCursor::padrao);
    setWindowState(Qt::WindowNoState);
}

void TFormExecuta::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
        close(); // also where no window manager handles Alt+F4
        return;
    }
    if (const BarraMensagem* barra = motor_->barra()) {
        // The message as text, for a person who goes on writing it elsewhere.
        if (e->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(barra->texto());
            return;
        }
        if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~Qt::KeypadModifier)) {
            motor_->acionaBarra(CelulaBarra::apagar);
            return;
        }
    }
    if (e->key() == Qt::Key_P && (e->modifiers() & Qt::ControlModifier)) {
        motor_->tecla(QChar(16));
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && QStringLiteral(" +-*/?").contains(t[0])) {
        motor_->tecla(t[0]);
        return;
    }
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}

bool TFormExecuta::teclaDeChave(QEvent* e) {
    if (!TimerSerializacao->isActive()) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    if (e->type() == QEvent::KeyPress) return motor_->apertaTecla(k->key(), k->isAutoRepeat());
    if (!motor_->soltaTecla(k->key())) return false;
    TimerTeclas->start();
    return true;
}

void TFormExecuta::Panel1MouseDown(QWidget*, Qt::MouseButton botao) {
    const TOpcoesAcesso& a = projeto.acesso;
    if (a.passoAPasso) {
        if (int(botao) == a.avanca.botao) motor_->passo();
        if (int(botao) == a.seleciona.botao) motor_->pressiona();
        return;
    }
    if (botaoSeleciona(a.selecionaVarredura, botao)) motor_->pressiona();
}

void TFormExecuta::Panel1MouseUp(QWidget* elemento, Qt::MouseButton botao) {
    const TOpcoesAcesso& a = projeto.acesso;
    if (a.passoAPasso ? int(botao) != a.seleciona.botao
                      : !botaoSeleciona(a.selecionaVarredura, botao))
        return;
    int pos = indiceDoControle(elemento);
    if (faixa_ && faixa_->ehCelula(elemento)) pos += int(graf_.itensGraf.size());
    motor_->solta(pos);
    vigiaTroca();
}

bool TFormExecuta::pressionaForaDosItens(Qt::MouseButton botao) {
    // Off the items a press counts only where it has something to do (a row, a resting scan,
    // the step switches); otherwise it does nothing, as before.
    if (!motor_->aceitaToqueNoFundo()) return false;
    Panel1MouseDown(nullptr, botao);
    return true;
}

bool TFormExecuta::soltaForaDosItens(Qt::MouseButton botao) {
    if (!motor_->aceitaToqueNoFundo()) return false;
    Panel1MouseUp(nullptr, botao);
    return true;
}

void TFormExecuta::mousePressEvent(QMouseEvent* e) {
    if (!pressionaForaDosItens(e->button())) QDialog::mousePressEvent(e);
}

void TFormExecuta::mouseReleaseEvent(QMouseEvent* e) {
    if (!soltaForaDosItens(e->button())) QDialog::mouseReleaseEvent(e);
}

void TFormExecuta::atualizaAnel() {
    const int item = celulaSobCursor();
    const double f = motor_->progressoPermanencia(item);
    const QRect celula = f < 0 ? QRect() : retanguloDe(item);
    if (celula.isNull()) {
        anelPermanencia->hide();
        return;
    }
    // Picked once per cell, not 25 times a second; the track is behind the filling too.
    QColor cor = anelPermanencia->cor();
    if (AnelPermanencia::lugar(celula) != lugarDoAnel_) {
        lugarDoAnel_ = AnelPermanencia::lugar(celula);
        cor = corQueSeDestaca(pixelsAtras(lugarDoAnel_), {Qt::white});
    }
    anelPermanencia->mostra(celula, f, cor);
}

// ---------------------------------------------------------------- the message bar

bool TFormExecuta::comBarra() const {
    return faixa_ && motor_->barra();
}

QWidget* TFormExecuta::cliente() {
    return comBarra() ? static_cast<QWidget*>(this) : Panel1;
}

void TFormExecuta::preparaBarra() {
    if (!motor_->barra() && !faixa_) return; // a run as it always was
    if (!faixa_) {
        faixa_ = new FaixaMensagem(this);
        auto* coluna = static_cast<QVBoxLayout*>(layout());
        coluna->setSpacing(0);
        coluna->insertWidget(0, faixa_);
        faixa_->ligaEventos(
            [this](QWidget* el, QMouseEvent* e) { Panel1MouseDown(el, e->button()); },
            [this](QWidget* el, QMouseEvent* e) { Panel1MouseUp(el, e->button()); },
            [this](QWidget*, QMouseEvent* e) { pressionaForaDosItens(e->button()); },
            [this](QWidget*, QMouseEvent* e) { soltaForaDosItens(e->button()); });
    }
    faixa_->setVisible(motor_->barra() != nullptr);
    // About a sixth of the screen; the board gets the rest.
    faixa_->setFixedHeight(medidaDaTela().altura / 6);
    // The frame and the ring reach over the bar too.
    for (QWidget* w : {static_cast<QWidget*>(Shape1), static_cast<QWidget*>(anelPermanencia)}) {
        w->setParent(cliente());
        w->hide();
    }
    atualizaFaixa();
}

void TFormExecuta::atualizaFaixa() {
    if (comBarra()) faixa_->mostra(motor_->barra()->entradas(), Panel1->height());
}

int TFormExecuta::celulaSobCursor() {
    if (comBarra()) {
        const int c = faixa_->celulaNoPonto(faixa_->mapFromGlobal(QCursor::pos()));
        if (c >= 0) return int(graf_.itensGraf.size()) + c;
    }
    return itemSobCursor(graf_, this);
}

QRect TFormExecuta::retanguloDe(int pos) {
    const int n = int(graf_.itensGraf.size());
    if (comBarra() && pos >= n) {
        const QRect r = faixa_->retanguloCelula(pos - n);
        return r.isNull() ? r : r.translated(faixa_->pos());
    }
    const TItemGraf& it = graf_.itensGraf.value(pos);
    return it.painel ? it.painel->geometry().translated(Panel1->mapTo(cliente(), QPoint()))
                     : QRect();
}

QVector<QRgb> TFormExecuta::pixelsAtras(const QRect& fora, const QRect& dentro) {
    const QPoint origem = Panel1->mapTo(cliente(), QPoint());
    if (!comBarra() || fora.center().y() >= origem.y())
        return pixelsDoDesenho(graf_, fora.translated(-origem), dentro.translated(-origem));
    // Over the bar: the strip as drawn.
    const QRect naFaixa = fora.translated(-faixa_->pos()) & faixa_->rect();
    return pixelsForaDe(faixa_->grab(naFaixa).toImage(), naFaixa.topLeft() + faixa_->pos(), dentro);
}
