#include "janelas/editor/form_prog.h"

#include "janelas/comum/abre_ajuda.h"
#include "janelas/comum/ativacao.h"
#include "janelas/comum/janelas.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/editor/form_autoria.h"
#include "janelas/editor/saida_prancha.h"
#include "janelas/editor/visualiza_form.h"
#include "janelas/rascunho/form_rascunho.h"
#include "janelas/troca/troca_obz.h"
#include "janelas/verificacao/painel_verificacao.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "logica/verificacao/verifica_projeto.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"
#include "plataforma/shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

namespace {
QPushButton* botao(QWidget* pai, const char* nome, const QString& texto) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(nome);
    return b;
}
QLabel* titulo(QWidget* pai, const char* nome, const QString& texto) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    QFont f = l->font();
    f.setPixelSize(24);
    l->setFont(f);
    return l;
}
QListWidget* lista(QWidget* pai, const char* nome, const QString& nomeAcessivel) {
    auto* l = new QListWidget(pai);
    l->setObjectName(nome);
    l->setAccessibleName(nomeAcessivel);
    QFont f("Consolas");
    f.setPixelSize(16);
    l->setFont(f);
    l->setUniformItemSizes(true);
    l->setStyleSheet("QListWidget::item { height: 19px; }");
    return l;
}

// Shows `textos` with `atual` current (-1: none), reusing the entries there are, so an edit
// keeps the list where the author had scrolled it. The list's own signals stay quiet: the
// document already knows.
void espelhaLista(QListWidget* l, const QStringList& textos, int atual) {
    const QSignalBlocker bloqueio(l);
    while (l->count() > textos.size())
        delete l->takeItem(l->count() - 1);
    while (l->count() < textos.size())
        l->addItem(QString());
    for (int k = 0; k < textos.size(); ++k)
        if (l->item(k)->text() != textos[k]) l->item(k)->setText(textos[k]);
    l->setCurrentRow(atual);
}

// Asked again, with what was typed, until the name can be kept or the user cancels.
std::optional<QString> pedeNomeDePrancha() {
    QString nome = QStringLiteral("Nova prancha");
    for (;;) {
        const auto resposta = pedeTexto("Informe o nome desta prancha",
                                        "Não repita nomes, ou pode ter problemas depois", nome);
        if (!resposta) return std::nullopt;
        nome = *resposta;
        const QString problema = problemaNoNomeDePrancha(nome);
        if (problema.isEmpty()) return nome;
        avisoErro(problema);
    }
}

std::optional<QString> pedeNomeDeItem() {
    return pedeTexto("Inserção de novo item", "Informe o nome deste item", "Novo item");
}
} // namespace

TFormProg::TFormProg(QWidget* pai) : QMainWindow(pai) {
    setObjectName("FormProg");
    setWindowTitle("Zelvana - Programação das pranchas");
    setWindowFlags((windowFlags() | Qt::WindowMinimizeButtonHint) & ~Qt::WindowMaximizeButtonHint);
    resize(751, 567);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
    QFont fonte("MS Sans Serif");
    fonte.setPixelSize(13);
    fonte.setBold(true);
    setFont(fonte);
    setStyleSheet("TFormProg, QWidget#centro { background: #87CEEB; }");
    documento = &documentoProjeto();
    criaControles();
    criaMenu();
    connect(documento, &DocumentoProjeto::pranchasMudaram, this, &TFormProg::listaPranchas);
    connect(documento, &DocumentoProjeto::pranchaMudou, this, &TFormProg::atualizaPrancha);
    connect(documento, &DocumentoProjeto::itensMudaram, this, &TFormProg::atualizaItens);
    connect(documento, &DocumentoProjeto::selecaoMudou, this, &TFormProg::mostraSelecao);
    // One check for all the changes of one command: board indexes in the list stay true.
    verificacaoAgendada = new QTimer(this);
    verificacaoAgendada->setSingleShot(true);
    verificacaoAgendada->setInterval(0);
    connect(verificacaoAgendada, &QTimer::timeout, this, [this] {
        if (painelVerificacao->isVisible()) Verificarprojeto1Click();
    });
    connect(documento, &DocumentoProjeto::pranchasMudaram, this, &TFormProg::agendaVerificacao);
    connect(documento, &DocumentoProjeto::pranchaMudou, this, &TFormProg::agendaVerificacao);
    connect(documento, &DocumentoProjeto::itensMudaram, this, &TFormProg::agendaVerificacao);
    // The lists follow the document from now on, shown or not.
    listaPranchas();
    mostraSelecao(documento->pranchaSelecionada());
}

