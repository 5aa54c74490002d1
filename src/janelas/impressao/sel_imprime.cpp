#include "janelas/impressao/sel_imprime.h"

#include "desenho/desenho.h"
#include "desenho/saida_impressa.h"
#include "janelas/comum/controles.h"
#include "janelas/comum/janelas.h"
#include "janelas/impressao/form_imprime.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"
#include "plataforma/dialogos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TFormSelImprime::TFormSelImprime(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formSelImprime"));
    setWindowTitle(QStringLiteral("Zelvana - Impressão de Pranchas"));
    setModal(true);
    resize(484, 392);
    pintaFundo(this, corDeTColor(clSkyBlue));

    lb_pranchas = new QListWidget(this);
    lb_pranchas->setObjectName(QStringLiteral("lb_pranchas"));
    lb_pranchas->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lb_pranchas->setUniformItemSizes(true);
    lb_pranchas->setStyleSheet(QStringLiteral("QListWidget::item { height: 19px; }"));
    lb_pranchas->setAccessibleName(QStringLiteral("Pranchas a imprimir"));
    Label6 = new QLabel(QStringLiteral("PRANCHAS"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setBuddy(lb_pranchas);
    QFont negrito = Label6->font();
    negrito.setBold(true);
    Label6->setFont(negrito);

    Label1 = new QLabel(QStringLiteral("Selecione várias pranchas"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("com control-click e depois"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(QStringLiteral("clique em "), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    b_imprimir = criaBotao(this, "b_imprimir", QStringLiteral("Imprimir"));
    Label5 = new QLabel(QStringLiteral("ou então"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    b_imprimirTudo = criaBotao(this, "b_imprimirTudo", QStringLiteral("Imprimir tudo"));
    connect(b_imprimir, &QPushButton::clicked, this, &TFormSelImprime::b_imprimirClick);
    connect(b_imprimirTudo, &QPushButton::clicked, this, &TFormSelImprime::b_imprimirTudoClick);

    auto* lista = new QVBoxLayout;
    lista->addWidget(Label6);
    lista->addWidget(lb_pranchas, 1);
    auto* dicas = new QVBoxLayout;
    dicas->addSpacing(24);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(b_imprimir)})
        dicas->addWidget(w);
    dicas->addSpacing(24);
    dicas->addWidget(Label5);
    dicas->addWidget(b_imprimirTudo);
    dicas->addStretch(1);
    auto* janela = new QHBoxLayout(this);
    janela->addLayout(lista, 3);
    janela->addSpacing(16);
    janela->addLayout(dicas, 2);
}

void TFormSelImprime::showEvent(QShowEvent* e) {
    FormActivate();
    QDialog::showEvent(e);
}

void TFormSelImprime::FormActivate() {
    lb_pranchas->clear();
    const int n = projeto.nPranchas();
    for (int k = 0; k < n; ++k)
        lb_pranchas->addItem(projeto.pranchas[k].nome);
    if (n > 0) lb_pranchas->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

QList<int> TFormSelImprime::selecionadas() const {
    QList<int> linhas;
    for (const QModelIndex& i : lb_pranchas->selectionModel()->selectedRows())
        linhas.append(i.row());
    std::sort(linhas.begin(), linhas.end());
    return linhas;
}

void TFormSelImprime::b_imprimirClick() {
    if (lb_pranchas->count() == 0) {
        avisoErro(QStringLiteral("Não existem pranchas neste projeto"));
        return;
    }
    const QList<int> linhas = selecionadas();
    // An empty page would be all the printer got.
    if (linhas.isEmpty()) {
        avisoErro(QStringLiteral("Nenhuma prancha selecionada: selecione as pranchas a imprimir "
                                 "ou clique em \"Imprimir tudo\""));
        return;
    }
    QPrinter impressora(QPrinter::HighResolution);
    preparaImpressora(impressora, QStringLiteral("pranchas"));
    if (!configuraImpressora(impressora)) return;
    if (janelas.formImprime) janelas.formImprime->imprime(impressora, linhas);
}

void TFormSelImprime::b_imprimirTudoClick() {
    lb_pranchas->selectAll();
    b_imprimirClick();
}
