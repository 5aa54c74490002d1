#include "janelas/comum/controles.h"

#include "desenho/desenho.h"
#include "janelas/comum/grupo_opcoes.h"
#include "plataforma/cores.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& texto) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QLabel* criaRotulo(QWidget* pai, const QString& texto, int pixels, QWidget* controle) {
    auto* l = new QLabel(texto, pai);
    QFont f = l->font();
    f.setPixelSize(pixels);
    f.setBold(false);
    l->setFont(f);
    if (controle) l->setBuddy(controle);
    return l;
}

QCheckBox* criaMarca(QWidget* pai, const char* nome, const QString& texto) {
    auto* c = new QCheckBox(texto, pai);
    c->setObjectName(QLatin1String(nome));
    return c;
}

TGrupoOpcoes* criaGrupoOpcoes(QWidget* pai, const char* nome, const QString& titulo,
                              const QStringList& entradas, TColor fundo) {
    auto* g = new TGrupoOpcoes(titulo, entradas, pai);
    g->setObjectName(QLatin1String(nome));
    pintaFundo(g, corDeTColor(fundo));
    return g;
}

QComboBox* criaCombo(QWidget* pai, const char* nome) {
    auto* c = new QComboBox(pai);
    c->setObjectName(QLatin1String(nome));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void trocaLista(QComboBox* combo, const QStringList& nomes) {
    const QString texto = combo->currentText();
    {
        // The text ends as it began: nothing to tell.
        const QSignalBlocker quieto(combo);
        combo->clear();
        combo->addItems(nomes);
        combo->setEditText(texto);
    }
}

QIcon iconeDeSom(GlifoSom glifo) {
    QPixmap p(20, 20);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    switch (glifo) {
    case GlifoSom::tocar: {
        g.setBrush(QColor(0, 128, 0));
        const QPointF t[3] = {{5, 3}, {17, 10}, {5, 17}};
        g.drawPolygon(t, 3);
        break;
    }
    case GlifoSom::parar:
        g.setBrush(Qt::black);
        g.drawRect(5, 5, 10, 10);
        break;
    case GlifoSom::gravar:
        g.setBrush(Qt::red);
        g.drawEllipse(QPointF(10, 10), 6, 6);
        break;
    }
    return QIcon(p);
}

QPushButton* criaBotaoDeSom(QWidget* pai, const char* nome, GlifoSom glifo,
                            const QString& nomeAcessivel) {
    auto* b = criaBotao(pai, nome, QString());
    b->setIcon(iconeDeSom(glifo));
    b->setToolTip(glifo == GlifoSom::tocar   ? QStringLiteral("Play")
                  : glifo == GlifoSom::parar ? QStringLiteral("Stop")
                                             : QStringLiteral("Record"));
    b->setAccessibleName(nomeAcessivel);
    return b;
}
