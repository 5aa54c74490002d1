#include "plataforma/dialogos.h"

#include "nucleo/avisos.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSortFilterProxyModel>
#include <deque>

namespace {

enum class Tipo { sim, nao, todos, ok, texto, pasta, arquivo, cor, impressora, cancela };

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
    case Tipo::ok:
        return "OK";
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

// The queued answer for a question of one of the accepted kinds, the question recorded in
// `lista`. A test that did not expect the question, or expected another, stops here rather than
// hanging on a hidden dialog.
Resposta proxima(const QString& pergunta, std::initializer_list<Tipo> aceitas,
                 QStringList RespostasDeDialogo::*lista = &RespostasDeDialogo::perguntas) {
    (fila->*lista) << pergunta;
    if (respostas.empty()) qFatal("Sem resposta na fila para: %s", qPrintable(pergunta));
    Resposta r = std::move(respostas.front());
    respostas.pop_front();
    for (Tipo t : aceitas)
        if (t == r.tipo) return r;
    qFatal("Resposta \"%s\" na fila não serve para: %s", nomeDoTipo(r.tipo), qPrintable(pergunta));
    return r;
}

// The first filter of the program-or-video dialog, over the file system model: a name pattern
// cannot ask for the execute bit.
class FiltroProgramaOuVideo : public QSortFilterProxyModel {
public:
    explicit FiltroProgramaOuVideo(QObject* pai) : QSortFilterProxyModel(pai) {}
    bool ativo = true;

protected:
    bool filterAcceptsRow(int linha, const QModelIndex& origem) const override {
        if (!ativo) return true;
        const auto* modelo = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!modelo) return true;
        const QFileInfo info = modelo->fileInfo(modelo->index(linha, 0, origem));
        return info.isDir() || ehProgramaOuVideo(info);
    }
};

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

// An existing file through the open-file dialog that `prepara` sets up; the process's current
// folder is the same after as before.
std::optional<QString> escolheArquivoNoDialogo(const QString& titulo, const QString& pasta,
                                               const std::function<void(QFileDialog&)>& prepara) {
    if (fila) {
        const Resposta r = proxima(titulo, {Tipo::arquivo, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return r.texto;
    }
    const QString antes = QDir::currentPath();
    QFileDialog d(pai(), titulo, pasta);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontUseNativeDialog);
    prepara(d);
    const bool ok = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    QDir::setCurrent(antes);
    if (!ok) return std::nullopt;
    return d.selectedFiles().constFirst();
}

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

bool perguntaOkCancela(const QString& texto) {
    if (fila) return proxima(texto, {Tipo::ok, Tipo::cancela}).tipo == Tipo::ok;
    QMessageBox c(QMessageBox::Warning, QStringLiteral("Zelvana"), texto,
                  QMessageBox::Ok | QMessageBox::Cancel, pai());
    c.setDefaultButton(QMessageBox::Ok);
    return c.exec() == QMessageBox::Ok;
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

bool ehProgramaOuVideo(const QFileInfo& arquivo) {
    static const QStringList videos = {QStringLiteral("mp4"), QStringLiteral("webm"),
                                       QStringLiteral("mkv"), QStringLiteral("avi"),
                                       QStringLiteral("mov")};
    if (!arquivo.isFile()) return false;
    return arquivo.isExecutable() || videos.contains(arquivo.suffix(), Qt::CaseInsensitive);
}

std::optional<QString> escolheArquivo(const QString& titulo, const QString& pasta,
                                      const QString& filtros) {
    return escolheArquivoNoDialogo(titulo, pasta,
                                   [&](QFileDialog& d) { d.setNameFilter(filtros); });
}

std::optional<QString> escolheArquivoParaGravar(const QString& titulo, const QString& inicial,
                                                const QString& filtros, const QString& sufixo) {
    if (fila) {
        const Resposta r = proxima(titulo, {Tipo::arquivo, Tipo::cancela});
        if (r.tipo == Tipo::cancela) return std::nullopt;
        return r.texto;
    }
    const QString antes = QDir::currentPath();
    QFileDialog d(pai(), titulo);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setNameFilter(filtros);
    d.setDefaultSuffix(sufixo);
    d.selectFile(inicial);
    const bool ok = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
    QDir::setCurrent(antes);
    if (!ok) return std::nullopt;
    return d.selectedFiles().constFirst();
}

std::optional<QString> escolheProgramaOuVideo(const QString& titulo, const QString& pasta) {
    return escolheArquivoNoDialogo(titulo, pasta, [](QFileDialog& d) {
        const QString programas = QStringLiteral("Executáveis ou vídeos (*)");
        d.setOption(QFileDialog::HideNameFilterDetails);
        d.setNameFilters({programas, QStringLiteral("Todos os arquivos (*)")});
        auto* filtro = new FiltroProgramaOuVideo(&d);
        d.setProxyModel(filtro);
        QObject::connect(&d, &QFileDialog::filterSelected, filtro,
                         [filtro, programas](const QString& f) {
                             filtro->ativo = f == programas;
                             filtro->invalidate();
                         });
    });
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
    // Two would take each other's answers and handlers.
    if (fila) qFatal("Já existe uma RespostasDeDialogo: use a mesma");
    fila = this;
    respostas.clear();
    Avisos a;
    a.erro = [](const QString& t) { proxima(t, {Tipo::ok}, &RespostasDeDialogo::erros); };
    a.info = [](const QString& t) { proxima(t, {Tipo::ok}, &RespostasDeDialogo::infos); };
    a.rapida = [this](const QString& t, int) { rapidas << t; };
    a.pergunta = [](const QString& t) {
        return proxima(t, {Tipo::sim, Tipo::nao}).tipo == Tipo::sim;
    };
    anteriores = instalaAvisos(std::move(a));
}

RespostasDeDialogo::~RespostasDeDialogo() {
    instalaAvisos(std::move(anteriores));
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
RespostasDeDialogo& RespostasDeDialogo::ok() {
    respostas.push_back({Tipo::ok, {}, {}, {}});
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
