// The project as the windows change it: every record operation on the boards and items, the
// authorship and the run settings, the board and item being edited, and a signal for each
// change so the lists, the drawing and the settings follow. Each change the author makes is
// one step of the history, undone and redone whole. No widgets here; a window asks the
// questions and calls one operation per command.
#pragma once

#include "nucleo/prvars.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

class DocumentoProjeto : public QObject {
    Q_OBJECT
public:
    explicit DocumentoProjeto(TProjeto& projeto, QObject* pai = nullptr);

    const TProjeto& projeto() const { return p; }
    // -1 when nothing is selected (or the selection no longer exists in the project).
    int pranchaSelecionada() const;
    int itemSelecionado() const;

    // The project was replaced or filled from outside: the first board, no item. Outside any
    // step (a load), the history starts over: undoing past a load would mix two projects.
    void recarrega();
    // Board i with no item selected (-1: none).
    void selecionaPrancha(int i);
    // Only remembered: the list that picked the item already shows it.
    void selecionaItem(int j);

    // Each operation below acts on the selection, does nothing without the selection it
    // needs, and leaves the new or moved record selected. Names are taken as typed.

    // Just below the selected board (at the top with none); gives its index, or -1.
    int inserePrancha(const QString& nome);
    // Just below the selected item of the selected board (at the top with none); -1 with no
    // board selected.
    int insereItem(const QString& nome);
    // A new board below the selected one that takes everything but its name and title.
    int duplicaPrancha(const QString& nome);
    // A new item below the selected one that takes everything but its label.
    int duplicaItem(const QString& nome);
    // The next board (or item) takes the removed one's place in the selection.
    bool removePrancha();
    bool removeItem();
    bool sobePrancha();
    bool descePrancha();
    bool sobeItem();
    bool desceItem();
    // The settings and the start and help board names stay.
    void removeTodasAsPranchas();

    // What a property dialog stores back, however it was closed. A board's own fields only:
    // its items are changed item by item.
    bool guardaPrancha(int i, const TPrancha& valores);
    bool guardaItem(int i, int j, const TItem& valores);
    // The authorship dialog's three texts, as typed.
    void guardaAutoria(const QString& autor, const QString& data, const QString& info);
    // The run settings and access options of `valores` (checked by the settings window); its
    // boards and authorship are not looked at.
    void guardaConfiguracao(const TProjeto& valores);
    // The project the scratchpad transcribed from this one (new boards and items, a start
    // board for a project that had none) takes its place, as one step.
    void substituiPorTranscrito(const TProjeto& transcrito);

    // Undo and redo, each step named as the menu shows it ("Desfazer Remover prancha"). Clean
    // where the project was last saved or loaded.
    QUndoStack& historico() { return historico_; }

    // What a step keeps: the project's boards, everything else of it (`resto`: authorship,
    // settings, access options) and the selection.
    struct Estado {
        QList<TPrancha> pranchas;
        TProjeto resto;
        int prancha = -1, item = -1;
        bool mesmoProjeto(const Estado& o) const;
    };
    Estado estado() const;
    void aplica(const Estado& e);

    // Files a step brought into the project folder: taken out when it is undone, written
    // back when it is redone.
    struct ArquivoNovo {
        QString caminho;
        QByteArray bytes;
    };

    // One step made of whatever changes the boards, items and authorship between its creation
    // and its end: a window that works on the project itself (a transcription, a merge) is
    // undone whole, with the files it added to `pasta` when one is given. Nothing is recorded
    // when nothing changed.
    class Passo {
    public:
        Passo(DocumentoProjeto& d, const QString& nome, const QString& pasta = {});
        ~Passo();
        Passo(const Passo&) = delete;
        Passo& operator=(const Passo&) = delete;
        // A cancelled dialog: the files it brought into the folder are taken out again.
        void descartaArquivosNovos();

    private:
        DocumentoProjeto& d;
        QString nome;
        bool externo; // the outermost step: the one that is recorded
        Estado antes;
        QString pasta;
        QStringList arquivosAntes;
    };

signals:
    // Boards were added, removed or reordered: the whole list is to be read again.
    void pranchasMudaram();
    // Board i's own fields changed, its name among them.
    void pranchaMudou(int i);
    // Board i's items changed; the item selection may have moved with them.
    void itensMudaram(int i);
    // Board i (or none, -1) is now the one edited, with no item selected.
    void selecaoMudou(int i);
    // The run settings, access options or authorship changed.
    void configuracaoMudou();

private:
    bool existePrancha(int i) const;
    int novaPrancha(const QString& nome, bool copiaSelecionada);
    int novoItem(const QString& nome, bool copiaSelecionado);
    bool movePrancha(int para);
    bool moveItem(int para);
    void escolhePrancha(int i);

    TProjeto& p;
    int prancha = -1;
    int item = -1;
    QUndoStack historico_;
    int passosAbertos = 0;
    Estado conhecido; // the project as the history last left it
};

// The one document of the running program, over `projeto`: every window changes the project
// through it and follows its signals.
DocumentoProjeto& documentoProjeto();

// Reads `pasta`'s board file into `projeto` and starts the document over from it, at its first
// board with an empty history: what opening a project is.
void abreProjeto(const QString& pasta);
// The same for a project just created: no boards, and it speaks.
void abreProjetoNovo();
// Writes the project (salvarProjeto) and marks the history saved at this point; false, with
// the history untouched, when the file could not be written.
bool salvaDocumento();
