#include "janelas/configuracao/form_config_acesso.h"

#include "desenho/desenho.h"
#include "janelas/comum/controles.h"
#include "janelas/comum/grupo_opcoes.h"
#include "logica/configuracao/config_exec_regras.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int tamanhoDoTexto = 16;

QLineEdit* numero(QWidget* pai, const char* nome, const QString& nomeAcessivel) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setMaximumWidth(100);
    e->setAccessibleName(nomeAcessivel);
    return e;
}

QComboBox* lista(QWidget* pai, const char* nome, const QString& nomeAcessivel) {
    auto* c = new QComboBox(pai);
    c->setObjectName(QLatin1String(nome));
    c->setAccessibleName(nomeAcessivel);
    return c;
}

void preencheTeclas(QComboBox* c) {
    for (const NomeDeTecla& t : teclasDeChave())
        c->addItem(t.mostrado, t.tecla);
}

void preencheBotoes(QComboBox* c) {
    for (const NomeDeBotao& b : botoesDeChave())
        c->addItem(b.mostrado, b.botao);
}

void escolhe(QComboBox* c, int valor) {
    const int i = c->findData(valor);
    c->setCurrentIndex(i < 0 ? 0 : i);
}

// A box for a number and, after it, its unit or a hint.
QWidget* comUnidade(QWidget* pai, QLineEdit* caixa, const QString& unidade) {
    auto* linha = new QWidget(pai);
    auto* h = new QHBoxLayout(linha);
    h->setContentsMargins(0, 0, 0, 0);
    caixa->setParent(linha);
    h->addWidget(caixa);
    h->addWidget(new QLabel(unidade, linha));
    h->addStretch();
    return linha;
}

// A row of the switches' box: its caption, then the key and the mouse button.
void linhaDeChave(QWidget* pai, QFormLayout* f, const QString& texto, QComboBox* tecla,
                  QComboBox* botao) {
    auto* linha = new QWidget(pai);
    auto* h = new QHBoxLayout(linha);
    h->setContentsMargins(0, 0, 0, 0);
    // Each list has a caption of its own, which screen readers announce with it.
    h->addWidget(criaRotulo(linha, QStringLiteral("tecla"), tamanhoDoTexto, tecla));
    h->addWidget(tecla, 1);
    h->addWidget(criaRotulo(linha, QStringLiteral("botão do mouse"), tamanhoDoTexto, botao));
    h->addWidget(botao, 1);
    f->addRow(criaRotulo(pai, texto, tamanhoDoTexto), linha);
}

} // namespace

