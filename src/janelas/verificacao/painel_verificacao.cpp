#include "janelas/verificacao/painel_verificacao.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int papelPrancha = Qt::UserRole;
constexpr int papelItem = Qt::UserRole + 1;
} // namespace

PainelVerificacao::PainelVerificacao(QWidget* pai) : QDockWidget(pai) {
    setObjectName("painelVerificacao");
    setWindowTitle("Verificação do projeto");
    setFeatures(QDockWidget::DockWidgetClosable);
    auto* conteudo = new QWidget(this);
    auto* coluna = new QVBoxLayout(conteudo);
    coluna->setContentsMargins(4, 0, 4, 4);
    lb_achados = new QListWidget(conteudo);
    lb_achados->setObjectName("lb_achados");
    lb_achados->setAccessibleName("Problemas encontrados");
    lb_achados->setAccessibleDescription(
        "Clique duas vezes ou tecle Enter num problema para ir até a prancha e o item");
    lb_achados->setWordWrap(true);
    lb_achados->setAlternatingRowColors(true); // where one wrapped sentence ends

    QFont fonte = lb_achados->font(); // sentences read better without the editor's bold
    fonte.setBold(false);
    lb_achados->setFont(fonte);
    auto* rotulo =
        new QLabel("&Problemas encontrados (clique duas vezes para ir até o item):", conteudo);
    rotulo->setBuddy(lb_achados);
    b_verificarDeNovo = new QPushButton("&Verificar de novo", conteudo);
    b_verificarDeNovo->setObjectName("b_verificarDeNovo");
    coluna->addWidget(rotulo);
    coluna->addWidget(lb_achados, 1);
    coluna->addWidget(b_verificarDeNovo, 0, Qt::AlignRight);
    setWidget(conteudo);

    connect(lb_achados, &QListWidget::itemActivated, this, [this](QListWidgetItem* entrada) {
        const QVariant prancha = entrada->data(papelPrancha);
        if (prancha.isValid())
            emit achadoEscolhido(prancha.toInt(), entrada->data(papelItem).toInt());
    });
    connect(b_verificarDeNovo, &QPushButton::clicked, this, &PainelVerificacao::verificarDeNovo);
}

void PainelVerificacao::mostra(const QList<Achado>& achados) {
    lb_achados->clear();
    if (achados.isEmpty()) lb_achados->addItem("Nenhum problema encontrado");
    for (const Achado& a : achados) {
        auto* entrada = new QListWidgetItem(a.texto, lb_achados);
        entrada->setData(papelPrancha, a.prancha);
        entrada->setData(papelItem, a.item);
    }
    lb_achados->setCurrentRow(0);
    show();
    raise();
}
