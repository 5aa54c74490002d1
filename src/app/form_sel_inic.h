// The start window: where projects live, creating or choosing a project folder, and the doors
// to editing, printing, settings, running, export and import.
#pragma once

#include "plataforma/unidades.h"

#include <QList>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

class TformSelInic : public QWidget {
    Q_OBJECT
public:
    explicit TformSelInic(QWidget* parent = nullptr);

    // The folder the selected "Onde" entry stands for.
    QString pastaOnde() const;
    // The folder dialog; true when a folder was chosen (then pastaProjeto is that folder and so
    // is the process's current folder).
    bool escolhePasta(const QString& inicio, bool permiteCriar);
    void habilitaBotoes();
    // What the command line `zelvana PASTA` does: as if the folder had been chosen.
    bool abrePastaDaLinhaDeComando(const QString& pasta);

    QLabel* Label1;
    QLabel* l_pasta;
    QLabel* Image1;
    QGroupBox* rg_onde;
    QButtonGroup* rg_ondeBotoes;
    QPushButton* b_renovar;
    QWidget* p_projeto;
    QPushButton* b_criarProjeto;
    QPushButton* b_escolherPasta;
    QPushButton* b_editar;
    QPushButton* b_salvar;
    QPushButton* b_imprimir;
    QPushButton* b_configurar;
    QPushButton* b_executar;
    QPushButton* b_exportar;
    QPushButton* b_importar;
    QPushButton* b_sobre;
    QPushButton* b_ajuda;

    void FormActivate();
    void b_renovarClick();
    void b_criarProjetoClick();
    void b_escolherPastaClick();
    void b_editarClick();
    void b_salvarClick();
    void b_imprimirClick();
    void b_configurarClick();
    void b_executarClick();
    // Export and model import: exporta_importa.cpp.
    void b_exportarClick();
    void b_importarClick();
    void b_sobreClick();
    void b_ajudaClick();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QPushButton* botaoDoPainel(const QString& texto, int ordem);
    // Criar Projeto's last step: the starter vocabulary copied into the new folder and read, when
    // the author wants it; false when the project is to start empty (exporta_importa.cpp).
    bool comecaPeloVocabulario();
    void mostraPasta();

    bool primeiraAtivacao = true;
    QVBoxLayout* ondeLayout = nullptr;
    QList<Unidade> unidades; // the drives listed in rg_onde, in order
};