TFormConfigAcesso::TFormConfigAcesso(TProjeto& destino, QWidget* pai)
    : QDialog(pai), destino(destino) {
    setObjectName(QStringLiteral("FormConfigAcesso"));
    setWindowTitle(QStringLiteral("Mais opções de acesso"));
    setModal(true);
    pintaFundo(this, corDeTColor(clSkyBlue));
    QFont f = font();
    f.setPixelSize(tamanhoDoTexto);
    setFont(f);

    auto* v = new QVBoxLayout(this);

    rg_modoVarredura =
        new TGrupoOpcoes(QStringLiteral("Modo de varredura"),
                         {QStringLiteral("Um item de cada vez"),
                          QStringLiteral("Linha por linha, depois os itens da linha escolhida")},
                         this);
    rg_modoVarredura->setObjectName(QStringLiteral("rg_modoVarredura"));
    v->addWidget(rg_modoVarredura);

    auto* caixaTempos = new QWidget(this);
    auto* tempos = new QFormLayout(caixaTempos);
    e_pausaPrimeiro =
        numero(caixaTempos, "e_pausaPrimeiro", QStringLiteral("Pausa a mais no primeiro item"));
    e_pausaPrimeiro->setAccessibleDescription(QStringLiteral("em milissegundos"));
    tempos->addRow(criaRotulo(caixaTempos, QStringLiteral("Pausa a mais no primeiro item"),
                              tamanhoDoTexto, e_pausaPrimeiro),
                   comUnidade(caixaTempos, e_pausaPrimeiro, QStringLiteral("ms")));
    e_voltasVarredura = numero(caixaTempos, "e_voltasVarredura",
                               QStringLiteral("Voltas da varredura antes de parar"));
    e_voltasVarredura->setAccessibleDescription(QStringLiteral("0: não para"));
    tempos->addRow(criaRotulo(caixaTempos, QStringLiteral("Voltas antes de parar"), tamanhoDoTexto,
                              e_voltasVarredura),
                   comUnidade(caixaTempos, e_voltasVarredura, QStringLiteral("(0: não para)")));
    v->addWidget(caixaTempos);

    auto* comTempo = new QGroupBox(QStringLiteral("Varredura com tempo"), this);
    auto* ft = new QFormLayout(comTempo);
    c_teclaVarredura = lista(comTempo, "c_teclaVarredura",
                             QStringLiteral("Tecla que seleciona na varredura com tempo"));
    c_botaoVarredura = lista(comTempo, "c_botaoVarredura",
                             QStringLiteral("Botão do mouse que seleciona na varredura com tempo"));
    c_teclaVarredura->addItem(QStringLiteral("Nenhuma"), 0);
    preencheTeclas(c_teclaVarredura);
    c_botaoVarredura->addItem(QStringLiteral("Qualquer"), qualquerBotao);
    preencheBotoes(c_botaoVarredura);
    linhaDeChave(comTempo, ft, QStringLiteral("Seleciona"), c_teclaVarredura, c_botaoVarredura);
    v->addWidget(comTempo);

    auto* passo = new QGroupBox(QStringLiteral("Duas chaves"), this);
    auto* fp = new QFormLayout(passo);
    cb_passoAPasso = new QCheckBox(
        QStringLiteral("Varredura passo a passo: uma chave avança, a outra seleciona"), passo);
    cb_passoAPasso->setObjectName(QStringLiteral("cb_passoAPasso"));
    fp->addRow(cb_passoAPasso);
    auto* nota = new QLabel(QStringLiteral("Sem tempo: o destaque só anda com a chave. A pausa, "
                                           "as voltas e o auto-clique não valem aqui."),
                            passo);
    nota->setWordWrap(true);
    fp->addRow(nota);
    c_teclaAvanca = lista(passo, "c_teclaAvanca", QStringLiteral("Tecla que avança"));
    c_botaoAvanca = lista(passo, "c_botaoAvanca", QStringLiteral("Botão do mouse que avança"));
    c_teclaSeleciona = lista(passo, "c_teclaSeleciona", QStringLiteral("Tecla que seleciona"));
    c_botaoSeleciona =
        lista(passo, "c_botaoSeleciona", QStringLiteral("Botão do mouse que seleciona"));
    preencheTeclas(c_teclaAvanca);
    preencheTeclas(c_teclaSeleciona);
    preencheBotoes(c_botaoAvanca);
    preencheBotoes(c_botaoSeleciona);
    linhaDeChave(passo, fp, QStringLiteral("Avança"), c_teclaAvanca, c_botaoAvanca);
    linhaDeChave(passo, fp, QStringLiteral("Seleciona"), c_teclaSeleciona, c_botaoSeleciona);
    v->addWidget(passo);

    cb_progressoPermanencia =
        new QCheckBox(QStringLiteral("Mostra um anel que se enche durante o auto-clique"), this);
    cb_progressoPermanencia->setObjectName(QStringLiteral("cb_progressoPermanencia"));
    v->addWidget(cb_progressoPermanencia);
    cb_barraMensagem = new QCheckBox(QStringLiteral("Barra de mensagem"), this);
    cb_barraMensagem->setObjectName(QStringLiteral("cb_barraMensagem"));
    v->addWidget(cb_barraMensagem);
    cb_trocaSemEsperar = new QCheckBox(QStringLiteral("Troca a prancha sem esperar a fala"), this);
    cb_trocaSemEsperar->setObjectName(QStringLiteral("cb_trocaSemEsperar"));
    v->addWidget(cb_trocaSemEsperar);

    auto* caixaBotoes = new QWidget(this);
    auto* botoes = new QHBoxLayout(caixaBotoes);
    botoes->addStretch();
    b_ok = criaBotao(caixaBotoes, "b_ok", QStringLiteral("OK"));
    b_ok->setDefault(true);
    b_cancela = criaBotao(caixaBotoes, "b_cancela", QStringLiteral("Cancelar"));
    botoes->addWidget(b_ok);
    botoes->addWidget(b_cancela);
    v->addWidget(caixaBotoes);

    connect(b_ok, &QPushButton::clicked, this, &TFormConfigAcesso::b_okClick);
    connect(b_cancela, &QPushButton::clicked, this, &QDialog::reject);
    connect(cb_passoAPasso, &QCheckBox::toggled, this, &TFormConfigAcesso::habilitaChaves);
    carrega();
}

