#include "janelas/execucao/faixa_mensagem.h"

#include "plataforma/pastas.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

const char* const nomeDaLista = "listaMensagem";

// A screen reader sees the message as a list, each entry by its label.
QAccessibleInterface* acessivelDaLista(const QString&, QObject* objeto) {
    if (objeto && objeto->isWidgetType() && objeto->objectName() == QLatin1String(nomeDaLista))
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::List);
    return nullptr;
}

// The library's pictures for the bar's cells: a speaking head, a left arrow, a broom.
QString figuraDaCelula(CelulaBarra c) {
    const char* nome = c == CelulaBarra::falar    ? "falar.jpg"
                       : c == CelulaBarra::apagar ? "seta para a esquerda.jpg"
                                                  : "limpar.jpg";
    return pastaDoPrograma() + QStringLiteral("/ARASAAC_mini/") + QString::fromUtf8(nome);
}

bool mesmoItem(const TItem& a, const TItem& b) {
    return a.rotulo == b.rotulo && a.semRotulo == b.semRotulo && a.figura == b.figura &&
           a.semFigura == b.semFigura && a.cor == b.cor && a.posTexto == b.posTexto &&
           a.dimTexto == b.dimTexto && a.dimMoldura == b.dimMoldura;
}

const QColor fundoDaFaixa(0xE0, 0xE0, 0xE0);

} // namespace

FaixaMensagem::FaixaMensagem(QWidget* pai) : QWidget(pai) {
    static const bool fabrica = (QAccessible::installFactory(acessivelDaLista), true);
    Q_UNUSED(fabrica);
    setObjectName(QStringLiteral("faixaMensagem"));
    setAccessibleName(QStringLiteral("Barra de mensagem"));
    visor_ = new QWidget(this);
    fila_ = new QWidget(visor_);
    fila_->setObjectName(QString::fromLatin1(nomeDaLista));
    fila_->setAccessibleName(QStringLiteral("Mensagem"));
}

FaixaMensagem::~FaixaMensagem() {
    for (TItemGraf& c : celulas_)
        liberaItemGraf(c);
    for (TItemGraf& e : entradas_)
        liberaItemGraf(e);
}

void FaixaMensagem::ligaEventos(const TManipuladorMouse& celulaPressionada,
                                const TManipuladorMouse& celulaSolta,
                                const TManipuladorMouse& fundoPressionado,
                                const TManipuladorMouse& fundoSolto) {
    celulaPressionada_ = celulaPressionada;
    celulaSolta_ = celulaSolta;
    fundoPressionado_ = fundoPressionado;
    fundoSolto_ = fundoSolto;
    for (int c = 0; c < celulasDaBarra; ++c)
        ligaEventosItem(celulas_[c], c, celulaPressionada_, celulaSolta_);
    for (TItemGraf& e : entradas_)
        ligaEventosItem(e, -1, fundoPressionado_, fundoSolto_);
}

int FaixaMensagem::margem() const {
    return qMax(12, height() / 24); // room for the scan frame around a cell
}

int FaixaMensagem::lado() const {
    return qMax(1, height() - 2 * margem());
}

QRect FaixaMensagem::retanguloCelula(int celula) const {
    if (celula < 0 || celula >= celulasDaBarra) return {};
    const int m = margem(), l = lado();
    return QRect(width() - (celulasDaBarra - celula) * (l + m), m, l, l);
}

QRect FaixaMensagem::lugarDaEntrada(int i) const {
    const int m = margem(), l = lado();
    return QRect(m + i * (l + m), m, l, l);
}

int FaixaMensagem::celulaNoPonto(QPoint ponto) const {
    for (int c = 0; c < celulasDaBarra; ++c)
        if (retanguloCelula(c).contains(ponto)) return c;
    return -1;
}

bool FaixaMensagem::ehCelula(const QObject* elemento) const {
    for (const TItemGraf& c : celulas_)
        for (const QObject* o = elemento; o; o = o->parent())
            if (o == c.painel) return true;
    return false;
}

void FaixaMensagem::criaCelulas() {
    for (int c = 0; c < celulasDaBarra; ++c) {
        TItemGraf& g = celulas_[c];
        const QString nome = nomeDaCelulaBarra(CelulaBarra(c));
        // No picture name: the project's own picture of that name would be taken instead.
        criaItemGraf(g, retanguloCelula(c), QString(), false, nome, false, TPosVertical::baixo, 36,
                     semCor, TDimMoldura::media, this, alturaDasFontes_);
        if (g.imagem) {
            const FiguraLida lida =
                leFiguraAjustada(figuraDaCelula(CelulaBarra(c)), g.imagem->size());
            g.imagem->figura = lida.imagem;
            g.imagem->destino = lida.destino;
            g.imagem->update();
        }
        ligaEventosItem(g, c, celulaPressionada_, celulaSolta_);
    }
}

void FaixaMensagem::criaEntrada(int i) {
    const TItem& it = mostradas_.at(i).item;
    TItemGraf& g = entradas_[i];
    criaItemGraf(g, lugarDaEntrada(i), it.figura, it.semFigura, it.rotulo, it.semRotulo,
                 it.posTexto, it.dimTexto, it.cor, it.dimMoldura, fila_, alturaDasFontes_);
    ligaEventosItem(g, -1, fundoPressionado_, fundoSolto_);
}

void FaixaMensagem::rolaParaAUltima() {
    const int m = margem();
    const int largura = qMax(visor_->width(), lugarDaEntrada(int(entradas_.size())).left() + m);
    fila_->setGeometry(qMin(0, visor_->width() - largura), 0, largura, height());
}

void FaixaMensagem::mostra(const QList<EntradaMensagem>& entradas, int alturaDasFontes) {
    qsizetype comum = 0;
    if (alturaDasFontes == alturaDasFontes_)
        while (comum < mostradas_.size() && comum < entradas.size() &&
               mesmoItem(mostradas_.at(comum).item, entradas.at(comum).item))
            ++comum;
    while (entradas_.size() > comum) {
        liberaItemGraf(entradas_.last());
        entradas_.removeLast();
    }
    if (alturaDasFontes != alturaDasFontes_) {
        alturaDasFontes_ = alturaDasFontes;
        criaCelulas();
    }
    mostradas_ = entradas;
    entradas_.resize(entradas.size());
    for (qsizetype i = comum; i < entradas.size(); ++i)
        criaEntrada(int(i));
    rolaParaAUltima();
}

void FaixaMensagem::resizeEvent(QResizeEvent*) {
    const int m = margem();
    visor_->setGeometry(0, 0, qMax(0, retanguloCelula(0).left() - m), height());
    for (TItemGraf& e : entradas_)
        liberaItemGraf(e);
    entradas_.clear();
    criaCelulas();
    const QList<EntradaMensagem> todas = mostradas_;
    mostradas_.clear();
    mostra(todas, alturaDasFontes_);
}

void FaixaMensagem::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), fundoDaFaixa);
    // A line where the board begins.
    p.fillRect(QRect(0, height() - 2, width(), 2), Qt::black);
}
