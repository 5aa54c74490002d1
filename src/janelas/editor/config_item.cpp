#include "janelas/editor/config_item.h"

#include "desenho/figura.h"
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/controles.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/caixas_de_som.h"
#include "janelas/editor/sel_figura.h"
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/regras_propriedades.h"
#include "logica/execucao/fila_saida.h"
#include "plataforma/cores.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int pixelsDosRotulos = 19;

} // namespace

TformConfigItem::TformConfigItem(DocumentoProjeto& documento, QWidget* pai)
    : QDialog(pai), documento(documento) {
    setObjectName(QStringLiteral("formConfigItem"));
    setWindowTitle(QStringLiteral("Programação de Item da Prancha"));
    setModal(true);
    resize(790, 475);
    if (const QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
    pintaFundo(this, corDeTColor(clSkyBlue));
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setPixelSize(13);
    fonte.setBold(true);
    setFont(fonte);

    p_item = new QWidget(this);
    p_item->setObjectName(QStringLiteral("p_item"));
    p_item->setAccessibleName(QStringLiteral("Desenho do item"));
    p_item->setFixedSize(161, 169);
    pintaFundo(p_item, Qt::white);

    e_rotulo = new QLineEdit(this);
    e_rotulo->setObjectName(QStringLiteral("e_rotulo"));
    cb_semRotulo = criaMarca(this, "cb_semRotulo", QStringLiteral("Sem rótulo"));
    combo_figura = criaCombo(this, "combo_figura");
    cb_semFigura = criaMarca(this, "cb_semFigura", QStringLiteral("Sem figura"));
    b_importarFigura = criaBotao(this, "b_importarFigura", QStringLiteral("Importar"));
    b_importarFigura->setAccessibleName(QStringLiteral("Importar figura"));
    b_biblioteca = criaBotao(this, "b_biblioteca", QStringLiteral("Ver biblioteca"));
    Shape1 = new TAmostraCor(this);
    Shape1->defineCor(clYellow);
    combo_som = criaCombo(this, "combo_som");
    b_importarSom = criaBotao(this, "b_importarSom", QStringLiteral("Importar"));
    b_importarSom->setAccessibleName(QStringLiteral("Importar som"));
    b_play = criaBotaoDeSom(this, "b_play", GlifoSom::tocar, QStringLiteral("Tocar o som"));
    b_stop = criaBotaoDeSom(this, "b_stop", GlifoSom::parar, QStringLiteral("Parar o som"));
    b_rec = criaBotaoDeSom(this, "b_rec", GlifoSom::gravar, QStringLiteral("Gravar o som"));
    combo_fala = criaCombo(this, "combo_fala");
    b_playFala =
        criaBotaoDeSom(this, "b_playFala", GlifoSom::tocar, QStringLiteral("Tocar a fala"));
    b_stopFala =
        criaBotaoDeSom(this, "b_stopFala", GlifoSom::parar, QStringLiteral("Parar a fala"));
    b_recFala =
        criaBotaoDeSom(this, "b_recFala", GlifoSom::gravar, QStringLiteral("Gravar a fala"));
    e_executar = new QLineEdit(this);
    e_executar->setObjectName(QStringLiteral("e_executar"));
    b_escolher = criaBotao(this, "b_escolher", QStringLiteral("Escolher"));
    combo_link = criaCombo(this, "combo_link");
    cb_desloca =
        criaMarca(this, "cb_desloca", QStringLiteral("DESLOCAR PARA A DIREITA NA PRANCHA"));
    QFont regular = cb_desloca->font();
    regular.setBold(false);
    regular.setPixelSize(pixelsDosRotulos);
    cb_desloca->setFont(regular);

    r_postexto = criaGrupoOpcoes(
        this, "r_postexto", QStringLiteral("RÓTULO"),
        {QStringLiteral("EMBAIXO"), QStringLiteral("NO MEIO"), QStringLiteral("EM CIMA")},
        0x8080FF);
    r_letras = criaGrupoOpcoes(this, "r_letras", QStringLiteral("LETRAS"),
                               {QStringLiteral("PEQUENAS"), QStringLiteral("MÉDIAS"),
                                QStringLiteral("GRANDES"), QStringLiteral("Outras...")},
                               0x4080FF);
    e_tamLetras = new QLineEdit(QStringLiteral("6"), r_letras);
    e_tamLetras->setObjectName(QStringLiteral("e_tamLetras"));
    e_tamLetras->setAccessibleName(QStringLiteral("Tamanho das letras"));
    e_tamLetras->setFixedWidth(48);
    r_letras->grade()->addWidget(e_tamLetras, entradaOutras, 1);
    r_margem = criaGrupoOpcoes(this, "r_margem", QStringLiteral("MARGEM"),
                               {QStringLiteral("SEM"), QStringLiteral("FINA"),
                                QStringLiteral("MÉDIA"), QStringLiteral("GROSSA")},
                               azulDoPainel);
    // The defaults of new items until an item is loaded.
    r_letras->setItemIndex(entradaDeTamanho(36));
    r_postexto->setItemIndex(int(TPosVertical::cima));
    b_ok = criaBotao(this, "b_ok", QStringLiteral("&Ok"));
    b_cancela = criaBotao(this, "b_cancela", QStringLiteral("Cancelar"));

    auto* campos = new QGridLayout;
    auto linha = [&](int r, const QString& rotulo, QWidget* controle) {
        campos->addWidget(criaRotulo(this, rotulo, pixelsDosRotulos, controle), r, 0);
        campos->addWidget(controle, r, 1);
    };
    auto botoes = [&](int r, std::initializer_list<QWidget*> ws) {
        auto* h = new QHBoxLayout;
        for (QWidget* w : ws)
            h->addWidget(w);
        h->addStretch();
        campos->addLayout(h, r, 2);
    };
    linha(0, QStringLiteral("RÓTULO"), e_rotulo);
    botoes(0, {cb_semRotulo});
    linha(1, QStringLiteral("FIGURA"), combo_figura);
    botoes(1, {cb_semFigura, b_importarFigura, b_biblioteca});
    linha(2, QStringLiteral("COR"), Shape1);
    campos->setAlignment(Shape1, Qt::AlignLeft);
    linha(3, QStringLiteral("SOM"), combo_som);
    botoes(3, {b_importarSom, b_play, b_stop, b_rec});
    linha(4, QStringLiteral("FALA"), combo_fala);
    botoes(4, {b_playFala, b_stopFala, b_recFala});
    linha(5, QStringLiteral("EXECUTAR"), e_executar);
    botoes(5, {b_escolher});
    linha(6, QStringLiteral("VAI PARA"), combo_link);
    campos->addWidget(cb_desloca, 7, 0, 1, 3);
    campos->setColumnStretch(1, 1);

    auto* cima = new QHBoxLayout;
    cima->addWidget(p_item, 0, Qt::AlignTop);
    cima->addLayout(campos, 1);
    auto* baixo = new QHBoxLayout;
    baixo->addWidget(r_postexto);
    baixo->addWidget(r_letras);
    baixo->addWidget(r_margem);
    baixo->addStretch();
    auto* botoesFim = new QVBoxLayout;
    botoesFim->addStretch();
    botoesFim->addWidget(b_ok);
    botoesFim->addWidget(b_cancela);
    baixo->addLayout(botoesFim);
    auto* coluna = new QVBoxLayout(this);
    coluna->addLayout(cima);
    coluna->addLayout(baixo);

    auto seNaoCarregando = [this] {
        if (!carregandoItem) desenhaItem();
    };
    connect(e_rotulo, &QLineEdit::textChanged, this, seNaoCarregando);
    connect(cb_semRotulo, &QCheckBox::toggled, this, seNaoCarregando);
    connect(combo_figura, &QComboBox::editTextChanged, this, seNaoCarregando);
    connect(cb_semFigura, &QCheckBox::toggled, this, &TformConfigItem::cb_semFiguraClick);
    connect(r_letras, &TGrupoOpcoes::escolhida, this, &TformConfigItem::r_letrasClick);
    connect(e_tamLetras, &QLineEdit::textChanged, this, &TformConfigItem::e_tamLetrasChange);
    connect(r_postexto, &TGrupoOpcoes::escolhida, this, &TformConfigItem::redesenha);
    connect(r_margem, &TGrupoOpcoes::escolhida, this, &TformConfigItem::redesenha);
    connect(Shape1, &TAmostraCor::pedida, this, &TformConfigItem::Shape1MouseUp);
    connect(b_importarFigura, &QPushButton::clicked, this, &TformConfigItem::b_importarFiguraClick);
    connect(b_biblioteca, &QPushButton::clicked, this, &TformConfigItem::b_bibliotecaClick);
    connect(b_importarSom, &QPushButton::clicked, this, &TformConfigItem::b_importarSomClick);
    connect(b_play, &QPushButton::clicked, this, &TformConfigItem::b_playClick);
    connect(b_stop, &QPushButton::clicked, this, &TformConfigItem::b_stopClick);
    connect(b_rec, &QPushButton::clicked, this, &TformConfigItem::b_recClick);
    connect(b_playFala, &QPushButton::clicked, this, &TformConfigItem::b_playFalaClick);
    connect(b_stopFala, &QPushButton::clicked, this, &TformConfigItem::b_stopFalaClick);
    connect(b_recFala, &QPushButton::clicked, this, &TformConfigItem::b_recFalaClick);
    connect(b_escolher, &QPushButton::clicked, this, &TformConfigItem::b_escolherClick);
    connect(b_ok, &QPushButton::clicked, this, &TformConfigItem::b_okClick);
    // Cancelar, Esc and the title bar store nothing.
    connect(b_cancela, &QPushButton::clicked, this, &QDialog::reject);
}

void TformConfigItem::carregaItem(int i, int j) {
    const TProjeto& p = documento.projeto();
    if (i < 0 || i >= p.nPranchas() || j < 0 || j >= p.pranchas[i].itens.size()) return;
    const TItem& it = p.pranchas[i].itens[j];
    carregandoItem = true;
    e_rotulo->setText(it.rotulo);
    combo_figura->setEditText(it.figura);
    combo_fala->setEditText(it.fala);
    combo_som->setEditText(it.som);
    combo_link->setEditText(it.link);
    e_executar->setText(it.executar);
    Shape1->defineCor(it.cor);
    cb_semRotulo->setChecked(it.semRotulo);
    cb_semFigura->setChecked(it.semFigura);
    combo_figura->setEnabled(!it.semFigura);
    r_postexto->setItemIndex(int(it.posTexto));
    e_tamLetras->setText(QString::number(it.dimTexto));
    r_letras->setItemIndex(entradaDeTamanho(it.dimTexto));
    r_margem->setItemIndex(int(it.dimMoldura));
    cb_desloca->setChecked(it.deslocHoriz);
    carregandoItem = false;
}

void TformConfigItem::guardaItem(int i, int j) {
    const TProjeto& p = documento.projeto();
    if (i < 0 || i >= p.nPranchas() || j < 0 || j >= p.pranchas[i].itens.size()) return;
    TItem it;
    it.rotulo = e_rotulo->text();
    it.figura = combo_figura->currentText();
    it.fala = combo_fala->currentText();
    it.som = combo_som->currentText();
    it.link = combo_link->currentText();
    it.executar = e_executar->text();
    it.cor = Shape1->cor();
    it.semRotulo = cb_semRotulo->isChecked();
    it.semFigura = cb_semFigura->isChecked();
    it.posTexto = TPosVertical(qBound(0, r_postexto->itemIndex(), 2));
    it.dimTexto = tamanhoLetras(e_tamLetras->text());
    it.dimMoldura = TDimMoldura(qBound(0, r_margem->itemIndex(), 3));
    it.deslocHoriz = cb_desloca->isChecked();
    documento.guardaItem(i, j, it);
}

void TformConfigItem::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormActivate();
}

