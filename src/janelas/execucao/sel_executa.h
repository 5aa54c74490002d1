// Asks for the board a run starts with, when the project has none set.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TFormSelExecuta : public QDialog {
    Q_OBJECT
public:
    explicit TFormSelExecuta(QWidget* pai = nullptr);
    // Shows the window modally; the chosen name, empty when cancelled.
    QString escolhe();

    QLabel* Label1;
    QComboBox* combo_pranchaInicial;
    QPushButton* b_ok;
    QPushButton* b_cancelar;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
    void b_okClick();
    void b_cancelarClick();
};
