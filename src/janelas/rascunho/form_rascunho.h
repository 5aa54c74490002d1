// The scratchpad: a free text whose lines become boards ("[casa]") and items of the open
// project. The window gathers the lines, asks before adding to boards the project already has,
// copies the library pictures the new items name, and closes; the rules are the transcription's.
// Its text stays for the whole run, transcribed or not.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormRascunho : public QDialog {
    Q_OBJECT
public:
    explicit TFormRascunho(QWidget* pai = nullptr);

    void b_transcreverClick();
    void b_limparClick();
    void b_configurarClick();
    void b_fecharClick();

    QLabel *Label1, *Label2, *Label3, *Label4, *Label8;
    QPlainTextEdit* MemoRascunho;
    QPushButton *b_transcrever, *b_limpar, *b_configurar, *b_fechar;

private:
    void criaControles();
};
