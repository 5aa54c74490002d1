#include "janelas/editor/config_prancha.h"

#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/controles.h"
#include "janelas/editor/caixas_de_som.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/regras_propriedades.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "plataforma/cores.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int pixelsDosRotulos = 19;

QLineEdit* campo(QWidget* pai, const char* nome) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    QFont f = e->font();
    f.setBold(true);
    e->setFont(f);
    return e;
}

} // namespace

TCaixaGrade::TCaixaGrade(QWidget* pai, const char* nome, int inicial) : QSpinBox(pai) {
    setObjectName(QLatin1String(nome));
    setRange(1, 20);
    setValue(inicial);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void TCaixaGrade::defineTexto(const QString& texto) {
    lineEdit()->setText(texto);
}

void TCaixaGrade::fixup(QString& texto) const {
    if (texto.trimmed().isEmpty()) texto = QString::number(value());
}

TformConfigPrancha::TformConfigPrancha(DocumentoProjeto& documento, QWidget* pai)
    : QDialog(pai), documento(documento) {
    setObjectName(QStringLiteral("formConfigPrancha"));
    setWindowTitle(QStringLiteral("Configuração da Prancha"));
    setModal(true);
    resize(568, 603);
    if (const QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
    pintaFundo(this, corDeTColor(azulDoPainel));
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setPixelSize(11);
    setFont(fonte);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pintaFundo(Panel1, corDeTColor(clSkyBlue));
    QWidget* P = Panel1;

    e_nome = campo(P, "e_nome");
    e_titulo = campo(P, "e_titulo");
    e_ny = new TCaixaGrade(P, "e_ny", 1);
    e_nx = new TCaixaGrade(P, "e_nx", 3);
    combo_som = criaCombo(P, "combo_som");
    b_importarSom = criaBotao(P, "b_importarSom", QStringLiteral("Importar"));
    b_play = criaBotaoDeSom(P, "b_play", GlifoSom::tocar, QStringLiteral("Tocar o som"));
    b_stop = criaBotaoDeSom(P, "b_stop", GlifoSom::parar, QStringLiteral("Parar o som"));
    b_record = criaBotaoDeSom(P, "b_record", GlifoSom::gravar, QStringLiteral("Gravar o som"));
    combo_fala = criaCombo(P, "combo_fala");
    b_playFala = criaBotaoDeSom(P, "b_playFala", GlifoSom::tocar, QStringLiteral("Tocar a fala"));
    b_stopFala = criaBotaoDeSom(P, "b_stopFala", GlifoSom::parar, QStringLiteral("Parar a fala"));
    b_recFala = criaBotaoDeSom(P, "b_recFala", GlifoSom::gravar, QStringLiteral("Gravar a fala"));
    for (QPushButton* b : {b_play, b_stop, b_record, b_playFala, b_stopFala, b_recFala})
        b->setFocusPolicy(Qt::NoFocus);
    combo_link = criaCombo(P, "combo_link");
    Shape1 = new TAmostraCor(P);
    Shape1->defineCor(clYellow);
    b_ok = criaBotao(this, "b_ok", QStringLiteral("OK"));
    b_cancela = criaBotao(this, "b_cancela", QStringLiteral("Cancelar"));

    auto* grade = new QGridLayout(Panel1);
    auto linha = [&](int r, const QString& rotulo, QWidget* controle) {
        grade->addWidget(criaRotulo(P, rotulo, pixelsDosRotulos, controle), r, 0);
        grade->addWidget(controle, r, 1);
    };
    linha(0, QStringLiteral("NOME"), e_nome);
    linha(1, QStringLiteral("TÍTULO"), e_titulo);
    auto* modelo = new QHBoxLayout;
    modelo->addWidget(e_ny);
    modelo->addWidget(criaRotulo(P, QStringLiteral("linhas de"), pixelsDosRotulos, e_ny));
    modelo->addWidget(e_nx);
    modelo->addWidget(criaRotulo(P, QStringLiteral("colunas"), pixelsDosRotulos, e_nx));
    modelo->addStretch();
    grade->addWidget(criaRotulo(P, QStringLiteral("MODELO"), pixelsDosRotulos), 2, 0);
    grade->addLayout(modelo, 2, 1);
    linha(3, QStringLiteral("SOM"), combo_som);
    auto* botoesSom = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(b_importarSom), static_cast<QWidget*>(b_play),
                       static_cast<QWidget*>(b_stop), static_cast<QWidget*>(b_record)})
        botoesSom->addWidget(w);
    grade->addLayout(botoesSom, 3, 2);
    linha(4, QStringLiteral("FALA"), combo_fala);
    auto* botoesFala = new QHBoxLayout;
    botoesFala->addStretch();
    for (QPushButton* b : {b_playFala, b_stopFala, b_recFala})
        botoesFala->addWidget(b);
    grade->addLayout(botoesFala, 4, 2);
    linha(5, QStringLiteral("VAI PARA"), combo_link);
    grade->addWidget(criaRotulo(P, QStringLiteral("(PADRÃO)"), pixelsDosRotulos), 5, 2);
    grade->addWidget(criaRotulo(P, QStringLiteral("COR"), pixelsDosRotulos, Shape1), 6, 0);
    grade->addWidget(Shape1, 6, 1, Qt::AlignLeft);
    grade->setColumnStretch(1, 1);
    grade->setRowStretch(7, 1); // the fields keep together at the top

    p_prancha = new QWidget(this);
    p_prancha->setObjectName(QStringLiteral("p_prancha"));
    p_prancha->setAccessibleName(QStringLiteral("Desenho da prancha"));
    p_prancha->setFixedSize(433, 265);

    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(Panel1);
    auto* baixo = new QHBoxLayout;
    baixo->addWidget(p_prancha);
    auto* botoesFim = new QVBoxLayout;
    botoesFim->addStretch();
    botoesFim->addWidget(b_ok);
    botoesFim->addWidget(b_cancela);
    baixo->addLayout(botoesFim);
    coluna->addLayout(baixo);

    connect(e_titulo, &QLineEdit::textChanged, this, &TformConfigPrancha::e_tituloChange);
    connect(e_nx, &QSpinBox::textChanged, this, &TformConfigPrancha::e_dimChange);
    connect(e_ny, &QSpinBox::textChanged, this, &TformConfigPrancha::e_dimChange);
    connect(Shape1, &TAmostraCor::pedida, this, &TformConfigPrancha::Shape1MouseUp);
    connect(b_importarSom, &QPushButton::clicked, this, &TformConfigPrancha::b_importarSomClick);
    connect(b_play, &QPushButton::clicked, this, &TformConfigPrancha::b_playClick);
    connect(b_stop, &QPushButton::clicked, this, &TformConfigPrancha::b_stopClick);
    connect(b_record, &QPushButton::clicked, this, &TformConfigPrancha::b_recClick);
    connect(b_playFala, &QPushButton::clicked, this, &TformConfigPrancha::b_playFalaClick);
    connect(b_stopFala, &QPushButton::clicked, this, &TformConfigPrancha::b_stopFalaClick);
    connect(b_recFala, &QPushButton::clicked, this, &TformConfigPrancha::b_recFalaClick);
    connect(b_ok, &QPushButton::clicked, this, &TformConfigPrancha::b_okClick);
    connect(b_cancela, &QPushButton::clicked, this, &QDialog::reject);
}