void TFormProg::criaControles() {
    auto* centro = new QWidget(this);
    centro->setObjectName("centro");
    setCentralWidget(centro);
    auto* grade = new QGridLayout(centro);

    grade->addWidget(titulo(centro, "Label1", "Pranchas"), 0, 0);
    grade->addWidget(titulo(centro, "Label10", "Visualização"), 0, 1);
    lb_pranchas = lista(centro, "lb_pranchas", "Pranchas");
    grade->addWidget(lb_pranchas, 1, 0, 3, 1);
    auto* botoesPrancha = new QHBoxLayout;
    b_insAbaixo = botao(centro, "b_insAbaixo", "Nova prancha");
    b_detalhar = botao(centro, "b_detalhar", "Editar");
    b_paraCima = botao(centro, "b_paraCima", "Para cima");
    b_paraBaixo = botao(centro, "b_paraBaixo", "Para baixo");
    b_duplicar = botao(centro, "b_duplicar", "Duplicar");
    b_remover = botao(centro, "b_remover", "Remover");
    auto* colunaPrancha = new QGridLayout;
    colunaPrancha->addWidget(b_insAbaixo, 0, 0);
    colunaPrancha->addWidget(b_detalhar, 0, 1);
    colunaPrancha->addWidget(b_paraCima, 1, 0);
    colunaPrancha->addWidget(b_paraBaixo, 1, 1);
    colunaPrancha->addWidget(b_duplicar, 2, 0);
    colunaPrancha->addWidget(b_remover, 2, 1);
    botoesPrancha->addLayout(colunaPrancha);
    grade->addLayout(botoesPrancha, 4, 0);

    p_previewPrancha = new QWidget(centro);
    p_previewPrancha->setObjectName("p_previewPrancha");
    p_previewPrancha->setFixedSize(329, 233);
    p_previewPrancha->setAutoFillBackground(true);
    p_previewPrancha->setBackgroundRole(QPalette::Highlight);
    p_previewPrancha->installEventFilter(this);
    grade->addWidget(p_previewPrancha, 1, 1, 1, 2);

    grade->addWidget(titulo(centro, "Label9", "Itens da Prancha"), 2, 1);
    lb_itens = lista(centro, "lb_itens", "Itens da Prancha");
    lb_itens->setFixedWidth(217);
    lb_itens->setMinimumHeight(154);
    grade->addWidget(lb_itens, 3, 1, 2, 1);
    b_insAbaixoItem = botao(centro, "b_insAbaixoItem", "Novo item");
    b_detalharItem = botao(centro, "b_detalharItem", "Editar");
    b_paraCimaItem = botao(centro, "b_paraCimaItem", "Para cima");
    b_paraBaixoItem = botao(centro, "b_paraBaixoItem", "Para baixo");
    b_duplicarItem = botao(centro, "b_duplicarItem", "Duplicar");
    b_removerItem = botao(centro, "b_removerItem", "Remover");
    // Two buttons of each caption: a screen reader names which list each one works on.
    for (auto [b, nome] : {std::pair{b_detalhar, "Editar prancha"},
                           {b_duplicar, "Duplicar prancha"},
                           {b_remover, "Remover prancha"},
                           {b_paraCima, "Prancha para cima"},
                           {b_paraBaixo, "Prancha para baixo"},
                           {b_detalharItem, "Editar item"},
                           {b_duplicarItem, "Duplicar item"},
                           {b_removerItem, "Remover item"},
                           {b_paraCimaItem, "Item para cima"},
                           {b_paraBaixoItem, "Item para baixo"}})
        b->setAccessibleName(QString::fromUtf8(nome));
    auto* colunaItem = new QVBoxLayout;
    // The item list and its buttons together are as wide as the preview above them.
    const int larguraBotao = p_previewPrancha->width() - 217 - grade->horizontalSpacing();
    for (QPushButton* b : {b_insAbaixoItem, b_detalharItem, b_paraCimaItem, b_paraBaixoItem,
                           b_duplicarItem, b_removerItem}) {
        b->setFixedWidth(larguraBotao);
        colunaItem->addWidget(b);
    }
    colunaItem->addStretch();
    grade->addLayout(colunaItem, 3, 2, 2, 1);
    grade->setRowStretch(3, 1);
    grade->setColumnStretch(0, 1);

    connect(lb_pranchas, &QListWidget::currentRowChanged, this, [this] { lb_pranchasClick(); });
    connect(lb_itens, &QListWidget::currentRowChanged, documento, &DocumentoProjeto::selecionaItem);
    connect(lb_pranchas, &QListWidget::itemDoubleClicked, this, [this] { b_detalharClick(); });
    connect(lb_itens, &QListWidget::itemDoubleClicked, this, [this] { b_detalharItemClick(); });
    lb_itens->installEventFilter(this);
    connect(b_insAbaixo, &QPushButton::clicked, this, &TFormProg::b_insAbaixoClick);
    connect(b_detalhar, &QPushButton::clicked, this, &TFormProg::b_detalharClick);
    connect(b_paraCima, &QPushButton::clicked, this, &TFormProg::b_paraCimaClick);
    connect(b_paraBaixo, &QPushButton::clicked, this, &TFormProg::b_paraBaixoClick);
    connect(b_duplicar, &QPushButton::clicked, this, &TFormProg::b_duplicarClick);
    connect(b_remover, &QPushButton::clicked, this, &TFormProg::b_removerClick);
    connect(b_insAbaixoItem, &QPushButton::clicked, this, &TFormProg::b_insAbaixoItemClick);
    connect(b_detalharItem, &QPushButton::clicked, this, &TFormProg::b_detalharItemClick);
    connect(b_paraCimaItem, &QPushButton::clicked, this, &TFormProg::b_paraCimaItemClick);
    connect(b_paraBaixoItem, &QPushButton::clicked, this, &TFormProg::b_paraBaixoItemClick);
    connect(b_duplicarItem, &QPushButton::clicked, this, &TFormProg::b_duplicarItemClick);
    connect(b_removerItem, &QPushButton::clicked, this, &TFormProg::b_removerItemClick);

    painelVerificacao = new PainelVerificacao(this);
    addDockWidget(Qt::BottomDockWidgetArea, painelVerificacao);
    painelVerificacao->hide();
    connect(painelVerificacao, &PainelVerificacao::achadoEscolhido, this, &TFormProg::mostraAchado);
    connect(painelVerificacao, &PainelVerificacao::verificarDeNovo, this,
            &TFormProg::Verificarprojeto1Click);
}

