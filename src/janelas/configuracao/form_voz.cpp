#include "janelas/configuracao/form_voz.h"

#include "desenho/desenho.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "plataforma/cores.h"
#include "plataforma/voz_escolha.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

const QString TFormVoz::fraseDeTeste =
    QStringLiteral("Olá! É com esta voz que as pranchas vão falar.");

TFormVoz::TFormVoz(QWidget* pai) : QDialog(pai), anterior(sintetizador::escolhaAtual()) {
    setObjectName(QStringLiteral("FormVoz"));
    setWindowTitle(QStringLiteral("Voz do sintetizador"));
    pintaFundo(this, corDeTColor(azulDoPainel));

    c_voz = new QComboBox(this);
    c_voz->setObjectName(QStringLiteral("c_voz"));
    for (const sintetizador::VozDoSintetizador& v : sintetizador::vozesPortuguesas())
        c_voz->addItem(v.descricao, v.nome);
    c_variante = new QComboBox(this);
    c_variante->setObjectName(QStringLiteral("c_variante"));
    c_variante->addItem(QStringLiteral("Padrão"), QString());
    for (const sintetizador::VozDoSintetizador& v : sintetizador::variantes())
        c_variante->addItem(v.descricao, v.nome);
    e_velocidade = new QSpinBox(this);
    e_velocidade->setObjectName(QStringLiteral("e_velocidade"));
    e_velocidade->setRange(sintetizador::EscolhaDeVoz::velocidadeMinima,
                           sintetizador::EscolhaDeVoz::velocidadeMaxima);
    e_velocidade->setSingleStep(25);

    c_voz->setCurrentIndex(qMax(0, c_voz->findData(anterior.voz)));
    c_variante->setCurrentIndex(qMax(0, c_variante->findData(anterior.variante)));
    e_velocidade->setValue(anterior.velocidade);

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("&Voz"), c_voz);
    campos->addRow(QStringLiteral("V&ariante"), c_variante);
    campos->addRow(QStringLiteral("Ve&locidade (palavras por minuto)"), e_velocidade);
    c_voz->setAccessibleName(QStringLiteral("Voz"));
    c_variante->setAccessibleName(QStringLiteral("Variante"));
    e_velocidade->setAccessibleName(QStringLiteral("Velocidade em palavras por minuto"));

    b_testar = new QPushButton(QStringLiteral("&Testar"), this);
    b_testar->setObjectName(QStringLiteral("b_testar"));
    b_ok = new QPushButton(QStringLiteral("OK"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    b_ok->setDefault(true);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(b_testar);
    botoes->addStretch();
    botoes->addWidget(b_ok);
    botoes->addWidget(b_cancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(botoes);

    bomba = new QTimer(this);
    bomba->setInterval(100);
    connect(bomba, &QTimer::timeout, this, [this] {
        if (saidaLivre()) bomba->stop();
    });
    connect(b_testar, &QPushButton::clicked, this, &TFormVoz::b_testarClick);
    connect(b_ok, &QPushButton::clicked, this, &TFormVoz::b_okClick);
    connect(b_cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

sintetizador::EscolhaDeVoz TFormVoz::escolhaNaTela() const {
    sintetizador::EscolhaDeVoz e;
    e.voz = c_voz->currentData().toString();
    e.variante = c_variante->currentData().toString();
    e.velocidade = e_velocidade->value();
    return e;
}

void TFormVoz::b_testarClick() {
    sintetizador::defineEscolha(escolhaNaTela());
    if (!temVoz()) {
        iniciaVoz(true);
        vozIniciadaAqui = temVoz();
    }
    paraTudo();
    enfileiraFala(fraseDeTeste);
    avancaFila();
    bomba->start();
}

void TFormVoz::b_okClick() {
    anterior = escolhaNaTela();
    guardaEscolhaDeVoz(anterior);
    accept();
}

void TFormVoz::done(int resultado) {
    bomba->stop();
    paraTudo();
    if (vozIniciadaAqui) encerraVoz();
    vozIniciadaAqui = false;
    sintetizador::defineEscolha(anterior);
    QDialog::done(resultado);
}