void TformConfigPrancha::carregaPrancha(int i) {
    const TProjeto& p = documento.projeto();
    if (i < 0 || i >= p.nPranchas()) return;
    indPranchaEditada = -1;
    const TPrancha& b = p.pranchas[i];
    e_nome->setText(b.nome);
    e_titulo->setText(b.titulo);
    e_nx->defineTexto(QString::number(b.nColunas));
    e_ny->defineTexto(QString::number(b.nLinhas));
    combo_fala->clear();
    combo_fala->setEditText(b.fala);
    combo_som->clear();
    combo_som->setEditText(b.som);
    combo_link->setEditText(b.link);
    Shape1->defineCor(b.cor);
    indPranchaEditada = i;
}

void TformConfigPrancha::guardaPrancha(int i) {
    const TProjeto& p = documento.projeto();
    if (i < 0 || i >= p.nPranchas()) return;
    TPrancha b = p.pranchas[i];
    b.nome = e_nome->text();
    b.titulo = e_titulo->text();
    b.nColunas = leDimensaoGrade(e_nx->text(), b.nColunas);
    b.nLinhas = leDimensaoGrade(e_ny->text(), b.nLinhas);
    b.fala = combo_fala->currentText();
    b.som = combo_som->currentText();
    b.link = combo_link->currentText();
    b.cor = Shape1->cor();
    documento.guardaPrancha(i, b);
}

void TformConfigPrancha::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormActivate();
}

void TformConfigPrancha::FormActivate() {
    preencheSonsEPranchas(combo_som, combo_fala, combo_link, documento.projeto());
    redesenhaPrancha(indPranchaEditada);
}

void TformConfigPrancha::redesenhaPrancha(int i) {
    const TProjeto& p = documento.projeto();
    if (i < 0 || i >= p.nPranchas()) return;
    bool okX = false, okY = false;
    const int nx = e_nx->text().trimmed().toInt(&okX, 10);
    const int ny = e_ny->text().trimmed().toInt(&okY, 10);
    if (!okX || !okY) return;
    desenhaPranchaGraf(graf, e_titulo->text(), nx, ny, Shape1->cor(), p.pranchas[i].itens,
                       p_prancha);
}

void TformConfigPrancha::e_dimChange() {
    redesenhaPrancha(indPranchaEditada);
}

void TformConfigPrancha::e_tituloChange() {
    redesenhaPrancha(indPranchaEditada);
}

void TformConfigPrancha::Shape1MouseUp() {
    if (const std::optional<TColor> cor = pedeCor(Shape1->cor())) {
        Shape1->defineCor(*cor);
        redesenhaPrancha(indPranchaEditada);
    }
}

void TformConfigPrancha::b_importarSomClick() {
    importaParaCaixa(combo_som, QStringLiteral("Importar som"), filtrosDeSom);
}

void TformConfigPrancha::b_playClick() {
    tocaSomDaCaixa(combo_som);
}

void TformConfigPrancha::b_stopClick() {
    paraSomDaCaixa();
}

void TformConfigPrancha::b_recClick() {
    gravaSomDaCaixa(combo_som);
}

void TformConfigPrancha::b_playFalaClick() {
    tocaSomDaCaixa(combo_fala);
}

void TformConfigPrancha::b_stopFalaClick() {
    paraSomDaCaixa();
}

void TformConfigPrancha::b_recFalaClick() {
    gravaSomDaCaixa(combo_fala);
}

void TformConfigPrancha::b_okClick() {
    accept();
}

void TformConfigPrancha::done(int resultado) {
    // OK stores the board: a name the file cannot hold keeps the dialog open. Cancelar, Esc
    // and the title bar store nothing.
    const QString problema = problemaNoNomeDePrancha(e_nome->text());
    if (resultado == Accepted && !problema.isEmpty()) {
        avisoErro(problema);
        e_nome->setFocus();
        return;
    }
    // Every way out stops the sound and lets the drawing go.
    paraSomDaCaixa();
    liberaPranchaGraf(graf);
    QDialog::done(resultado);
}