void TFormProg::criaMenu() {
    auto* barra = new QToolBar(this);
    barra->setObjectName("SpeedPanel");
    barra->setFixedHeight(28);
    barra->setMovable(false);
    addToolBar(Qt::TopToolBarArea, barra);
    auto rapido = [&](const char* nome, const QString& texto, const QString& dica,
                      std::function<void()> acao, bool habilitado = true) {
        auto* b = new QToolButton(barra);
        b->setObjectName(nome);
        b->setText(texto);
        b->setToolTip(dica);
        b->setEnabled(habilitado);
        connect(b, &QToolButton::clicked, this, [acao] { acao(); });
        barra->addWidget(b);
        return b;
    };
    rapido("SaveBtn", "Salvar", "Salvar", [this] { Salvar1Click(); });
    rapido("SpeedButton1", "Rascunhar", "Rascunhar", [this] { Rascunhar1Click(); });
    rapido("ConfigBtn", "Configurar", "Configurar", [this] { ConfigExec1Click(); });
    rapido("VisuBtn", "Visualizar", "Visualizar", [this] { Visualizar1Click(); });
    rapido("ajudaButton1", "Ajuda", "Ajuda", [this] { aJuda1Click(); });
    rapido("PrintBtn", "Imprimir", "Imprimir", [this] { Imprimirprancha1Click(); });
    rapido("jpgButton", "JPG", "Gerar JPEG", [this] { PranchaemJPEG1Click(); });
    auto* mola = new QWidget(barra);
    mola->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barra->addWidget(mola);
    QToolButton* sair =
        rapido("b_sair1", "Sair da edição", "Sair da edição", [this] { b_sair1Click(); });
    sair->setStyleSheet("color: red; font-weight: bold;");

    QMenuBar* menu = menuBar();
    menu->setObjectName("MainMenu1");
    QMenu* arquivo = menu->addMenu("&Arquivo");
    arquivo->addAction("&Salvar", QKeySequence("Ctrl+S"), this, &TFormProg::Salvar1Click);
    arquivo->addAction("Imprimir Prancha", QKeySequence("Ctrl+P"), this,
                       &TFormProg::Imprimirprancha1Click);
    arquivo->addAction("Gerar JPG", QKeySequence("Ctrl+J"), this, &TFormProg::PranchaemJPEG1Click);
    arquivo->addAction("Verificar projeto", QKeySequence("F7"), this,
                       &TFormProg::Verificarprojeto1Click);
    arquivo->addSeparator();
    arquivo->addAction("Exportar para OBZ…", this,
                       [this] { exportaProjetoParaObz(documento->projeto(), pastaProjeto); });
    arquivo->addAction("Exportar prancha para OBF…", this, [this] {
        exportaPranchaParaObf(documento->projeto(), documento->pranchaSelecionada(), pastaProjeto);
    });
    arquivo->addAction("Importar OBZ…", this, [] { importaObzParaNovaPasta(pastaProjeto); });
    arquivo->addSeparator();
    arquivo->addAction("Sair sem salvar", this, &TFormProg::Terminar1Click);
    arquivo->addSeparator();
    arquivo->addAction("Remover todas as pranchas", this, &TFormProg::Removertodasaspranchas1Click);
    QMenu* editar = menu->addMenu("&Editar");
    // The steps' names follow: "Desfazer Remover prancha".
    QAction* desfazer = documento->historico().createUndoAction(editar, "Desfazer");
    desfazer->setShortcut(QKeySequence("Ctrl+Z"));
    QAction* refazer = documento->historico().createRedoAction(editar, "Refazer");
    refazer->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    editar->addAction(desfazer);
    editar->addAction(refazer);
    menu->addAction("&Rascunhar", this, &TFormProg::Rascunhar1Click);
    QMenu* configurar = menu->addMenu("&Configurar");
    configurar->addAction("&Autoria", this, &TFormProg::Autoria1Click);
    configurar->addAction("&Execução", this, &TFormProg::ConfigExec1Click);
    menu->addAction("&Visualizar", this, &TFormProg::Visualizar1Click);
    menu->addAction("A&juda", this, &TFormProg::aJuda1Click);
    QMenu* selecionar = menu->addMenu("&Selecionar");
    selecionar->addAction("&Pranchas", this, [this] { lb_pranchas->setFocus(); });
    selecionar->addAction("&Itens", this, [this] { lb_itens->setFocus(); });
}

