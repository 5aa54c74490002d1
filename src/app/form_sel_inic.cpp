#include "app/form_sel_inic.h"

#include "app/about_box.h"
#include "app/icone.h"
#include "desenho/desenho.h"
#include "janelas/comum/abre_ajuda.h"
#include "janelas/comum/janelas.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/editor/form_prog.h"
#include "janelas/execucao/execucao_quiosque.h"
#include "janelas/impressao/sel_imprime.h"
#include "logica/editor/documento_projeto.h"
#include "nucleo/avisos.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"
#include "nucleo/versao.h"
#include "plataforma/cores.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"
#include "plataforma/shell.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char* const semPasta = "Pasta do projeto não foi definida";
}

TformSelInic::TformSelInic(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("formSelInic");
    setWindowTitle("Zelvana ");
    setFixedSize(609, 553);
    pintaFundo(this, corDeTColor(clSkyBlue), Qt::black);

    Label1 = new QLabel("Zelvana - v ", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 8, 577, 36);
    QFont f24 = Label1->font();
    f24.setBold(true);
    f24.setPixelSize(24);
    Label1->setFont(f24);
    Label1->setText(Label1->text() + ZELVANA_VERSAO);

    l_pasta = new QLabel("[nenhuma pasta de pranchas está selecionada]", this);
    l_pasta->setObjectName("l_pasta");
    l_pasta->setGeometry(16, 48, 577, 22);
    QFont fb = l_pasta->font();
    fb.setBold(true);
    l_pasta->setFont(fb);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(16, 80, 256, 150);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(iconeDoPrograma(140));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    rg_onde = new QGroupBox("Onde", this);
    rg_onde->setObjectName("rg_onde");
    rg_onde->setGeometry(16, 238, 256, 200);
    ondeLayout = new QVBoxLayout(rg_onde);
    ondeLayout->addStretch();
    rg_ondeBotoes = new QButtonGroup(this);
    rg_ondeBotoes->setExclusive(true);

    b_renovar = new QPushButton("Renovar", this);
    b_renovar->setObjectName("b_renovar");
    b_renovar->setGeometry(16, 444, 100, 26);

    b_sobre = new QPushButton("Sobre este programa", this);
    b_sobre->setObjectName("b_sobre");
    b_sobre->setGeometry(16, 510, 160, 28);

    b_ajuda = new QPushButton("Ajuda", this);
    b_ajuda->setObjectName("b_ajuda");
    b_ajuda->setIcon(iconeDeAjuda(16));
    b_ajuda->setGeometry(184, 510, 88, 28);

    p_projeto = new QWidget(this);
    p_projeto->setObjectName("p_projeto");
    p_projeto->setGeometry(288, 80, 305, 458);
    pintaFundo(p_projeto, corDeTColor(azulDoPainel));

    // The project buttons from top to bottom.
    using Clique = void (TformSelInic::*)();
    const struct {
        QPushButton** botao;
        const char* nome;
        const char* texto;
        Clique clique;
    } painel[] = {
        {&b_criarProjeto, "b_criarProjeto", "Criar Projeto", &TformSelInic::b_criarProjetoClick},
        {&b_escolherPasta, "b_escolherPasta", "Escolher Pasta",
         &TformSelInic::b_escolherPastaClick},
        {&b_editar, "b_editar", "Editar", &TformSelInic::b_editarClick},
        {&b_salvar, "b_salvar", "Salvar", &TformSelInic::b_salvarClick},
        {&b_imprimir, "b_imprimir", "Imprimir", &TformSelInic::b_imprimirClick},
        {&b_configurar, "b_configurar", "Configurar", &TformSelInic::b_configurarClick},
        {&b_executar, "b_executar", "Executar", &TformSelInic::b_executarClick},
        {&b_exportar, "b_exportar", "Exportar Projeto", &TformSelInic::b_exportarClick},
        {&b_importar, "b_importar", "Importar Modelo", &TformSelInic::b_importarClick},
    };
    int ordem = 0;
    for (const auto& b : painel) {
        *b.botao = botaoDoPainel(QString::fromUtf8(b.texto), ordem++);
        (*b.botao)->setObjectName(b.nome);
        if (b.clique) connect(*b.botao, &QPushButton::clicked, this, b.clique);
    }
    for (QPushButton* b : {b_editar, b_salvar, b_imprimir, b_configurar, b_exportar, b_importar})
        b->setEnabled(false);

    connect(b_renovar, &QPushButton::clicked, this, &TformSelInic::b_renovarClick);
    connect(b_sobre, &QPushButton::clicked, this, &TformSelInic::b_sobreClick);
    connect(b_ajuda, &QPushButton::clicked, this, &TformSelInic::b_ajudaClick);

    pranchaInicialExec.clear();
    b_renovarClick();
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

QPushButton* TformSelInic::botaoDoPainel(const QString& texto, int ordem) {
    auto* b = new QPushButton(texto, p_projeto);
    QFont f = b->font();
    f.setPixelSize(24);
    b->setFont(f);
    b->setGeometry(12, 6 + ordem * 50, 281, 44);
    return b;
}

bool TformSelInic::event(QEvent* e) {
    // Without a window manager a window is never activated: the first showing counts as the
    // first activation. Out of the event handler, since the about box is modal.
    if (e->type() == QEvent::WindowActivate || (e->type() == QEvent::Show && primeiraAtivacao))
        QTimer::singleShot(0, this, &TformSelInic::FormActivate);
    return QWidget::event(e);
}

bool TformSelInic::eventFilter(QObject* alvo, QEvent* e) {
    if (alvo == Image1 && e->type() == QEvent::MouseButtonRelease) {
        b_sobreClick();
        return true;
    }
    return QWidget::eventFilter(alvo, e);
}

void TformSelInic::FormActivate() {
    if (QApplication::activeModalWidget())
        return; // a dialog of ours is up: the window was not really re-activated by the user
    b_renovarClick();
    if (primeiraAtivacao) {
        primeiraAtivacao = false;
        if (janelas.aboutBox) {
            janelas.aboutBox->ativaFechamentoAutomatico();
            janelas.aboutBox->exec();
        }
    }
}

void TformSelInic::b_renovarClick() {
    int escolhido = rg_ondeBotoes->checkedId();
    for (QAbstractButton* b : rg_ondeBotoes->buttons()) {
        rg_ondeBotoes->removeButton(b);
        delete b;
    }
    unidades = unidadesRemoviveis();
    QStringList textos{"Minhas pranchas", "Área de trabalho"};
    for (const Unidade& u : unidades)
        textos << u.texto;
    textos << "Outro lugar";
    for (int i = 0; i < textos.size(); ++i) {
        auto* r = new QRadioButton(textos[i], rg_onde);
        r->setObjectName(QString("rg_onde_%1").arg(i));
        rg_ondeBotoes->addButton(r, i);
        ondeLayout->insertWidget(i, r);
    }
    // Fewer drives than before: keep the choice inside the list.
    escolhido = qBound(0, escolhido, int(textos.size()) - 1);
    rg_ondeBotoes->button(escolhido)->setChecked(true);
}

QString TformSelInic::pastaOnde() const {
    const int i = rg_ondeBotoes->checkedId();
    const int ultimo = int(rg_ondeBotoes->buttons().size()) - 1;
    if (i <= 0) {
        const QString p = pastaDocumentos() + "/Minhas Pranchas";
        QDir().mkpath(p);
        return p;
    }
    if (i == 1) return pastaAreaDeTrabalho();
    if (i == ultimo) {
        // The folder that holds the desktop: the user's own folder.
        const QString pai = QFileInfo(pastaAreaDeTrabalho()).absolutePath();
        return pai.isEmpty() ? QDir::homePath() : pai;
    }
    return unidades.value(i - 2).raiz;
}

bool TformSelInic::escolhePasta(const QString& inicio, bool permiteCriar) {
    if (!permiteCriar) avisoInfo("Dê clique duplo na pasta desejada para confirmar");
    QString pasta =
        ::escolhePasta("Escolha a pasta do projeto", inicio, permiteCriar).value_or(QString());
    if (!pasta.isEmpty() && !QFileInfo(pasta).isDir()) {
        if (!permiteCriar || !perguntaSimNao("A pasta " + pasta + " não existe. Deseja criá-la?") ||
            !QDir().mkpath(pasta))
            pasta.clear();
    }
    if (pasta.isEmpty()) return false;
    definePastaProjeto(pasta);
    mostraPasta();
    return true;
}

void TformSelInic::mostraPasta() {
    l_pasta->setText(QDir::toNativeSeparators(pastaProjeto));
    // A folder can be copied from here. Made selectable only now: a selectable label builds a
    // text document, which the start window's first showing need not wait for.
    l_pasta->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void TformSelInic::habilitaBotoes() {
    for (QPushButton* b :
         {b_editar, b_salvar, b_imprimir, b_configurar, b_exportar, b_importar, b_executar})
        b->setEnabled(true);
}

bool TformSelInic::abrePastaDaLinhaDeComando(const QString& pasta) {
    const QFileInfo fi(pasta);
    if (!fi.isDir()) {
        avisoErro("A pasta " + pasta + " não existe ou não é uma pasta.");
        return false;
    }
    // Straight into the editor: the about box, modal for its five seconds, would swallow the
    // first clicks there.
    primeiraAtivacao = false;
    definePastaProjeto(pasta);
    mostraPasta();
    habilitaBotoes();
    abreProjeto(pastaProjeto);
    b_editarClick();
    return true;
}

// Why a typed project name cannot be a folder of the chosen place; empty when it can.
static QString problemaNoNome(const QString& nome) {
    if (nome.isEmpty()) return QStringLiteral("Informe um nome para o projeto.");
    if (nome.contains('/') || nome.contains('\\'))
        return QStringLiteral("O nome do projeto não pode conter \"/\" nem \"\\\".");
    if (nome == "." || nome == "..")
        return QStringLiteral("O nome do projeto não pode ser \".\" nem \"..\".");
    return {};
}

void TformSelInic::b_criarProjetoClick() {
    const QString base = pastaOnde();
    QString nome;
    for (;;) {
        const auto resposta =
            pedeTexto("Informe o nome do seu projeto",
                      "Este será o nome da pasta a criar dentro de\r\n" + base, nome);
        if (!resposta) return;
        nome = resposta->trimmed();
        const QString problema = problemaNoNome(nome);
        if (problema.isEmpty()) break;
        avisoErro(problema);
    }
    const QString caminho = base + "/" + nome;
    bool escolhida;
    if (!QDir(base).mkdir(nome)) {
        avisoErro("O diretório de projeto não pode ser criado, reuse ou editore o nome");
        escolhida = escolhePasta(caminho, true);
    } else {
        escolhida = escolhePasta(caminho, false);
        // Cancelled: the folder just made is left as it was found, and so is the project.
        if (!escolhida) QDir(base).rmdir(nome);
    }
    if (!escolhida) return;
    if (comecaPeloVocabulario()) {
        habilitaBotoes();
        b_editarClick();
        return;
    }
    abreProjetoNovo();
    habilitaBotoes();
    b_editarClick();
    projetoSalvo = false;
}

void TformSelInic::b_escolherPastaClick() {
    if (!escolhePasta(pastaOnde(), false)) return;
    habilitaBotoes();
    abreProjeto(pastaProjeto);
    b_editarClick();
}

void TformSelInic::b_editarClick() {
    if (pastaProjeto.isEmpty()) {
        avisoErro(semPasta);
        return;
    }
    projetoSalvo = false;
    if (janelas.formProg) {
        janelas.formProg->show();
        janelas.formProg->raise();
        janelas.formProg->activateWindow();
    }
}

void TformSelInic::b_salvarClick() {
    if (pastaProjeto.isEmpty()) {
        avisoErro(semPasta);
        return;
    }
    // A failed save leaves the project unsaved, so closing still asks.
    projetoSalvo = salvaDocumento();
}

void TformSelInic::b_imprimirClick() {
    if (pastaProjeto.isEmpty()) {
        avisoErro("Você ainda não selecionou nenhuma pasta, não posso imprimir");
        return;
    }
    if (janelas.formSelImprime) janelas.formSelImprime->exec();
}

void TformSelInic::b_configurarClick() {
    if (TFormConfigExec* config = janelas.formConfigExec) {
        // Open beside the editor, it becomes modal here: shown again, as a modal window.
        config->hide();
        config->exec();
    }
    projetoSalvo = false;
}

void TformSelInic::b_executarClick() {
    if (pastaProjeto.isEmpty()) {
        if (escolhePasta(pastaOnde(), false)) abreProjeto(pastaProjeto);
    }
    if (projeto.nPranchas() > 0) habilitaBotoes();
    executaProjeto();
}

void TformSelInic::b_sobreClick() {
    if (janelas.aboutBox) janelas.aboutBox->exec();
}

void TformSelInic::b_ajudaClick() {
    abreAjuda();
}

void TformSelInic::closeEvent(QCloseEvent* e) {
    if (projetoSalvo || perguntaSimNao("Tem certeza de quer vai terminar?  Já salvou ?"))
        e->accept();
    else
        e->ignore();
}
