#include "janelas/rascunho/form_config_rascunho.h"

#include "desenho/desenho.h"
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/controles.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/rascunho/janela_rascunho.h"
#include "logica/rascunho/config_rascunho.h"
#include "plataforma/cores.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace {

// r_letras in order: PEQUENAS, MÉDIAS, GRANDES.
constexpr std::array<qint32, 3> tamanhosDeLetra{18, 36, 72};

int indiceDoTamanho(qint32 dimTexto) {
    return dimTexto == 18 ? 0 : dimTexto == 72 ? 2 : 1;
}

QFont fonteDe(const QWidget* w, int pixels, bool negrito) {
    QFont f = w->font();
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

// A sky-blue group with a 19-pixel title; what it holds keeps the window's text size.
QGroupBox* grupo(QWidget* pai, const char* nome, const QString& titulo) {
    auto* g = new QGroupBox(titulo, pai);
    g->setObjectName(QLatin1String(nome));
    g->setFont(fonteDe(pai, 19, true));
    pintaFundo(g, corDeTColor(clSkyBlue));
    return g;
}

// "COR PADRÃO" and its swatch, then the check boxes, in a group; what the group holds keeps
// the window's text size, not the title's.
void dispoeGrupo(QGroupBox* g, const QFont& fonte, QLabel* rotulo, TAmostraCor* amostra,
                 std::initializer_list<QCheckBox*> caixas) {
    rotulo->setBuddy(amostra);
    auto* linha = new QHBoxLayout;
    linha->addWidget(rotulo);
    linha->addWidget(amostra);
    linha->addStretch();
    auto* coluna = new QVBoxLayout(g);
    coluna->setContentsMargins(6, 6, 6, 6);
    coluna->addLayout(linha);
    for (QCheckBox* c : caixas)
        coluna->addWidget(c);
    coluna->addStretch();
    for (QWidget* w : g->findChildren<QWidget*>())
        w->setFont(fonte);
}

QLabel* rotuloDeCor(QWidget* pai, const char* nome) {
    auto* l = new QLabel("COR PADRÃO", pai);
    l->setObjectName(QLatin1String(nome));
    return l;
}

TAmostraCor* amostra(QWidget* pai, const char* nome, const QString& nomeAcessivel) {
    auto* a = new TAmostraCor(pai);
    a->setObjectName(QLatin1String(nome));
    a->setAccessibleName(nomeAcessivel);
    return a;
}

void escolheCorDa(TAmostraCor* amostra) {
    if (const auto cor = pedeCor(amostra->cor())) amostra->defineCor(*cor);
}

} // namespace

TformConfigRascunho::TformConfigRascunho(QWidget* pai) : QDialog(pai) {
    preparaJanelaDoRascunho(this, "formConfigRascunho",
                            "Zelvana - Configurações da  transcrição do rascunho", {655, 448});
    setFont(fonteDe(this, 12, true));
    criaControles();
    FormCreate();
}