void TFormProg::atualizaBotoes() {
    const EstadoBotoes e =
        estadoBotoes(lb_pranchas->count(), lb_itens->count(), documento->pranchaSelecionada() >= 0);
    b_insAbaixo->setEnabled(e.novaPrancha);
    for (QPushButton* b : {b_duplicar, b_detalhar, b_paraCima, b_paraBaixo, b_remover})
        b->setEnabled(e.comandosPrancha);
    b_insAbaixoItem->setEnabled(e.novoItem);
    for (QPushButton* b :
         {b_duplicarItem, b_detalharItem, b_paraCimaItem, b_paraBaixoItem, b_removerItem})
        b->setEnabled(e.comandosItem);
}

void TFormProg::mostraPrancha(int i) {
    const TProjeto& p = documento->projeto();
    if (i >= 0 && i < p.nPranchas()) {
        const TPrancha& b = p.pranchas[i];
        desenhaPranchaGraf(graf, b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, p_previewPrancha);
    }
    atualizaBotoes();
}

// With no board drawn the panel shows the highlight colour.
void TFormProg::limpaPreview() {
    liberaPranchaGraf(graf);
    p_previewPrancha->setBackgroundRole(QPalette::Highlight);
}

void TFormProg::listaPranchas() {
    espelhaLista(lb_pranchas, nomesDasPranchas(documento->projeto()),
                 documento->pranchaSelecionada());
}

