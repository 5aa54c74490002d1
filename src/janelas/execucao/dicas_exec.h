// The keys that work during a run, shown by the runner on "?".
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TformDicasExec : public QDialog {
    Q_OBJECT
public:
    explicit TformDicasExec(QWidget* pai = nullptr);
    static QStringList linhas();

    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QPushButton* b_ok;

private:
    void b_okClick();
};
