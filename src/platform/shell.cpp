#include "platform/shell.h"

#include <QProcess>

bool abreDocumento(const QString& caminho) {
    // xdg-open answers at once with its verdict; its exit code is what tells whether it opened.
    QProcess p;
    p.start("xdg-open", {caminho});
    if (!p.waitForStarted(3000))
        return false;
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}
