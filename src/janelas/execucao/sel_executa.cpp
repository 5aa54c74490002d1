#include "janelas/execucao/sel_executa.h"

#include "desenho/desenho.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSelExecuta::TFormSelExecuta(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formSelExecuta"));
    setWindowTitle(QStringLiteral("Zelvana - Executar"));
    setModal(true);
    resize(289, 184);
    pintaFundo(this, corDeTColor(clSkyBlue));

    Label1 = new QLabel(QStringLiteral("Selecione a prancha inicial"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrito = Label1->font();
    negrito.setBold(true);
    Label1->setFont(negrito);

    combo_pranchaInicial = new QComboBox(this);
    combo_pranchaInicial->setObjectName(QStringLiteral("combo_pranchaInicial"));
    combo_pranchaInicial->setEditable(true);
    combo_pranchaInicial->setInsertPolicy(QComboBox::NoInsert);

    b_ok = new QPushButton(QStringLiteral("Ok"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    b_ok->setDefault(true);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    connect(b_ok, &QPushButton::clicked, this, &TFormSelExecuta::b_okClick);
    connect(b_cancelar, &QPushButton::clicked, this, &TFormSelExecuta::b_cancelarClick);

    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(Label1);
    coluna->addWidget(combo_pranchaInicial);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(b_ok);
    botoes->addWidget(b_cancelar);
    coluna->addLayout(botoes);
}

void TFormSelExecuta::showEvent(QShowEvent* e) {
    FormActivate();
    QDialog::showEvent(e);
}

void TFormSelExecuta::FormActivate() {
    combo_pranchaInicial->clear();
    const int n = projeto.nPranchas();
    for (int k = 0; k < n; ++k)
        combo_pranchaInicial->addItem(projeto.pranchas[k].nome);
    combo_pranchaInicial->setEditText(n > 0 ? projeto.pranchas[0].nome : QString());
}

QString TFormSelExecuta::escolhe() {
    exec(); // closing with the close box keeps the text, like "Ok"
    return combo_pranchaInicial->currentText();
}

void TFormSelExecuta::b_okClick() {
    accept();
}

void TFormSelExecuta::b_cancelarClick() {
    combo_pranchaInicial->setEditText(QString());
    reject();
}