void TFormProg::atualizaPrancha(int i) {
    if (i < 0) return;
    listaPranchas();
    if (i == documento->pranchaSelecionada()) mostraPrancha(i);
}

void TFormProg::atualizaItens(int i) {
    if (i < 0 || i != documento->pranchaSelecionada()) return;
    QStringList rotulos;
    for (const TItem& it : documento->projeto().pranchas[i].itens)
        rotulos << it.rotulo;
    espelhaLista(lb_itens, rotulos, documento->itemSelecionado());
    mostraPrancha(i);
}

// A board chosen (again) shows its items with none selected; with none, the panel is empty.
void TFormProg::mostraSelecao(int i) {
    {
        const QSignalBlocker bloqueio(lb_pranchas);
        lb_pranchas->setCurrentRow(i);
    }
    if (i >= 0) {
        atualizaItens(i);
        return;
    }
    lb_itens->clear();
    limpaPreview();
    atualizaBotoes();
}

void TFormProg::lb_pranchasClick() {
    documento->selecionaPrancha(lb_pranchas->currentRow());
}

// The lists already follow the document; only the preview, let go while the editor was left
// for another window, is drawn again.
bool TFormProg::event(QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
        mostraPrancha(documento->pranchaSelecionada());
    else if (e->type() == QEvent::WindowDeactivate && !dialogoModalPorCima(this))
        limpaPreview();
    return QMainWindow::event(e);
}

void TFormProg::closeEvent(QCloseEvent* e) {
    projetoSalvo = false;
    QMainWindow::closeEvent(e);
}

