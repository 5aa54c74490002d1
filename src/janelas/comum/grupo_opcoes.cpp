#include "janelas/comum/grupo_opcoes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TGrupoOpcoes::TGrupoOpcoes(const QString& titulo, const QStringList& entradas, QWidget* pai)
    : QGroupBox(titulo, pai), botoes(new QButtonGroup(this)), grade_(new QGridLayout(this)) {
    for (int k = 0; k < entradas.size(); ++k) {
        auto* b = new QRadioButton(entradas[k], this);
        botoes->addButton(b, k);
        grade_->addWidget(b, k, 0);
    }
    connect(botoes, &QButtonGroup::idToggled, this, [this](int id, bool marcado) {
        if (marcado) emit escolhida(id);
    });
}

int TGrupoOpcoes::itemIndex() const {
    return botoes->checkedId();
}

void TGrupoOpcoes::setItemIndex(int i) {
    if (QAbstractButton* b = botoes->button(i)) b->setChecked(true);
}

QRadioButton* TGrupoOpcoes::entrada(int i) const {
    return qobject_cast<QRadioButton*>(botoes->button(i));
}
