// The project's authorship: its author, its date and a line of information. OK stores the three
// texts and leaves the window open; closing it without OK leaves the project as it was.
#pragma once

#include <QDialog>

class DocumentoProjeto;
class QLineEdit;
class QPushButton;

class TFormAutoria : public QDialog {
    Q_OBJECT
public:
    explicit TFormAutoria(DocumentoProjeto& documento, QWidget* pai = nullptr);

    QLineEdit* e_autor;
    QLineEdit* e_data;
    QLineEdit* e_info;
    QPushButton* b_cancela = nullptr;
    QPushButton* b_ok;
    QPushButton* b_data;

    void FormActivate();
    void b_okClick();
    void b_dataClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    DocumentoProjeto& documento;
};
