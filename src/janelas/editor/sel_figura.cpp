#include "janelas/editor/sel_figura.h"

#include "desenho/desenho.h"
#include "janelas/comum/controles.h"
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/regras_propriedades.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/cores.h"
#include "plataforma/dialogos.h"
#include "plataforma/shell.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

QString figuraEscolhida;

namespace {
constexpr int ladoPreview = 125;
}

TformSelFigura::TformSelFigura(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formSelFigura"));
    setWindowTitle(QStringLiteral("Selecionando a figura"));
    setModal(true);
    resize(405, 397);
    pintaFundo(this, corDeTColor(clSkyBlue));
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setPixelSize(13);
    fonte.setBold(true);
    setFont(fonte);

    e_iniciais = new QLineEdit(this);
    e_iniciais->setObjectName(QStringLiteral("e_iniciais"));
    Label1 = criaRotulo(this, QStringLiteral("Tecle as iniciais da figura"), 13, e_iniciais);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrito = Label1->font();
    negrito.setBold(true);
    Label1->setFont(negrito);

    l_arquivos = new QListWidget(this);
    l_arquivos->setObjectName(QStringLiteral("l_arquivos"));
    l_arquivos->setAccessibleName(QStringLiteral("Figuras da biblioteca"));
    l_arquivos->setFixedSize(161, 265);
    l_arquivos->setUniformItemSizes(true);
    QFont normal = font();
    normal.setBold(false);
    l_arquivos->setFont(normal);
    l_arquivos->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));
    l_arquivos->installEventFilter(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Figura escolhida"));
    Image1->setFixedSize(ladoPreview, ladoPreview);
    Image1->setAlignment(Qt::AlignCenter);

    e_novoNome = new QLineEdit(this);
    e_novoNome->setObjectName(QStringLiteral("e_novoNome"));
    QLabel* chamado = criaRotulo(this, QStringLiteral("Será chamado de:"), 13, e_novoNome);
    chamado->setFont(negrito);

    b_ok = criaBotao(this, "b_ok", QStringLiteral("OK"));
    b_cancela = criaBotao(this, "b_cancela", QStringLiteral("Cancela"));
    b_verTodas = criaBotao(this, "b_verTodas", QStringLiteral("Ver todas"));

    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(Label1);
    esquerda->addWidget(e_iniciais);
    esquerda->addWidget(l_arquivos);
    auto* direita = new QVBoxLayout;
    direita->addSpacing(e_iniciais->sizeHint().height() * 2);
    direita->addWidget(Image1, 0, Qt::AlignHCenter);
    direita->addStretch();
    direita->addWidget(chamado);
    direita->addWidget(e_novoNome);
    direita->addWidget(b_verTodas);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(b_ok);
    botoes->addWidget(b_cancela);
    direita->addLayout(botoes);
    auto* colunas = new QHBoxLayout(this);
    colunas->addLayout(esquerda);
    colunas->addLayout(direita, 1);

    connect(e_iniciais, &QLineEdit::textChanged, this, &TformSelFigura::e_iniciaisChange);
    connect(l_arquivos, &QListWidget::currentRowChanged, this, [this](int linha) {
        if (linha >= 0) l_arquivosClick();
    });
    connect(l_arquivos, &QListWidget::itemDoubleClicked, this, &TformSelFigura::b_okClick);
    connect(b_ok, &QPushButton::clicked, this, &TformSelFigura::b_okClick);
    connect(b_cancela, &QPushButton::clicked, this, &TformSelFigura::b_cancelaClick);
    connect(b_verTodas, &QPushButton::clicked, this, &TformSelFigura::b_verTodasClick);
}

std::optional<QString> TformSelFigura::escolhe(const QString& iniciais) {
    desfecho = Desfecho::aberto;
    // The same letters typed again must still list the library afresh.
    if (e_iniciais->text() == iniciais)
        e_iniciaisChange();
    else
        e_iniciais->setText(iniciais);
    e_iniciais->setFocus();
    exec();
    // Cancela chose nothing, like the title bar: the caller keeps the picture it had.
    if (desfecho == Desfecho::escolhida) return figuraEscolhida;
    return std::nullopt;
}

void TformSelFigura::e_iniciaisChange() {
    const QStringList& nomes = listaFiguras();
    QList<int> passam = filtraFiguras(listaFigurasMaiusculas(), e_iniciais->text());
    // The folder gives its names in no useful order: the list shows them alphabetically.
    if (ordenados.constData() != nomes.constData() || ordenados.size() != nomes.size()) {
        ordenados = nomes;
        posicoes = posicoesAlfabeticas(nomes);
    }
    std::sort(passam.begin(), passam.end(),
              [this](int a, int b) { return posicoes[a] < posicoes[b]; });
    const QSignalBlocker quieto(l_arquivos);
    l_arquivos->setUpdatesEnabled(false);
    l_arquivos->clear();
    QStringList lista;
    lista.reserve(passam.size());
    for (int k : passam)
        lista.append(nomes[k]);
    l_arquivos->addItems(lista); // in one insertion: a long list costs one layout, not one each
    l_arquivos->setUpdatesEnabled(true);
}

void TformSelFigura::l_arquivosClick() {
    const QListWidgetItem* atual = l_arquivos->currentItem();
    if (!atual) return;
    const QString nome = atual->text();
    // Decoded straight into the picture box, shrunk to fit when larger, never enlarged.
    QImageReader leitor(arquivoDaBiblioteca(nome));
    const QSize tamanho = leitor.size();
    if (tamanho.width() > ladoPreview || tamanho.height() > ladoPreview)
        leitor.setScaledSize(tamanho.scaled(ladoPreview, ladoPreview, Qt::KeepAspectRatio));
    const QImage imagem = leitor.read();
    Image1->setPixmap(QPixmap::fromImage(imagem));
    Image1->setAccessibleDescription(nome);
    e_novoNome->setText(nome + QStringLiteral(".jpg"));
}

void TformSelFigura::b_okClick() {
    const QListWidgetItem* atual = l_arquivos->currentItem();
    if (!atual || !atual->isSelected()) {
        b_cancelaClick();
        return;
    }
    const QString novoNome = e_novoNome->text();
    if (!novoNome.isEmpty() && QFileInfo::exists(pastaProjeto + u'/' + novoNome) &&
        perguntaSimNaoTodos(QStringLiteral(
            "Uma figura com este nome já existe.  Posso substituir?")) != BotaoResposta::sim)
        return; // the window stays open for another name
    // The picture selected in the list, under the name the author gave it.
    if (!copiaDaBiblioteca(atual->text(), novoNome)) {
        avisoErro(QStringLiteral("Não consegui copiar"));
        desfecho = Desfecho::falhou;
        reject();
        return;
    }
    figuraEscolhida = novoNome;
    desfecho = Desfecho::escolhida;
    accept();
}

void TformSelFigura::b_cancelaClick() {
    figuraEscolhida.clear();
    desfecho = Desfecho::semEscolha;
    reject();
}

void TformSelFigura::b_verTodasClick() {
    abreDocumento(bibliotecaFiguras(), [](bool abriu) {
        if (!abriu) avisoErro(QStringLiteral("Não consegui abrir a pasta das figuras"));
    });
}

bool TformSelFigura::eventFilter(QObject* alvo, QEvent* e) {
    // Enter on a name confirms it, as a double click does.
    if (alvo == l_arquivos && e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            b_okClick();
            return true;
        }
    }
    return QDialog::eventFilter(alvo, e);
}