void TformConfigItem::FormActivate() {
    preencheListas();
    desenhaItem();
}

void TformConfigItem::listaFigurasDoProjeto() {
    trocaLista(combo_figura, arquivosDoProjeto({"jpg", "bmp"}));
}

void TformConfigItem::preencheListas() {
    listaFigurasDoProjeto();
    preencheSonsEPranchas(combo_som, combo_fala, combo_link, documento.projeto());
}

void TformConfigItem::desenhaItem() {
    liberaItemGraf(itemGraf);
    const bool semFigura = cb_semFigura->isChecked();
    QString figura;
    if (!semFigura) {
        // Found as the board drawing finds it, so the preview and the board agree.
        figura = resolveFigura(combo_figura->currentText(), e_rotulo->text());
        if (figura.isEmpty()) figura = pastaDoPrograma() + QStringLiteral("/_figvazia.jpg");
    }
    const QRect area(QPoint(0, 0), QPoint(p_item->width() - 1, p_item->height() - 1));
    criaItemGraf(itemGraf, area, figura, semFigura, e_rotulo->text(), cb_semRotulo->isChecked(),
                 TPosVertical(qBound(0, r_postexto->itemIndex(), 2)),
                 tamanhoLetras(e_tamLetras->text()), Shape1->cor(),
                 TDimMoldura(qBound(0, r_margem->itemIndex(), 3)), p_item);
}

