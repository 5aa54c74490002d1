// The item properties dialog: an item's label, picture, colour, sound, speech file, program,
// link and how its label and frame are drawn, with a drawing of the item alone that follows
// the changes. It brings pictures and sounds into the project folder, from anywhere on disk or
// from the pictogram library. No cancel: the editor loads an item, shows the dialog and stores
// it back however it was closed.
#pragma once

#include "desenho/desenho.h"

#include <QDialog>

class DocumentoProjeto;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TAmostraCor;
class TGrupoOpcoes;

class TformConfigItem : public QDialog {
    Q_OBJECT
public:
    // Reads and stores the items of `documento`.
    explicit TformConfigItem(DocumentoProjeto& documento, QWidget* pai = nullptr);

    // Fills the controls from item j of board i; nothing for an item that does not exist.
    void carregaItem(int i, int j);
    // Stores the controls into item j of board i; nothing for an item that does not exist.
    void guardaItem(int i, int j);
    // The picture, sound and link lists from the project folder and the project.
    void preencheListas();
    // Draws the item alone into p_item as the controls show it now.
    void desenhaItem();

    void FormActivate();
    void cb_semFiguraClick();
    void r_letrasClick();
    void e_tamLetrasChange();
    void redesenha();
    void Shape1MouseUp();
    void b_importarFiguraClick();
    void b_bibliotecaClick();
    void b_importarSomClick();
    void b_playClick();
    void b_stopClick();
    void b_recClick();
    void b_playFalaClick();
    void b_stopFalaClick();
    void b_recFalaClick();
    void b_escolherClick();
    void b_okClick();

    // True while carregaItem fills the controls: they draw nothing meanwhile.
    bool carregandoItem = false;

    QWidget* p_item;
    QLineEdit* e_rotulo;
    QCheckBox* cb_semRotulo;
    QComboBox* combo_figura;
    QCheckBox* cb_semFigura;
    QPushButton* b_importarFigura;
    QPushButton* b_biblioteca;
    TAmostraCor* Shape1;
    QComboBox* combo_som;
    QPushButton* b_importarSom;
    QPushButton* b_play;
    QPushButton* b_stop;
    QPushButton* b_rec;
    QComboBox* combo_fala;
    QPushButton* b_playFala;
    QPushButton* b_stopFala;
    QPushButton* b_recFala;
    QLineEdit* e_executar;
    QPushButton* b_escolher;
    QComboBox* combo_link;
    QCheckBox* cb_desloca;
    TGrupoOpcoes* r_postexto;
    TGrupoOpcoes* r_letras;
    QLineEdit* e_tamLetras;
    TGrupoOpcoes* r_margem;
    QPushButton* b_ok;
    QPushButton* b_cancela;
    TItemGraf itemGraf;

public slots:
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void listaFigurasDoProjeto();
    DocumentoProjeto& documento;
};
