#include "platform/shell.h"

#include <QCoreApplication>
#include <QProcess>

bool abreDocumento(const QString& caminho) {
    // xdg-open usually answers at once, and its exit code is the verdict. On a bare desktop it
    // may instead run the browser in the foreground: then it is left running, owned by the
    // application, and counts as opened.
    auto* p = new QProcess(QCoreApplication::instance());
    QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    p->start("xdg-open", {caminho});
    if (!p->waitForStarted(3000)) {
        p->deleteLater();
        return false;
    }
    if (!p->waitForFinished(3000)) return true;
    return p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
}