void TFormConfigAcesso::carrega() {
    const TOpcoesAcesso& a = destino.acesso;
    rg_modoVarredura->setItemIndex(a.modoVarredura == TModoVarredura::linhaColuna ? 1 : 0);
    e_pausaPrimeiro->setText(QString::number(a.pausaPrimeiro));
    e_voltasVarredura->setText(QString::number(a.voltasVarredura));
    cb_passoAPasso->setChecked(a.passoAPasso);
    escolhe(c_teclaAvanca, a.avanca.tecla);
    escolhe(c_botaoAvanca, a.avanca.botao);
    escolhe(c_teclaSeleciona, a.seleciona.tecla);
    escolhe(c_botaoSeleciona, a.seleciona.botao);
    escolhe(c_teclaVarredura, a.selecionaVarredura.tecla);
    escolhe(c_botaoVarredura, a.selecionaVarredura.botao);
    cb_progressoPermanencia->setChecked(a.progressoPermanencia);
    cb_barraMensagem->setChecked(a.barraMensagem);
    cb_trocaSemEsperar->setChecked(a.trocaSemEsperar);
    habilitaChaves();
}

void TFormConfigAcesso::habilitaChaves() {
    const bool passo = cb_passoAPasso->isChecked();
    for (QComboBox* c : {c_teclaAvanca, c_botaoAvanca, c_teclaSeleciona, c_botaoSeleciona})
        c->setEnabled(passo);
    c_teclaVarredura->setEnabled(!passo);
    c_botaoVarredura->setEnabled(!passo);
}

void TFormConfigAcesso::b_okClick() {
    TOpcoesAcesso a = destino.acesso;
    a.modoVarredura =
        rg_modoVarredura->itemIndex() == 1 ? TModoVarredura::linhaColuna : TModoVarredura::linear;
    a.passoAPasso = cb_passoAPasso->isChecked();
    a.avanca = {c_teclaAvanca->currentData().toInt(), c_botaoAvanca->currentData().toInt()};
    a.seleciona = {c_teclaSeleciona->currentData().toInt(),
                   c_botaoSeleciona->currentData().toInt()};
    a.selecionaVarredura = {c_teclaVarredura->currentData().toInt(),
                            c_botaoVarredura->currentData().toInt()};
    a.progressoPermanencia = cb_progressoPermanencia->isChecked();
    a.barraMensagem = cb_barraMensagem->isChecked();
    a.trocaSemEsperar = cb_trocaSemEsperar->isChecked();
    const QString erro =
        guardaOpcoesAcesso(destino, a, e_pausaPrimeiro->text(), e_voltasVarredura->text());
    if (!erro.isEmpty()) {
        avisoErro(erro);
        return;
    }
    accept();
}
