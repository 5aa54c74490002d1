// A radio group: a titled box of exclusive entries, with the index of the chosen one.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class TGrupoOpcoes : public QGroupBox {
    Q_OBJECT
public:
    TGrupoOpcoes(const QString& titulo, const QStringList& entradas, QWidget* pai = nullptr);
    // -1 while none is chosen.
    int itemIndex() const;
    // Choosing another entry, by the author or here, emits escolhida.
    void setItemIndex(int i);
    QRadioButton* entrada(int i) const;
    // Where the entries lie, one to a row in column 0, so a control can go beside one.
    QGridLayout* grade() const { return grade_; }

signals:
    void escolhida(int i);

private:
    QButtonGroup* botoes;
    QGridLayout* grade_;
};
