#include "runner/execucao_programa.h"

#include "platform/shell.h"
#include "runner/ponteiro.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

ComandoItem separaComando(const QString& texto) {
    const QString t = texto.trimmed();
    ComandoItem c;
    if (t.startsWith('"')) {
        const int fecha = t.indexOf('"', 1);
        if (fecha > 0) {
            c.programa = t.mid(1, fecha - 1);
            c.parametros = QProcess::splitCommand(t.mid(fecha + 1).trimmed());
            return c;
        }
    }
    c.programa = t;
    return c;
}

void abreSemShell(const QString& texto, std::function<void(bool)> pronto) {
    const ComandoItem c = separaComando(texto);
    if (c.programa.isEmpty()) {
        QTimer::singleShot(0, [pronto] { pronto(false); });
        return;
    }
    const QFileInfo arquivo(QDir::current().absoluteFilePath(c.programa));
    QString executavel;
    if (arquivo.isFile() && arquivo.isExecutable())
        executavel = arquivo.absoluteFilePath();
    else if (!arquivo.exists() && !c.programa.contains('/'))
        executavel = QStandardPaths::findExecutable(c.programa);
    if (!executavel.isEmpty()) {
        const bool ok = iniciaPrograma(executavel, c.parametros, QDir::currentPath());
        QTimer::singleShot(0, [pronto, ok] { pronto(ok); });
        return;
    }
    if (!arquivo.exists()) {
        QTimer::singleShot(0, [pronto] { pronto(false); });
        return;
    }
    // A document: its desktop program opens it.
    abreDocumento(arquivo.absoluteFilePath(), std::move(pronto));
}

namespace {

// Polls `condicao` every 100 ms, at most `vezes` times, then calls `depois`.
void aguarda(std::function<bool()> condicao, int vezes, std::function<void()> depois) {
    if (vezes <= 0 || condicao()) {
        depois();
        return;
    }
    QTimer::singleShot(100, qApp,
                       [condicao, vezes, depois] { aguarda(condicao, vezes - 1, depois); });
}

} // namespace

void executaPrograma(const QString& texto, std::function<bool()> saidaLivre,
                     std::function<void()> fim) {
    if (!fim) fim = [] {};
    QPointer<QWidget> runner = QApplication::activeWindow();
    aguarda(saidaLivre, 100, [texto, fim, runner] {
        abreSemShell(texto, [fim, runner](bool ok) {
            if (!ok) {
                fim();
                return;
            }
            aguarda([runner] { return QApplication::activeWindow() != runner.data(); }, 50,
                    [fim, runner] {
                        QTimer::singleShot(4000, qApp, [fim, runner] {
                            // Only our own windows can be located; another program's is not
                            // reachable through Qt, and the pointer then stays.
                            QWidget* frente = QApplication::activeWindow();
                            if (frente && frente != runner.data()) {
                                const QRect r = frente->normalGeometry().isValid()
                                                    ? frente->normalGeometry()
                                                    : frente->geometry();
                                movePonteiro(QPoint(r.right() + 1 - 18, r.top() + 12));
                            }
                            fim();
                        });
                    });
        });
    });
}
