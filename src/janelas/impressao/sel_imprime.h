// Which boards of the open project to print: several chosen with control-click, or all of them.
#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;

class TFormSelImprime : public QDialog {
    Q_OBJECT
public:
    explicit TFormSelImprime(QWidget* pai = nullptr);

    // The selected lines, which are the boards' indices in the project, in project order.
    QList<int> selecionadas() const;

    QLabel* Label6;
    QListWidget* lb_pranchas;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* b_imprimir;
    QLabel* Label5;
    QPushButton* b_imprimirTudo;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
    void b_imprimirClick();
    void b_imprimirTudoClick();
};
