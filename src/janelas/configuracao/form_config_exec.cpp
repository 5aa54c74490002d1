#include "janelas/configuracao/form_config_exec.h"

#include "desenho/desenho.h"
#include "janelas/comum/controles.h"
#include "janelas/configuracao/form_config_acesso.h"
#include "janelas/configuracao/form_voz.h"
#include "logica/configuracao/config_exec_regras.h"
#include "logica/editor/documento_projeto.h"
#include "logica/execucao/voz.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"
#include "plataforma/sensor_escolha.h"
#include "plataforma/voz_espeak.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QFont fonte(const QString& familia, int pixels, bool negrito = false) {
    QFont f(familia);
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

QFont fonteDosRotulos() {
    return fonte(QStringLiteral("MS Sans Serif"), 24);
}
QFont fonteDosNumeros() {
    return fonte(QStringLiteral("Consolas"), 16);
}

QLabel* rotulo(QWidget* pai, const QString& texto, const QRect& onde) {
    auto* l = new QLabel(texto, pai);
    l->setFont(fonteDosRotulos());
    l->setGeometry(onde);
    return l;
}

QComboBox* comboDePrancha(QWidget* pai, const char* nome, const QString& texto, int y) {
    QLabel* l = rotulo(pai, texto, QRect(16, y, 246, 30));
    auto* c = new QComboBox(pai);
    c->setObjectName(nome);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setFont(fonteDosNumeros());
    c->setGeometry(266, y + 2, 215, 28);
    c->setAccessibleName(texto);
    l->setBuddy(c);
    return c;
}

// One time of the sky-blue panel: its label, the box, and the unit after it.
QLineEdit* tempo(QWidget* painel, const char* nome, const QString& texto, const QString& padrao,
                 int y) {
    QLabel* l = rotulo(painel, texto, QRect(8, y, 300, 30));
    auto* e = new QLineEdit(padrao, painel);
    e->setObjectName(nome);
    e->setFont(fonteDosNumeros());
    e->setGeometry(318, y + 2, 100, 26);
    e->setAccessibleName(texto);
    e->setAccessibleDescription(QStringLiteral("em milissegundos"));
    l->setBuddy(e);
    auto* ms = new QLabel(QStringLiteral("ms"), painel);
    ms->setFont(fonteDosNumeros());
    ms->setGeometry(424, y + 6, 40, 20);
    return e;
}

QCheckBox* caixa(QWidget* pai, const char* nome, const QString& texto, bool marcada, int y) {
    auto* c = criaMarca(pai, nome, texto);
    c->setFont(fonteDosRotulos());
    c->setChecked(marcada);
    c->setGeometry(16, y, 465, 32);
    return c;
}

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto, const QRect& onde) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(nome);
    b->setFont(fonte(b->font().family(), 16, true));
    b->setGeometry(onde);
    return b;
}

// The boards of the project in a combo box, with the stored name as its text.
void preenche(QComboBox* c, const QString& texto) {
    c->clear();
    for (int i = 0; i < projeto.nPranchas(); ++i)
        c->addItem(projeto.pranchas[i].nome);
    c->setEditText(texto);
}

} // namespace

