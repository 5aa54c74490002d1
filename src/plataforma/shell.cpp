#include "plataforma/shell.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// xdg-open in the current folder, owned by the application so it may outlive its caller.
QProcess* iniciaAbridor(const QString& caminho) {
    auto* p = new QProcess(QCoreApplication::instance());
    p->setProgram(QStringLiteral("xdg-open"));
    p->setArguments({caminho});
    return p;
}

} // namespace

bool abreDocumento(const QString& caminho) {
    // xdg-open usually answers at once, and its exit code is the verdict. On a bare desktop it
    // may instead run the browser in the foreground: then it is left running and counts as
    // opened.
    QProcess* p = iniciaAbridor(caminho);
    QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    p->start();
    if (!p->waitForStarted(3000)) {
        p->deleteLater();
        return false;
    }
    if (!p->waitForFinished(3000)) return true;
    return p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
}

void abreDocumento(const QString& caminho, std::function<void(bool)> pronto) {
    QProcess* p = iniciaAbridor(caminho);
    QObject::connect(p, &QProcess::finished, p,
                     [p, pronto](int codigo, QProcess::ExitStatus estado) {
                         pronto(estado == QProcess::NormalExit && codigo == 0);
                         p->deleteLater();
                     });
    QObject::connect(p, &QProcess::errorOccurred, p, [p, pronto](QProcess::ProcessError erro) {
        if (erro != QProcess::FailedToStart) return;
        pronto(false);
        p->deleteLater();
    });
    p->start();
}

bool iniciaPrograma(const QString& executavel, const QStringList& parametros,
                    const QString& pasta) {
    return QProcess::startDetached(executavel, parametros, pasta);
}
