#include "janelas/rascunho/form_rascunho.h"

#include "janelas/comum/controles.h"
#include "janelas/comum/janelas.h"
#include "janelas/rascunho/form_config_rascunho.h"
#include "janelas/rascunho/janela_rascunho.h"
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/editor/documento_projeto.h"
#include "logica/rascunho/config_rascunho.h"
#include "logica/rascunho/transcricao.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/dialogos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* rotulo(QWidget* pai, const char* nome, const QString& texto, bool negrito) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    QFont f = l->font();
    f.setBold(negrito);
    l->setFont(f);
    return l;
}

// A long list of names would make a box taller than the screen.
QString listaCurta(const QStringList& nomes) {
    constexpr int maximo = 10;
    QString texto = nomes.mid(0, maximo).join(u'\n');
    if (nomes.size() > maximo)
        texto += QStringLiteral("\n... e mais %1").arg(nomes.size() - maximo);
    return texto;
}

} // namespace

TFormRascunho::TFormRascunho(QWidget* pai) : QDialog(pai) {
    preparaJanelaDoRascunho(this, "formRascunho", "Zelvana - Rascunho", {457, 485});
    criaControles();
}

void TFormRascunho::criaControles() {
    Label1 = rotulo(this, "Label1", "DICAS:", true);
    Label2 = rotulo(this, "Label2", "Os nomes das pranchas são envolvidos em colchetes", true);
    Label3 = rotulo(this, "Label3", "Ex.:  [prancha inicial]", false);
    Label4 = rotulo(this, "Label4", "Os itens são escritos um por linha", true);
    Label8 = rotulo(this, "Label8", "A imagem dos itens será escolhida automaticamente", true);

    MemoRascunho = new QPlainTextEdit(this);
    MemoRascunho->setObjectName("MemoRascunho");
    MemoRascunho->setAccessibleName("Rascunho");
    QFont fonte = MemoRascunho->font();
    fonte.setPixelSize(16);
    fonte.setBold(true);
    MemoRascunho->setFont(fonte);
    MemoRascunho->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    MemoRascunho->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoRascunho->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the buttons, so the window is usable from the keyboard alone.
    MemoRascunho->setTabChangesFocus(true);
    Label4->setBuddy(MemoRascunho);

    b_transcrever = criaBotao(this, "b_transcrever", "&Transcrever");
    b_limpar = criaBotao(this, "b_limpar", "&Limpar");
    b_configurar = criaBotao(this, "b_configurar", "&Configurar");
    b_fechar = criaBotao(this, "b_fechar", "&Fechar");

    auto* coluna = new QVBoxLayout(this);
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label8})
        coluna->addWidget(l);
    coluna->addWidget(MemoRascunho, 1);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {b_transcrever, b_limpar, b_configurar, b_fechar})
        botoes->addWidget(b);
    coluna->addLayout(botoes);

    connect(b_transcrever, &QPushButton::clicked, this, &TFormRascunho::b_transcreverClick);
    connect(b_limpar, &QPushButton::clicked, this, &TFormRascunho::b_limparClick);
    connect(b_configurar, &QPushButton::clicked, this, &TFormRascunho::b_configurarClick);
    connect(b_fechar, &QPushButton::clicked, this, &TFormRascunho::b_fecharClick);
}

void TFormRascunho::b_transcreverClick() {
    // The lines as typed: one paragraph is one item however the memo wraps it on screen.
    const QStringList linhas = MemoRascunho->toPlainText().split(u'\n');
    if (const QString problema = problemaNasLinhasDePrancha(linhas); !problema.isEmpty()) {
        avisoErro(problema);
        return;
    }
    const bool duplicata = haPranchaDuplicada(projeto, linhas);
    if (duplicata && !perguntaOkCancela("Atenção, há pranchas em duplicata\r\nPosso atualizar, "
                                        "agregando itens novos aos existentes? "))
        return;
    // The library is listed at its first use only when pictures are looked up.
    const FigurasDaBiblioteca figuras =
        configRascunho.incluiFiguraItemAuto ? figurasDaBiblioteca() : FigurasDaBiblioteca{};
    std::optional<Transcricao> t =
        transcreveRascunho(projeto, linhas, configRascunho, figuras, duplicata);
    if (!t) return;
    documentoProjeto().substituiPorTranscrito(t->projeto);
    const QStringList falhas = copiaFigurasDaBiblioteca(t->figuras, pastaProjeto);
    if (!falhas.isEmpty())
        avisoErro("Não foi possível copiar estas figuras para a pasta do projeto:\n" +
                  listaCurta(falhas));
    if (!t->recebeuItensSoltos.isEmpty())
        avisoInfo("Os itens escritos antes da primeira linha de prancha ([nome]) foram para a "
                  "prancha \"" +
                  t->recebeuItensSoltos + "\".");
    accept();
}

void TFormRascunho::b_limparClick() {
    if (perguntaSimNao("Quer mesmo limpar?")) MemoRascunho->clear();
}

void TFormRascunho::b_configurarClick() {
    if (janelas.formConfigRascunho) janelas.formConfigRascunho->exec();
}

void TFormRascunho::b_fecharClick() {
    reject();
}