void TformConfigItem::cb_semFiguraClick() {
    combo_figura->setEnabled(!cb_semFigura->isChecked());
    if (!carregandoItem) desenhaItem();
}

void TformConfigItem::r_letrasClick() {
    const int tamanho = tamanhoDaEntrada(r_letras->itemIndex());
    if (tamanho == 0) return;
    const QString texto = QString::number(tamanho);
    if (e_tamLetras->text() != texto) e_tamLetras->setText(texto);
    if (!carregandoItem) desenhaItem();
}

void TformConfigItem::e_tamLetrasChange() {
    const int entrada = entradaDeTamanho(tamanhoLetras(e_tamLetras->text()));
    // Choosing one of the three sizes draws through r_letrasClick.
    if (r_letras->itemIndex() != entrada) r_letras->setItemIndex(entrada);
    if (entrada == entradaOutras && !carregandoItem) desenhaItem();
}

void TformConfigItem::redesenha() {
    if (!carregandoItem) desenhaItem();
}

void TformConfigItem::Shape1MouseUp() {
    if (const std::optional<TColor> cor = pedeCor(Shape1->cor())) {
        Shape1->defineCor(*cor);
        desenhaItem();
    }
}

void TformConfigItem::b_importarFiguraClick() {
    importaParaCaixa(combo_figura, QStringLiteral("Importar figura"), filtrosDeFigura);
    desenhaItem();
}

