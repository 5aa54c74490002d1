#include "desenho.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include "desenho/figuras_recentes.h"
#include "desenho/legenda.h"
#include "geometria.h"
#include "plataforma/paralelo.h"

// ---------------------------------------------------------------- elements

ElementoGraf::ElementoGraf(QWidget* pai) : QWidget(pai) {}

void ElementoGraf::paintEvent(QPaintEvent*) {
    QPainter p(this);
    pinta(p);
}

void ElementoGraf::mousePressEvent(QMouseEvent* e) {
    const TManipuladorMouse f = aoPressionar; // the handler may release the drawing
    if (f) f(this, e);
}

void ElementoGraf::mouseReleaseEvent(QMouseEvent* e) {
    const TManipuladorMouse f = aoSoltar;
    if (f) f(this, e);
}

void PainelGraf::pinta(QPainter& p) const {
    p.fillRect(QRect(QPoint(0, 0), size()), cor);
}

void ImagemGraf::pinta(QPainter& p) const {
    if (!figura.isNull()) p.drawImage(destino.topLeft(), figura);
}

void LegendaGraf::pinta(QPainter& p) const {
    const QRect caixa(QPoint(0, 0), size());
    p.fillRect(caixa, fundo);
    if (texto.isEmpty() || fonte.pixelSize() <= 0) return;
    p.setPen(corTexto);
    desenhaLegenda(p, caixa, texto, fonte);
}

MolduraGraf::MolduraGraf(QWidget* pai) : ElementoGraf(pai) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MolduraGraf::pinta(QPainter& p) const {
    const int f = largura, w = width(), h = height();
    if (f <= 0) return;
    p.fillRect(0, 0, w, f, Qt::black);
    p.fillRect(0, h - f, w, f, Qt::black);
    p.fillRect(0, 0, f, h, Qt::black);
    p.fillRect(w - f, 0, f, h, Qt::black);
}

// ---------------------------------------------------------------- measures

TTela medidaDaTela() {
    TTela t;
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        if (tela->geometry().height() > 0) t.altura = tela->geometry().height();
        if (tela->logicalDotsPerInchY() > 0) t.ppp = tela->logicalDotsPerInchY();
    }
    return t;
}

