// The board properties dialog: a board's name, title, grid, colour, sound, speech file and
// default link, with a live drawing of the board as they change. It has no cancel: the editor
// loads a board, shows the dialog and stores it back however it was closed.
#pragma once

#include "desenho/desenho.h"

#include <QDialog>
#include <QSpinBox>

class DocumentoProjeto;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class TAmostraCor;

// A grid box (rows or columns): 1 to 20 with arrows. A number typed outside goes to the nearest
// limit when the box loses the focus; a box emptied there gets back the number it had.
class TCaixaGrade : public QSpinBox {
    Q_OBJECT
public:
    TCaixaGrade(QWidget* pai, const char* nome, int inicial);
    // The text as loaded from a board, whatever it holds.
    void defineTexto(const QString& texto);

protected:
    void fixup(QString& texto) const override;
};

class TformConfigPrancha : public QDialog {
    Q_OBJECT
public:
    // Reads and stores the boards of `documento`.
    explicit TformConfigPrancha(DocumentoProjeto& documento, QWidget* pai = nullptr);

    // Fills the controls from board i; nothing for a board that does not exist.
    void carregaPrancha(int i);
    // Stores the controls into board i, its items untouched. A grid box that holds no number
    // keeps the board's value; every other field is stored all the same.
    void guardaPrancha(int i);
    // Draws board i's items in the grid, title and colour the controls show now.
    void redesenhaPrancha(int i);

    void FormActivate();
    void e_dimChange();
    void e_tituloChange();
    void Shape1MouseUp();
    void b_importarSomClick();
    void b_playClick();
    void b_stopClick();
    void b_recClick();
    void b_playFalaClick();
    void b_stopFalaClick();
    void b_recFalaClick();
    void b_okClick();

    // The board being edited; -1 while the controls are being filled.
    int indPranchaEditada = -1;

    QFrame* Panel1;
    QLineEdit* e_nome;
    QLineEdit* e_titulo;
    TCaixaGrade* e_ny;
    TCaixaGrade* e_nx;
    QComboBox* combo_som;
    QPushButton* b_importarSom;
    QPushButton* b_play;
    QPushButton* b_stop;
    QPushButton* b_record;
    QComboBox* combo_fala;
    QPushButton* b_playFala;
    QPushButton* b_stopFala;
    QPushButton* b_recFala;
    QComboBox* combo_link;
    TAmostraCor* Shape1;
    QPushButton* b_ok;
    QPushButton* b_cancela;
    QWidget* p_prancha;
    TPranchaGraf graf;

public slots:
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    DocumentoProjeto& documento;
};