void TformConfigItem::b_bibliotecaClick() {
    if (!janelas.formSelFigura) return;
    if (const std::optional<QString> nome = janelas.formSelFigura->escolhe(e_rotulo->text())) {
        combo_figura->clear();
        combo_figura->setEditText(*nome);
        listaFigurasDoProjeto();
    }
    desenhaItem();
}

void TformConfigItem::b_importarSomClick() {
    importaParaCaixa(combo_som, QStringLiteral("Importar som"), filtrosDeSom);
}

void TformConfigItem::b_playClick() {
    tocaSomDaCaixa(combo_som);
}

void TformConfigItem::b_stopClick() {
    paraSomDaCaixa();
}

void TformConfigItem::b_recClick() {
    gravaSomDaCaixa(combo_som);
    preencheListas();
}

void TformConfigItem::b_playFalaClick() {
    tocaSomDaCaixa(combo_fala);
}

void TformConfigItem::b_stopFalaClick() {
    paraSomDaCaixa();
}

void TformConfigItem::b_recFalaClick() {
    gravaSomDaCaixa(combo_fala);
    preencheListas();
}

void TformConfigItem::b_escolherClick() {
    if (const std::optional<QString> escolhido =
            escolheProgramaOuVideo(QStringLiteral("Escolher programa ou vídeo"), pastaProjeto))
        e_executar->setText(nomeParaExecutar(*escolhido));
}

void TformConfigItem::b_okClick() {
    accept();
}

void TformConfigItem::done(int resultado) {
    // Every way out lets the drawing go and stops the sound.
    liberaItemGraf(itemGraf);
    paraSomDaCaixa();
    QDialog::done(resultado);
}
