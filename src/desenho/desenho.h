// The drawing of a board on a surface of any size: one code path for a widget, a QImage and a
// printer page. The elements are child widgets of the surface (hit-testing, handlers, tags);
// each paints itself through pinta(QPainter&), which pintaPranchaGraf also uses to paint a
// whole drawing into any painter.
#pragma once

#include "figura.h"
#include "nucleo/prvars.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class QMouseEvent;
class QPainter;

// Press and release handlers given to an item's elements; `elemento` is the element pressed.
using TManipuladorMouse = std::function<void(QWidget* elemento, QMouseEvent* evento)>;

// Base of every drawn element: a tag and the handlers; paints through pinta().
class ElementoGraf : public QWidget {
    Q_OBJECT
public:
    explicit ElementoGraf(QWidget* pai);
    virtual void pinta(QPainter& p) const = 0;
    int tag = 0;
    TManipuladorMouse aoPressionar;
    TManipuladorMouse aoSoltar;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class PainelGraf : public ElementoGraf { // the cell, filled with the item colour
    Q_OBJECT
public:
    using ElementoGraf::ElementoGraf;
    void pinta(QPainter& p) const override;
    QColor cor;
};

class ImagemGraf : public ElementoGraf { // the picture area; the picture decoded at shown size
    Q_OBJECT
public:
    using ElementoGraf::ElementoGraf;
    void pinta(QPainter& p) const override;
    QImage figura;
    QRect destino;   // where the picture lies, in the element's coordinates
    QString arquivo; // the file shown, empty when none
};

class LegendaGraf : public ElementoGraf { // the label (also the board's title strip)
    Q_OBJECT
public:
    using ElementoGraf::ElementoGraf;
    void pinta(QPainter& p) const override;
    QString texto;
    QFont fonte;
    QColor fundo;
    QColor corTexto;
};

class MolduraGraf : public ElementoGraf { // the black frame; presses go through it to the cell
    Q_OBJECT
public:
    explicit MolduraGraf(QWidget* pai);
    void pinta(QPainter& p) const override;
    int largura = 0;
};

struct TItemGraf {
    QPointer<PainelGraf> painel;
    QPointer<ImagemGraf> imagem;
    QPointer<LegendaGraf> legenda;
    QPointer<MolduraGraf> moldura;
    bool criado = false;
    bool vazio = false;
};

struct TPranchaGraf {
    QPointer<LegendaGraf> labelTitulo;
    QList<TItemGraf> itensGraf;
    bool criada = false;
    // Where the drawing lies and its colour, so it can be painted elsewhere.
    QPointer<QWidget> superficie;
    QColor cor;
};

// The screen the sizes are measured against (primary screen; 768 px and 96 ppi without one).
struct TTela {
    int altura = 768;
    double ppp = 96.0;
};
TTela medidaDaTela();

QColor corDeTColor(TColor c); // $00BBGGRR to QColor, $FFFFFF included (white)

void desenhaPranchaGraf(TPranchaGraf& graf, const QString& titulo, int nColunas, int nLinhas,
                        TColor cor, const TItemArray& itens, QWidget* superficie);
void liberaPranchaGraf(TPranchaGraf& graf);

// Font sizes are measured against `alturaDasFontes`, the surface's height when not given (an
// item drawn away from its board keeps its board's label size).
void criaItemGraf(TItemGraf& item, const QRect& celula, const QString& figura, bool semFigura,
                  const QString& rotulo, bool semRotulo, TPosVertical posTexto, int dimTexto,
                  TColor cor, TDimMoldura dimMoldura, QWidget* superficie,
                  int alturaDasFontes = -1);
void liberaItemGraf(TItemGraf& item);

void ligaEventosItem(TItemGraf& item, int indice, const TManipuladorMouse& aoPressionar,
                     const TManipuladorMouse& aoSoltar);
int indiceDoControle(const QObject* elemento);

// Index of the drawn, shown item under the pointer, or -1; the point is taken relative to the
// board surface (the runner's client area when the board fills it).
int itemSobCursor(const TPranchaGraf& graf, const QWidget* janela);
int itemNoPonto(const TPranchaGraf& graf, QPoint ponto); // same, for a point on the surface

// Paints the drawing as it lies on its surface into p (origin at the surface's top left).
void pintaPranchaGraf(QPainter& p, const TPranchaGraf& graf);
// Draws a board off screen at the given size and gives its picture.
QImage desenhaPranchaImagem(const QString& titulo, int nColunas, int nLinhas, TColor cor,
                            const TItemArray& itens, QSize tamanho);
