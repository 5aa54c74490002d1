// The board editor: the project's boards and the selected board's items as lists, a small
// live drawing, and the commands that build the project.
#pragma once

#include "desenho/desenho.h"

#include <QMainWindow>
#include <functional>

class QListWidget;
class QPushButton;
class QToolButton;
class QAction;
class DocumentoProjeto;
class PainelVerificacao;
class QTimer;

class TFormProg : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormProg(QWidget* pai = nullptr);

    void atualizaBotoes();
    void mostraPrancha(int i);
    void limpaPreview();
    // Ask for the name, then insert; true when something was inserted.
    bool inserePrancha();
    bool insereItem();

    // Handlers, named as the commands they serve.
    void lb_pranchasClick();
    void b_insAbaixoClick();
    void b_detalharClick();
    void b_paraCimaClick();
    void b_paraBaixoClick();
    void b_duplicarClick();
    void b_removerClick();
    void b_insAbaixoItemClick();
    void b_detalharItemClick();
    void b_paraCimaItemClick();
    void b_paraBaixoItemClick();
    void b_duplicarItemClick();
    void b_removerItemClick();
    void Salvar1Click();
    void Imprimirprancha1Click();
    void PranchaemJPEG1Click();
    void Terminar1Click();
    void Removertodasaspranchas1Click();
    void Visualizar1Click();
    // The execution settings, beside the editor (not modal).
    void ConfigExec1Click();
    void Rascunhar1Click();
    void Autoria1Click();
    void aJuda1Click();
    void b_sair1Click();
    void Verificarprojeto1Click();

    // Selects the board and item a finding is about (-1: none), as a click in the lists would.
    void mostraAchado(int prancha, int item);

    QListWidget* lb_pranchas = nullptr;
    QListWidget* lb_itens = nullptr;
    QWidget* p_previewPrancha = nullptr;
    QPushButton *b_insAbaixo, *b_detalhar, *b_paraCima, *b_paraBaixo, *b_duplicar, *b_remover;
    QPushButton *b_insAbaixoItem, *b_detalharItem, *b_paraCimaItem, *b_paraBaixoItem,
        *b_duplicarItem, *b_removerItem;
    TPranchaGraf graf;
    // Every change the commands make to the project goes through it; the lists follow it.
    DocumentoProjeto* documento = nullptr;
    // The findings of "Verificar projeto", checked again while shown when the project changes.
    PainelVerificacao* painelVerificacao = nullptr;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    void criaControles();
    void criaMenu();
    // How the window follows the document.
    void listaPranchas();
    void atualizaPrancha(int i);
    void atualizaItens(int i);
    void mostraSelecao(int i);
    // Saving, after saying once which items past a grid the save drops; false when not saved.
    bool salva();
    void agendaVerificacao();

    QTimer* verificacaoAgendada = nullptr;
    QString perguntaForaDaGradeAceita;
    bool janelaCresceu = false;
};