void TformConfigRascunho::criaControles() {
    const QFont fonte = font();

    const QString textoSom = "Inicializa o som para futura gravação";
    const QString textoFala = "Gera fala automática";

    g_pranchas = grupo(this, "g_pranchas", "PRANCHAS");
    Label7 = rotuloDeCor(g_pranchas, "Label7");
    sh_corPranchaDefault = amostra(g_pranchas, "sh_corPranchaDefault", "Cor padrão das pranchas");
    cb_geraSomPranchaAuto = criaMarca(g_pranchas, "cb_geraSomPranchaAuto", textoSom);
    cb_geraFalaPranchaAuto = criaMarca(g_pranchas, "cb_geraFalaPranchaAuto", textoFala);
    dispoeGrupo(g_pranchas, fonte, Label7, sh_corPranchaDefault,
                {cb_geraSomPranchaAuto, cb_geraFalaPranchaAuto});

    g_itens = grupo(this, "g_itens", "ITENS");
    Label1 = rotuloDeCor(g_itens, "Label1");
    sh_corItemDefault = amostra(g_itens, "sh_corItemDefault", "Cor padrão dos itens");
    cb_geraLinkItemAuto =
        criaMarca(g_itens, "cb_geraLinkItemAuto", "Descobre ligações com outras pranchas");
    cb_incluiFiguraItemAuto =
        criaMarca(g_itens, "cb_incluiFiguraItemAuto", "Inclui a figura automaticamente");
    cb_geraSomItemAuto = criaMarca(g_itens, "cb_geraSomItemAuto", textoSom);
    cb_geraFalaItemAuto = criaMarca(g_itens, "cb_geraFalaItemAuto", textoFala);
    dispoeGrupo(
        g_itens, fonte, Label1, sh_corItemDefault,
        {cb_geraLinkItemAuto, cb_incluiFiguraItemAuto, cb_geraSomItemAuto, cb_geraFalaItemAuto});

    r_postexto =
        criaGrupoOpcoes(this, "r_postexto", "RÓTULO", {"EMBAIXO", "NO MEIO", "EM CIMA"}, 0x8080FF);
    r_letras =
        criaGrupoOpcoes(this, "r_letras", "LETRAS", {"PEQUENAS", "MÉDIAS", "GRANDES"}, 0x4080FF);
    r_margem =
        criaGrupoOpcoes(this, "r_margem", "MARGEM", {"SEM", "FINA", "MÉDIA", "GROSSA"}, 0xFF9010);

    b_configure = criaBotao(this, "b_configure", "Configure");

    auto* grade = new QGridLayout(this);
    // Tight enough that the long check box captions fit side by side in 655 pixels.
    grade->setContentsMargins(6, 6, 6, 6);
    grade->setSpacing(6);
    grade->addWidget(g_pranchas, 0, 0);
    grade->addWidget(g_itens, 0, 1, 1, 2);
    grade->addWidget(r_postexto, 1, 0);
    grade->addWidget(r_letras, 1, 1);
    grade->addWidget(r_margem, 1, 2);
    auto* rodape = new QHBoxLayout;
    rodape->addStretch();
    rodape->addWidget(b_configure);
    grade->addLayout(rodape, 2, 0, 1, 3);
    grade->setRowStretch(0, 1);
    grade->setRowStretch(1, 1);

    // The board swatch answers the release of any mouse button (the left one, Space and Enter
    // through the swatch itself, the others through the filter); the item swatch only a context
    // menu request: the right button or the menu key.
    connect(sh_corPranchaDefault, &TAmostraCor::pedida, this,
            &TformConfigRascunho::sh_corPranchaDefaultMouseUp);
    sh_corPranchaDefault->installEventFilter(this);
    sh_corItemDefault->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sh_corItemDefault, &QWidget::customContextMenuRequested, this,
            &TformConfigRascunho::sh_corItemDefaultContextPopup);
    connect(b_configure, &QPushButton::clicked, this, &TformConfigRascunho::b_configureClick);
}

void TformConfigRascunho::FormCreate() {
    const ConfigRascunho& c = configRascunho;
    sh_corPranchaDefault->defineCor(c.corPranchaDefault);
    cb_geraSomPranchaAuto->setChecked(c.geraSomPranchaAuto);
    cb_geraFalaPranchaAuto->setChecked(c.geraFalaPranchaAuto);
    sh_corItemDefault->defineCor(c.corItemDefault);
    cb_geraLinkItemAuto->setChecked(c.geraLinkItemAuto);
    cb_incluiFiguraItemAuto->setChecked(c.incluiFiguraItemAuto);
    cb_geraSomItemAuto->setChecked(c.geraSomItemAuto);
    cb_geraFalaItemAuto->setChecked(c.geraFalaItemAuto);
    r_letras->setItemIndex(indiceDoTamanho(c.dimTextoDefault));
    r_postexto->setItemIndex(int(c.posTextoDefault));
    r_margem->setItemIndex(int(c.dimMolduraDefault));
}

bool TformConfigRascunho::eventFilter(QObject* alvo, QEvent* e) {
    if (alvo == sh_corPranchaDefault && e->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::LeftButton &&
            sh_corPranchaDefault->rect().contains(m->position().toPoint()))
            sh_corPranchaDefaultMouseUp();
    }
    return QDialog::eventFilter(alvo, e);
}

void TformConfigRascunho::sh_corPranchaDefaultMouseUp() {
    escolheCorDa(sh_corPranchaDefault);
}

void TformConfigRascunho::sh_corItemDefaultContextPopup() {
    escolheCorDa(sh_corItemDefault);
}

void TformConfigRascunho::b_configureClick() {
    ConfigRascunho& c = configRascunho;
    c.corPranchaDefault = sh_corPranchaDefault->cor();
    c.geraSomPranchaAuto = cb_geraSomPranchaAuto->isChecked();
    c.geraFalaPranchaAuto = cb_geraFalaPranchaAuto->isChecked();
    c.corItemDefault = sh_corItemDefault->cor();
    c.geraLinkItemAuto = cb_geraLinkItemAuto->isChecked();
    c.incluiFiguraItemAuto = cb_incluiFiguraItemAuto->isChecked();
    c.geraSomItemAuto = cb_geraSomItemAuto->isChecked();
    c.geraFalaItemAuto = cb_geraFalaItemAuto->isChecked();
    if (const int i = r_letras->itemIndex(); i >= 0) c.dimTextoDefault = tamanhosDeLetra[i];
    if (const int i = r_postexto->itemIndex(); i >= 0) c.posTextoDefault = TPosVertical(i);
    if (const int i = r_margem->itemIndex(); i >= 0) c.dimMolduraDefault = TDimMoldura(i);
    accept();
}
