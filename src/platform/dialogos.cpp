#include "platform/dialogos.h"

#include "model/avisos.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <deque>

namespace {

enum class Tipo { sim, nao, todos, texto, pasta, arquivo, cor, impressora, cancela };

struct Resposta {
    Tipo tipo;
    QString texto;
    QColor cor;
    std::function<void(QPrinter&)> prepara;
};

RespostasDeDialogo* fila = nullptr; // set while a test answers the dialogs
std::deque<Resposta> respostas;

const char* nomeDoTipo(Tipo t) {
    switch (t) {
    case Tipo::sim:
        return "Sim";
    case Tipo::nao:
        return "Não";
    case Tipo::todos:
        return "Todos";
    case Tipo::texto:
        return "texto";
    case Tipo::pasta:
        return "pasta";
    case Tipo::arquivo:
        return "arquivo";
    case Tipo::cor:
        return "cor";
    case Tipo::impressora:
        return "impressora";
    case Tipo::cancela:
        return "cancela";
    }
    return "?";
}

// The queued answer for a question of one of the accepted kinds. A test that did not expect
// the question, or expected another, stops here rather than hanging on a hidden dialog.
Resposta proxima(const QString& pergunta, std::initializer_list<Tipo> aceitas) {
    fila->perguntas << pergunta;
    if (respostas.empty()) qFatal("Sem resposta na fila para: %s", qPrintable(pergunta));
    Resposta r = std::move(respostas.front());
    respostas.pop_front();
    for (Tipo t : aceitas)
        if (t == r.tipo) return r;
    qFatal("Resposta \"%s\" na fila não serve para: %s", nomeDoTipo(r.tipo), qPrintable(pergunta));
    return r;
}

QWidget* pai() {
    return QApplication::activeWindow();
}

// Without a window manager nobody gives the focus back when a box closes: the window behind
// would stay inactive (a run would never draw its board). Give it back ourselves.
class DevolveFoco {
public:
    DevolveFoco() : janela(QApplication::activeWindow()) {}
    ~DevolveFoco() {
        if (janela && janela->isVisible()) janela->activateWindow();
    }

private:
    QPointer<QWidget> janela;
};

void caixa(QMessageBox::Icon icone, const QString& texto) {
    DevolveFoco devolve;
    QMessageBox c(icone, QStringLiteral("Zelvana"), texto, QMessageBox::Ok, pai());
    c.exec();
}

} // namespace

void instalaDialogosDeTela(std::function<void(const QString&, int)> rapida) {
    Avisos a;
    a.erro = [](const QString& t) { caixa(QMessageBox::Warning, t); };
    a.info = [](const QString& t) { caixa(QMessageBox::Information, t); };
    a.rapida = std::move(rapida);
    a.pergunta = [](const QString& t) {
        DevolveFoco devolve;
        QMessageBox c(QMessageBox::Question, QStringLiteral("Zelvana"), t,
                      QMessageBox::Yes | QMessageBox::No, pai());
        c.setDefaultButton(QMessageBox::No);
        return c.exec() == QMessageBox::Yes;
    };
    instalaAvisos(a);
}

BotaoResposta perguntaSimNaoTodos(const QString& texto) {
    if (fila) {
        const Tipo t = proxima(texto, {Tipo::sim, Tipo::nao, Tipo::todos}).tipo;
        return t == Tipo::sim     ? BotaoResposta::sim
               : t == Tipo::todos ? BotaoResposta::todos
                                  : BotaoResposta::nao;
    }
    DevolveFoco devolve;
    QMessageBox c(QMessageBox::Question, QStringLiteral("Zelvana"), texto,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll, pai());
    c.setDefaultButton(QMessageBox::No);
    switch (c.exec()) {
    case QMessageBox::Yes:
        return BotaoResposta::sim;
    case QMessageBox::YesToAll:
        return BotaoResposta::todos;
    default:
        return BotaoResposta::nao;
    }
}

std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo,
                                 const QString& inicial) {
    if (fila) {
        const Resposta r = proxima(titulo, {Tipo::texto, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return r.texto;
    }
    QInputDialog d(pai());
    d.setWindowTitle(titulo);
    d.setLabelText(rotulo);
    d.setTextValue(inicial);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.textValue();
}

std::optional<QString> escolhePasta(const QString& titulo, const QString& inicio,
                                    bool permiteCriar) {
    if (fila) {
        const Resposta r = proxima(titulo, {Tipo::pasta, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return QDir::cleanPath(r.texto);
    }
    const QString antes = QDir::currentPath();
    QFileDialog d(pai(), titulo, inicio);
    d.setFileMode(QFileDialog::Directory);
    d.setOption(QFileDialog::ShowDirsOnly);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setOption(QFileDialog::ReadOnly, !permiteCriar);
    d.setDirectory(inicio);
    const bool ok = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    QDir::setCurrent(antes);
    if (!ok) return std::nullopt;
    return QDir::cleanPath(d.selectedFiles().constFirst());
}

std::optional<QString> escolheArquivo(const QString& titulo, const QString& pasta,
                                      const QString& filtros) {
    if (fila) {
        const Resposta r = proxima(titulo, {Tipo::arquivo, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return r.texto;
    }
    const QString antes = QDir::currentPath();
    QFileDialog d(pai(), titulo, pasta, filtros);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontUseNativeDialog);
    const bool ok = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    QDir::setCurrent(antes);
    if (!ok) return std::nullopt;
    return d.selectedFiles().constFirst();
}

std::optional<QColor> escolheCor(const QColor& inicial) {
    if (fila) {
        const Resposta r = proxima(QStringLiteral("cor"), {Tipo::cor, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return r.cor;
    }
    QColorDialog d(inicial, pai());
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.selectedColor();
}

bool configuraImpressora(QPrinter& impressora) {
    if (fila) {
        const Resposta r = proxima(QStringLiteral("impressora"), {Tipo::impressora, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return false;
        if (r.prepara) r.prepara(impressora);
        return true;
    }
    QPrintDialog d(&impressora, pai());
    return d.exec() == QDialog::Accepted;
}

// ---- for tests ----------------------------------------------------------------------------

RespostasDeDialogo::RespostasDeDialogo() {
    Q_ASSERT(!fila);
    fila = this;
    respostas.clear();
}

RespostasDeDialogo::~RespostasDeDialogo() {
    respostas.clear();
    fila = nullptr;
}

RespostasDeDialogo& RespostasDeDialogo::sim() {
    respostas.push_back({Tipo::sim, {}, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::nao() {
    respostas.push_back({Tipo::nao, {}, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::todos() {
    respostas.push_back({Tipo::todos, {}, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::texto(const QString& t) {
    respostas.push_back({Tipo::texto, t, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::pasta(const QString& p) {
    respostas.push_back({Tipo::pasta, p, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::arquivo(const QString& a) {
    respostas.push_back({Tipo::arquivo, a, {}, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::cor(const QColor& c) {
    respostas.push_back({Tipo::cor, {}, c, {}});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::impressora(std::function<void(QPrinter&)> prepara) {
    respostas.push_back({Tipo::impressora, {}, {}, std::move(prepara)});
    return *this;
}
RespostasDeDialogo& RespostasDeDialogo::cancela() {
    respostas.push_back({Tipo::cancela, {}, {}, {}});
    return *this;
}

int RespostasDeDialogo::pendentes() const {
    return int(respostas.size());
}