bool TFormProg::eventFilter(QObject* alvo, QEvent* e) {
    if (alvo == p_previewPrancha && e->type() == QEvent::MouseButtonRelease &&
        projeto.nPranchas() > 0)
        Visualizar1Click();
    if (alvo == lb_itens && e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            b_detalharItemClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(alvo, e);
}

bool TFormProg::inserePrancha() {
    const auto nome = pedeNomeDePrancha();
    return nome && documento->inserePrancha(*nome) >= 0;
}

bool TFormProg::insereItem() {
    if (documento->pranchaSelecionada() < 0) {
        avisoInfo(documento->projeto().nPranchas() == 0
                      ? "Este projeto ainda não tem pranchas. Crie uma com \"Nova prancha\" e "
                        "depois insira os itens nela."
                      : "Selecione na lista a prancha que vai receber o item.");
        return false;
    }
    const auto nome = pedeNomeDeItem();
    return nome && documento->insereItem(*nome) >= 0;
}

void TFormProg::b_insAbaixoClick() {
    if (inserePrancha()) b_detalharClick();
}

void TFormProg::b_detalharClick() {
    const int i = documento->pranchaSelecionada();
    TformConfigPrancha* dialogo = janelas.formConfigPrancha;
    if (i < 0 || !dialogo) return;
    dialogo->carregaPrancha(i);
    // Only OK stores: one step of the history, as for an item.
    DocumentoProjeto::Passo passo(*documento, "Editar prancha", pastaProjeto);
    if (dialogo->exec() == QDialog::Accepted)
        dialogo->guardaPrancha(i);
    else
        passo.descartaArquivosNovos();
}

void TFormProg::b_detalharItemClick() {
    const int i = documento->pranchaSelecionada();
    const int j = documento->itemSelecionado();
    TformConfigItem* dialogo = janelas.formConfigItem;
    if (i < 0 || j < 0 || !dialogo) return;
    // One step, with the pictures and sounds imported or recorded in the dialog; cancelled,
    // those files go too.
    DocumentoProjeto::Passo passo(*documento, "Editar item", pastaProjeto);
    dialogo->carregaItem(i, j);
    if (dialogo->exec() == QDialog::Accepted)
        dialogo->guardaItem(i, j);
    else
        passo.descartaArquivosNovos();
}

void TFormProg::b_paraCimaClick() {
    documento->sobePrancha();
}

void TFormProg::b_paraBaixoClick() {
    documento->descePrancha();
}

void TFormProg::b_duplicarClick() {
    if (documento->pranchaSelecionada() < 0)
        avisoInfo("Não há nenhuma prancha selecionada");
    else if (const auto nome = pedeNomeDePrancha())
        documento->duplicaPrancha(*nome);
}

void TFormProg::b_removerClick() {
    if (documento->pranchaSelecionada() >= 0 && perguntaSimNao("Quer mesmo remover?"))
        documento->removePrancha();
}

void TFormProg::b_insAbaixoItemClick() {
    if (insereItem()) b_detalharItemClick();
}

void TFormProg::b_paraCimaItemClick() {
    documento->sobeItem();
}

void TFormProg::b_paraBaixoItemClick() {
    documento->desceItem();
}

void TFormProg::b_duplicarItemClick() {
    if (documento->itemSelecionado() < 0)
        avisoInfo("Não há nenhum item selecionado");
    else if (const auto nome = pedeNomeDeItem())
        documento->duplicaItem(*nome);
}

void TFormProg::b_removerItemClick() {
    if (documento->itemSelecionado() >= 0 && perguntaSimNao("Quer mesmo remover?"))
        documento->removeItem();
}

void TFormProg::Removertodasaspranchas1Click() {
    if (perguntaSimNao("Quer mesmo detonar todo o projeto?\nISSO NÃO TEM VOLTA!!!"))
        documento->removeTodasAsPranchas();
    else
        mensagemRapida("Ufa! Ainda bem...", 2000);
}

void TFormProg::Salvar1Click() {
    salva();
}

bool TFormProg::salva() {
    const QList<Achado> fora = itensForaDaGrade(documento->projeto());
    if (!fora.isEmpty()) {
        constexpr int maximo = 10;
        QStringList linhas;
        for (int k = 0; k < fora.size() && k < maximo; ++k)
            linhas << fora[k].texto;
        if (fora.size() > maximo)
            linhas << QString("... e mais %1 itens.").arg(fora.size() - maximo);
        const QString pergunta =
            "Estes itens passam da grade da prancha e não serão gravados:\n\n" + linhas.join('\n') +
            "\n\nSalvar mesmo assim?";
        // Once said and accepted, the same loss is not asked about at every save.
        if (pergunta != perguntaForaDaGradeAceita) {
            if (!perguntaSimNao(pergunta)) return false;
            perguntaForaDaGradeAceita = pergunta;
        }
    }
    if (!salvaDocumento()) return false;
    return true;
}

void TFormProg::Terminar1Click() {
    projetoSalvo = true;
    // Without a board file there is nothing to read back: the project is left empty and
    // nothing is written.
    if (QFileInfo::exists(pastaProjeto + "/pranchas.pra"))
        abreProjeto(pastaProjeto);
    else {
        avisoErro("Arquivo de pranchas não encontrado");
        limpaPranchas(projeto);
        documento->recarrega();
    }
    close();
}

void TFormProg::b_sair1Click() {
    // Reading the file back after a failed save would throw the edits away: stay instead.
    if (!salva()) return;
    Terminar1Click();
    projetoSalvo = true;
}

void TFormProg::Visualizar1Click() {
    const int i = documento->pranchaSelecionada();
    if (i < 0 || !janelas.formVisualiza) return;
    janelas.formVisualiza->selecionaPrancha(i);
    janelas.formVisualiza->mostraModal();
}

void TFormProg::ConfigExec1Click() {
    if (janelas.formConfigExec) janelas.formConfigExec->mostraNaoModal();
}

void TFormProg::Imprimirprancha1Click() {
    imprimePranchaIndice(documento->pranchaSelecionada(), tamanhoDaVisualizacao());
}

void TFormProg::PranchaemJPEG1Click() {
    gravaPranchaJpg(documento->pranchaSelecionada(), tamanhoDaVisualizacao());
}

void TFormProg::Autoria1Click() {
    if (janelas.formAutoria) janelas.formAutoria->exec();
}

void TFormProg::Rascunhar1Click() {
    if (!janelas.formRascunho) return;
    // A whole transcription is one step of the history, the library pictures it copied in
    // included.
    const DocumentoProjeto::Passo passo(*documento, "Transcrever rascunho", pastaProjeto);
    janelas.formRascunho->exec();
}

void TFormProg::aJuda1Click() {
    abreAjuda();
}

void TFormProg::Verificarprojeto1Click() {
    painelVerificacao->mostra(verificaProjeto(documento->projeto(), pastaProjeto));
    // The panel takes its room below the lists: the window grows once rather than squeezing
    // them. A screen too low for both (a laptop's) gets the panel beside the lists instead, so
    // neither the lists' buttons nor "Verificar de novo" fall below its edge.
    if (janelaCresceu) return;
    janelaCresceu = true;
    const QScreen* tela = screen();
    if (!tela) return;
    const QRect area = tela->availableGeometry();
    const QSize moldura = frameGeometry().size() - size();
    if (minimumSizeHint().height() + moldura.height() > area.height()) {
        addDockWidget(Qt::RightDockWidgetArea, painelVerificacao);
        resize(
            qMin(width() + painelVerificacao->sizeHint().width(), area.width() - moldura.width()),
            qMin(height(), area.height() - moldura.height()));
    } else {
        resize(width(), qMin(height() + 200, area.height() - moldura.height()));
    }
    // Kept inside the screen: moved up or left rather than cut.
    const QRect f = frameGeometry();
    move(qMax(area.left(), qMin(f.left(), area.right() - f.width() + 1)),
         qMax(area.top(), qMin(f.top(), area.bottom() - f.height() + 1)));
}

void TFormProg::agendaVerificacao() {
    if (painelVerificacao->isVisible()) verificacaoAgendada->start();
}

void TFormProg::mostraAchado(int prancha, int item) {
    if (prancha < 0 || prancha >= documento->projeto().nPranchas()) return;
    documento->selecionaPrancha(prancha);
    if (item >= 0 && item < lb_itens->count()) {
        lb_itens->setCurrentRow(item);
        lb_itens->scrollToItem(lb_itens->item(item));
        lb_itens->setFocus();
    } else {
        lb_pranchas->scrollToItem(lb_pranchas->currentItem());
        lb_pranchas->setFocus();
    }
}
