// Every question the program asks the user, in one place: messages, yes/no, yes/no/all, a
// text, a folder, a file, a colour, a printer. Windows call these and never build a dialog of
// their own. Tests queue the answers before the action (RespostasDeDialogo), so nothing is
// shown, nothing is polled for, and a dialog or message the test did not expect fails it at once.
#pragma once

#include "nucleo/avisos.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QFileInfo;
class QPrinter;
class QWidget;

enum class BotaoResposta { sim, nao, todos };

// Message boxes behind the model's avisoErro / avisoInfo / perguntaSimNao, over the active
// window; the self-closing notice goes to `rapida`.
void instalaDialogosDeTela(std::function<void(const QString& texto, int ms)> rapida);

// Yes, No and "Sim para todos"; anything but a button (the close box) is No.
BotaoResposta perguntaSimNaoTodos(const QString& texto);
// A warning with OK and Cancel; true for OK only (the close box is Cancel).
bool perguntaOkCancela(const QString& texto);
// A line of text; nothing when cancelled.
std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo,
                                 const QString& inicial = {});
// An existing folder (or, with permiteCriar, a new one the dialog may make); nothing when
// cancelled. The process's current folder is the same after as before.
std::optional<QString> escolhePasta(const QString& titulo, const QString& inicio,
                                    bool permiteCriar);
// An existing file; filtros as "Figuras (*.jpg *.bmp);;Todos (*)".
std::optional<QString> escolheArquivo(const QString& titulo, const QString& pasta,
                                      const QString& filtros);
// A file to be written (new, or one the dialog asks before replacing), proposed as `inicial`;
// the suffix of the first filter is added to a name typed without one. Answered in tests by
// .arquivo().
std::optional<QString> escolheArquivoParaGravar(const QString& titulo, const QString& inicial,
                                                const QString& filtros, const QString& sufixo);
// An existing program or video. The first filter, "Executáveis ou vídeos", shows the files the
// user may execute and the usual video files; the second shows every file.
std::optional<QString> escolheProgramaOuVideo(const QString& titulo, const QString& pasta);
// What that first filter lets through (folders aside).
bool ehProgramaOuVideo(const QFileInfo& arquivo);
std::optional<QColor> escolheCor(const QColor& inicial);
// The print dialog on `impressora`; false when cancelled.
bool configuraImpressora(QPrinter& impressora);

// ---- for tests ----------------------------------------------------------------------------
// While one exists, every dialog above takes the next queued answer instead of showing, and so
// do the model's messages: avisoErro and avisoInfo take ok(), perguntaSimNao takes sim() or
// nao(). A missing or wrong answer stops the test with the question's text. mensagemRapida asks
// nothing: it is only recorded. One at a time; the previous handlers come back when it goes away.
class RespostasDeDialogo {
public:
    RespostasDeDialogo();
    ~RespostasDeDialogo();
    RespostasDeDialogo(const RespostasDeDialogo&) = delete;
    RespostasDeDialogo& operator=(const RespostasDeDialogo&) = delete;

    RespostasDeDialogo& sim();
    RespostasDeDialogo& nao();
    RespostasDeDialogo& todos();
    // OK to a message, or to an OK/Cancel question.
    RespostasDeDialogo& ok();
    RespostasDeDialogo& texto(const QString& t);
    RespostasDeDialogo& pasta(const QString& p);
    RespostasDeDialogo& arquivo(const QString& a);
    RespostasDeDialogo& cor(const QColor& c);
    // The printer as the dialog would leave it (e.g. a PDF file), accepted.
    RespostasDeDialogo& impressora(std::function<void(QPrinter&)> prepara);
    // Cancels the next OK/Cancel question, or text, folder, file, colour or print dialog.
    RespostasDeDialogo& cancela();

    int pendentes() const;
    // What was shown, in order: each question or dialog as it was asked (its text, or its
    // title), the error and information messages, the self-closing notices.
    QStringList perguntas;
    QStringList erros;
    QStringList infos;
    QStringList rapidas;

private:
    Avisos anteriores;
};