QColor corDeTColor(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

namespace {

QColor corDoTexto() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

QFont fonteNarrow(int pixels) {
    QFont f(QStringLiteral("Arial Narrow"));
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (pixels > 0) f.setPixelSize(pixels);
    return f;
}

// Everything about one item that can be worked out away from the widgets.
struct Preparo {
    QRect celula;
    QString figura, rotulo;
    bool semFigura = false, semRotulo = false;
    TPosVertical pos = TPosVertical::baixo;
    int dimTexto = 36;
    TColor cor = semCor;
    TDimMoldura dimMoldura = TDimMoldura::sem;
    // worked out
    int f = 0;
    int pixelsFonte = 0;
    QRect legenda;
    QRect area;
    QString arquivo;
    FiguraLida lida;
};

void calculaPreparo(Preparo& pr, int alturaSuperficie, const TTela& tela) {
    const int w = pr.celula.width(), h = pr.celula.height();
    pr.f = larguraMoldura(pr.dimMoldura, w);
    pr.pixelsFonte =
        pixelsDaFonte(pontosDaFonte(alturaSuperficie, pr.dimTexto, tela.altura), tela.ppp);
    int alturaLeg = 0;
    if (!pr.semRotulo) {
        alturaLeg = alturaLegenda(h, pr.pixelsFonte);
        // A label too long for one line takes a second one from the picture's height.
        if (legendaEmDuasLinhas(pr.rotulo, fonteNarrow(pr.pixelsFonte), w - 2 * pr.f))
            alturaLeg = qMin(2 * alturaLeg, h / 2);
        pr.legenda = caixaLegenda(pr.pos, w, h, pr.f, alturaLeg);
    }
    // Without a shown label the picture keeps the whole area.
    if (!pr.semFigura) pr.area = areaFigura(pr.pos, w, h, pr.f, alturaLeg);
}

void leFigura(Preparo& pr) {
    if (pr.semFigura || pr.area.width() <= 0 || pr.area.height() <= 0) return;
    pr.arquivo = resolveFigura(pr.figura, pr.rotulo);
    pr.lida = leFiguraRecente(pr.arquivo, pr.area.size());
}

void montaItem(TItemGraf& item, const Preparo& pr, QWidget* superficie) {
    liberaItemGraf(item);
    item.criado = true;
    item.vazio = pr.semRotulo && pr.semFigura;
    const QColor cor = corDeTColor(pr.cor);
    const int w = pr.celula.width(), h = pr.celula.height();

    auto* painel = new PainelGraf(superficie);
    painel->setObjectName(QStringLiteral("painel"));
    painel->cor = cor;
    painel->setGeometry(pr.celula.left(), pr.celula.top(), qMax(0, w), qMax(0, h));
    painel->setAccessibleName(pr.semRotulo ? QString() : pr.rotulo);

    auto* moldura = new MolduraGraf(painel);
    moldura->setObjectName(QStringLiteral("moldura"));
    moldura->largura = pr.f;
    moldura->setGeometry(0, 0, qMax(0, w), qMax(0, h));

    auto* imagem = new ImagemGraf(painel);
    imagem->setObjectName(QStringLiteral("imagem"));
    imagem->setGeometry(pr.area.isValid() ? pr.area : QRect());
    imagem->figura = pr.lida.imagem;
    imagem->destino = pr.lida.destino;
    imagem->arquivo = pr.lida.imagem.isNull() ? QString() : pr.arquivo;
    if (pr.semFigura) imagem->hide();

    auto* legenda = new LegendaGraf(painel);
    legenda->setObjectName(QStringLiteral("legenda"));
    legenda->fundo = cor;
    legenda->corTexto = corDoTexto();
    legenda->fonte = fonteNarrow(pr.pixelsFonte);
    if (!pr.semRotulo) {
        legenda->texto = pr.rotulo;
        legenda->setGeometry(pr.legenda);
    } else {
        legenda->hide();
    }

    item.painel = painel;
    item.moldura = moldura;
    item.imagem = imagem;
    item.legenda = legenda;
    if (item.vazio)
        painel->hide();
    else
        painel->show();
}

void apaga(QWidget* w) {
    if (!w) return;
    w->hide();
    w->deleteLater(); // it may be inside its own mouse handler
}

// Keeps a showing surface hidden while a board is put up on it. Each element shown on its own
// under the pointer makes the window system say where the pointer is, hundreds of round trips
// for a large board; shown with their surface, the elements ask once between them.
class SuperficieOculta {
public:
    explicit SuperficieOculta(QWidget* s) : superficie(s && s->isVisible() ? s : nullptr) {
        if (superficie) superficie->hide();
    }
    ~SuperficieOculta() {
        if (superficie) superficie->show();
    }
    SuperficieOculta(const SuperficieOculta&) = delete;
    SuperficieOculta& operator=(const SuperficieOculta&) = delete;

private:
    QPointer<QWidget> superficie;
};

void pintaElemento(QPainter& p, QWidget* w) {
    if (!w || w->isHidden()) return;
    p.save();
    p.translate(w->pos());
    p.setClipRect(QRect(QPoint(0, 0), w->size()), Qt::IntersectClip);
    if (auto* e = qobject_cast<ElementoGraf*>(w)) e->pinta(p);
    for (QObject* filho : w->children())
        if (auto* fw = qobject_cast<QWidget*>(filho)) pintaElemento(p, fw);
    p.restore();
}

} // namespace

// ---------------------------------------------------------------- items

void criaItemGraf(TItemGraf& item, const QRect& celula, const QString& figura, bool semFigura,
                  const QString& rotulo, bool semRotulo, TPosVertical posTexto, int dimTexto,
                  TColor cor, TDimMoldura dimMoldura, QWidget* superficie, int alturaDasFontes) {
    Preparo pr;
    pr.celula = celula;
    pr.figura = figura;
    pr.semFigura = semFigura;
    pr.rotulo = rotulo;
    pr.semRotulo = semRotulo;
    pr.pos = posTexto;
    pr.dimTexto = dimTexto;
    pr.cor = cor;
    pr.dimMoldura = dimMoldura;
    if (alturaDasFontes < 0) alturaDasFontes = superficie ? superficie->height() : 0;
    calculaPreparo(pr, alturaDasFontes, medidaDaTela());
    leFigura(pr);
    montaItem(item, pr, superficie);
}

void liberaItemGraf(TItemGraf& item) {
    if (!item.criado) return;
    for (ElementoGraf* e : std::initializer_list<ElementoGraf*>{item.painel, item.imagem,
                                                                item.legenda, item.moldura}) {
        if (e) {
            e->aoPressionar = nullptr;
            e->aoSoltar = nullptr;
        }
    }
    apaga(item.painel); // takes its children with it
    item = TItemGraf{};
}

void ligaEventosItem(TItemGraf& item, int indice, const TManipuladorMouse& aoPressionar,
                     const TManipuladorMouse& aoSoltar) {
    if (!item.criado) return;
    for (ElementoGraf* e :
         std::initializer_list<ElementoGraf*>{item.painel, item.imagem, item.legenda}) {
        if (!e) continue;
        e->tag = indice;
        e->aoPressionar = aoPressionar;
        e->aoSoltar = aoSoltar;
    }
}

int indiceDoControle(const QObject* elemento) {
    if (auto* e = qobject_cast<const PainelGraf*>(elemento)) return e->tag;
    if (auto* e = qobject_cast<const ImagemGraf*>(elemento)) return e->tag;
    if (auto* e = qobject_cast<const LegendaGraf*>(elemento))
        return e->parent() && qobject_cast<PainelGraf*>(e->parent()) ? e->tag : -1;
    return -1;
}

int itemNoPonto(const TPranchaGraf& graf, QPoint ponto) {
    for (int i = 0; i < graf.itensGraf.size(); ++i) {
        const TItemGraf& it = graf.itensGraf.at(i);
        if (!it.criado || it.vazio || !it.painel) continue;
        const QRect g = it.painel->geometry();
        if (ponto.x() >= g.left() && ponto.x() <= g.left() + g.width() && ponto.y() >= g.top() &&
            ponto.y() <= g.top() + g.height())
            return i;
    }
    return -1;
}

int itemSobCursor(const TPranchaGraf& graf, const QWidget* janela) {
    const QWidget* base = graf.superficie ? graf.superficie.data() : janela;
    if (!base) return -1;
    return itemNoPonto(graf, base->mapFromGlobal(QCursor::pos()));
}

// ---------------------------------------------------------------- boards

void liberaPranchaGraf(TPranchaGraf& graf) {
    if (!graf.criada) return;
    apaga(graf.labelTitulo);
    for (TItemGraf& it : graf.itensGraf)
        liberaItemGraf(it);
    graf.labelTitulo = nullptr;
    graf.itensGraf.clear();
    graf.criada = false;
}

void desenhaPranchaGraf(TPranchaGraf& graf, const QString& titulo, int nColunas, int nLinhas,
                        TColor cor, const TItemArray& itens, QWidget* superficie) {
    const SuperficieOculta oculta(superficie);
    liberaPranchaGraf(graf);
    if (!superficie) return;
    const TTela tela = medidaDaTela();
    const int W = superficie->width(), H = superficie->height();
    graf.superficie = superficie;
    graf.cor = corDeTColor(cor);
    QPalette pal = superficie->palette();
    pal.setColor(QPalette::Window, graf.cor);
    superficie->setPalette(pal);
    // While drawn, the surface shows the board's colour whatever role it had before.
    superficie->setBackgroundRole(QPalette::Window);
    superficie->setAutoFillBackground(true);

    const int pixelsTitulo = pixelsDaFonte(pontosDaFonte(H, 48, tela.altura), tela.ppp);
    const int T = alturaTitulo(titulo, H, pixelsTitulo);
    auto* rotuloTitulo = new LegendaGraf(superficie);
    rotuloTitulo->setObjectName(QStringLiteral("labelTitulo"));
    rotuloTitulo->texto = titulo;
    rotuloTitulo->fonte = fonteNarrow(pixelsTitulo);
    rotuloTitulo->fundo = graf.cor;
    rotuloTitulo->corTexto = corDoTexto();
    rotuloTitulo->setGeometry(0, 0, W, T);
    if (T > 0)
        rotuloTitulo->show();
    else
        rotuloTitulo->hide();
    graf.labelTitulo = rotuloTitulo;

    const int nCelulas = (nLinhas > 0 && nColunas > 0) ? nLinhas * nColunas : 0;
    graf.itensGraf = QList<TItemGraf>(nCelulas);
    QList<Preparo> preparos;
    preparos.reserve(nCelulas);
    for (int i = 0; i < nCelulas && i < itens.size(); ++i) {
        const TItem& it = itens.at(i);
        Preparo pr;
        pr.celula = calculaCelula(i, W, H, nLinhas, nColunas, T, it.deslocHoriz);
        pr.figura = it.figura;
        pr.semFigura = it.semFigura;
        pr.rotulo = it.rotulo;
        pr.semRotulo = it.semRotulo;
        pr.pos = it.posTexto;
        pr.dimTexto = it.dimTexto;
        pr.cor = it.cor;
        pr.dimMoldura = it.dimMoldura;
        calculaPreparo(pr, H, tela);
        preparos.append(pr);
    }
    // Reading and decoding is what costs; share it among the cores.
    emParalelo(preparos.size(), [&preparos](qsizetype i) { leFigura(preparos[i]); });
    for (int i = int(preparos.size()) - 1; i >= 0; --i)
        montaItem(graf.itensGraf[i], preparos.at(i), superficie);
    graf.criada = true;
}

void pintaPranchaGraf(QPainter& p, const TPranchaGraf& graf) {
    if (!graf.criada || !graf.superficie) return;
    p.save();
    p.fillRect(QRect(QPoint(0, 0), graf.superficie->size()), graf.cor);
    // Stacking order is the surface's own children order.
    for (QObject* filho : graf.superficie->children()) {
        auto* e = qobject_cast<ElementoGraf*>(filho);
        if (!e) continue;
        bool nosso = (e == graf.labelTitulo);
        for (const TItemGraf& it : graf.itensGraf)
            nosso = nosso || (e == it.painel);
        if (nosso) pintaElemento(p, e);
    }
    p.restore();
}

QImage desenhaPranchaImagem(const QString& titulo, int nColunas, int nLinhas, TColor cor,
                            const TItemArray& itens, QSize tamanho) {
    QWidget superficie; // never shown: only lends its size and holds the elements
    superficie.resize(tamanho);
    TPranchaGraf graf;
    desenhaPranchaGraf(graf, titulo, nColunas, nLinhas, cor, itens, &superficie);
    QImage imagem(tamanho, QImage::Format_RGB32);
    imagem.fill(graf.cor);
    {
        QPainter p(&imagem);
        pintaPranchaGraf(p, graf);
    }
    liberaPranchaGraf(graf);
    return imagem;
}
