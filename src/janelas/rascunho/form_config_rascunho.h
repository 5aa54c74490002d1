// The transcription settings window: the colours, generation switches and item looks that the
// scratchpad gives what it creates. Its controls are loaded from the settings once, when it is
// created; "Configure" stores them and closes. Closed otherwise it stores nothing but keeps
// what the author changed for the next opening.
#pragma once

#include <QDialog>

class TAmostraCor;
class TGrupoOpcoes;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TformConfigRascunho : public QDialog {
    Q_OBJECT
public:
    explicit TformConfigRascunho(QWidget* pai = nullptr);

    void FormCreate();
    void sh_corPranchaDefaultMouseUp();
    void sh_corItemDefaultContextPopup();
    void b_configureClick();

    QGroupBox* g_pranchas;
    QLabel* Label7;
    TAmostraCor* sh_corPranchaDefault;
    QCheckBox* cb_geraSomPranchaAuto;
    QCheckBox* cb_geraFalaPranchaAuto;
    QGroupBox* g_itens;
    QLabel* Label1;
    TAmostraCor* sh_corItemDefault;
    QCheckBox* cb_geraLinkItemAuto;
    QCheckBox* cb_incluiFiguraItemAuto;
    QCheckBox* cb_geraSomItemAuto;
    QCheckBox* cb_geraFalaItemAuto;
    TGrupoOpcoes* r_postexto;
    TGrupoOpcoes* r_letras;
    TGrupoOpcoes* r_margem;
    QPushButton* b_configure;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    void criaControles();
};