TFormConfigExec::TFormConfigExec(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("FormConfigExec"));
    setWindowTitle(QStringLiteral("Configura Execução"));
    setFixedSize(497, 546);
    pintaFundo(this, corDeTColor(azulDoPainel));
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());

    c_pranchaInicial =
        comboDePrancha(this, "c_pranchaInicial", QStringLiteral("Prancha inicial"), 12);
    c_pranchaSocorro =
        comboDePrancha(this, "c_pranchaSocorro", QStringLiteral("Prancha de Socorro"), 50);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 92, 481, 168);
    pintaFundo(Panel1, corDeTColor(clSkyBlue));
    e_varredura = tempo(Panel1, "e_varredura", QStringLiteral("Varredura"), "2000", 8);
    e_histerese =
        tempo(Panel1, "e_histerese", QStringLiteral("Ignora cliques múltiplos"), "1000", 48);
    e_socorro = tempo(Panel1, "e_socorro", QStringLiteral("Clique para socorro"), "3000", 88);
    e_autoClique = tempo(Panel1, "e_autoClique", QStringLiteral("Tempo de auto-clique"), "0", 128);

    cb_falaClicados =
        caixa(this, "cb_falaClicados", QStringLiteral("Fala itens clicados"), true, 272);
    cb_sintetNaoGrav =
        caixa(this, "cb_sintetNaoGrav", QStringLiteral("Sintetiza sons não gravados."), true, 306);
    cb_falaVarredura = caixa(this, "cb_falaVarredura",
                             QStringLiteral("Fala rótulos durante a varredura"), false, 340);
    cb_acionaTobii =
        caixa(this, "cb_acionaTobii", QStringLiteral("Aciona o sensor de olhos"), false, 374);

    b_sint =
        botao(this, "b_sint", QStringLiteral("Escolher o sintetizador de voz (quando instalado)"),
              QRect(16, 420, 465, 40));
    b_ok = botao(this, "b_ok", QStringLiteral("OK"), QRect(188, 480, 140, 44));
    b_ok->setDefault(true);
    b_cancela = botao(this, "b_cancela", QStringLiteral("Cancelar"), QRect(341, 480, 140, 44));
    b_maisOpcoes =
        botao(this, "b_maisOpcoes", QStringLiteral("Mais opções…"), QRect(16, 480, 160, 44));

    connect(b_ok, &QPushButton::clicked, this, &TFormConfigExec::b_okClick);
    connect(b_cancela, &QPushButton::clicked, this, &QDialog::reject);
    connect(b_sint, &QPushButton::clicked, this, &TFormConfigExec::b_sintClick);
    connect(b_maisOpcoes, &QPushButton::clicked, this, &TFormConfigExec::b_maisOpcoesClick);
    // Left open beside the editor, the window follows what the editor changes: an undone
    // setting, a renamed or removed board in the lists.
    DocumentoProjeto& documento = documentoProjeto();
    connect(&documento, &DocumentoProjeto::configuracaoMudou, this, [this] {
        if (isVisible()) FormActivate();
    });
    const auto listaPranchas = [this] {
        preenche(c_pranchaInicial, c_pranchaInicial->currentText());
        preenche(c_pranchaSocorro, c_pranchaSocorro->currentText());
    };
    connect(&documento, &DocumentoProjeto::pranchasMudaram, this, listaPranchas);
    connect(&documento, &DocumentoProjeto::pranchaMudou, this, listaPranchas);
}

bool TFormConfigExec::event(QEvent* e) {
    // Each showing starts from the project; while open, the document's signals keep it true.
    if (e->type() == QEvent::Show) FormActivate();
    return QDialog::event(e);
}

void TFormConfigExec::mostraNaoModal() {
    if (isVisible() && isModal()) return;
    setModal(false);
    show();
    raise();
    activateWindow();
}

void TFormConfigExec::FormActivate() {
    pendente = projeto;
    cb_sintetNaoGrav->setChecked(projeto.sintetizando);
    cb_falaVarredura->setChecked(projeto.falaVarredura);
    cb_falaClicados->setChecked(projeto.falando);
    cb_acionaTobii->setChecked(projeto.acionaTobii);
    escreveTempos(projeto);
    preenche(c_pranchaInicial, projeto.pranchaInicial);
    preenche(c_pranchaSocorro, projeto.pranchaSocorro);
}

void TFormConfigExec::escreveTempos(const TProjeto& p) {
    e_varredura->setText(QString::number(p.tempoVarredura));
    e_histerese->setText(QString::number(p.tempoHisterese));
    e_socorro->setText(QString::number(p.tempoSocorro));
    e_autoClique->setText(QString::number(p.tempoAutoClique));
}

// All or nothing: a refused time leaves the project as it was.
void TFormConfigExec::b_okClick() {
    TProjeto novo = pendente; // "Mais opções…" as confirmed; the boards are shared, not copied
    novo.falando = cb_falaClicados->isChecked();
    novo.falaVarredura = cb_falaVarredura->isChecked();
    novo.sintetizando = cb_sintetNaoGrav->isChecked();
    novo.acionaTobii = cb_acionaTobii->isChecked();
    novo.pranchaInicial = c_pranchaInicial->currentText();
    novo.pranchaSocorro = c_pranchaSocorro->currentText();
    QString erro;
    switch (guardaTempos(
        novo, {e_varredura->text(), e_histerese->text(), e_socorro->text(), e_autoClique->text()},
        &erro)) {
    case ResultadoDosTempos::invalido:
        avisoErro(erro);
        return;
    case ResultadoDosTempos::corrigido:
        avisoErro(QStringLiteral("Tempos incoerentes: mudei para valores coerentes (em ms)"));
        escreveTempos(novo);
        return;
    case ResultadoDosTempos::coerente:
        break;
    }
    // The eye tracker belongs to this computer: kept for its next starts, never in the project.
    if (novo.acionaTobii != projeto.acionaTobii) guardaSensorDeOlhos(novo.acionaTobii);
    documentoProjeto().guardaConfiguracao(novo);
    accept();
}

void TFormConfigExec::b_sintClick() {
    if (sintetizador::vozesPortuguesas().isEmpty()) {
        avisoErro(textoSemSintetizador);
        return;
    }
    TFormVoz(this).exec();
}

void TFormConfigExec::b_maisOpcoesClick() {
    TFormConfigAcesso(pendente, this).exec();
}
