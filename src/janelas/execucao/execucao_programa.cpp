#include "janelas/execucao/execucao_programa.h"

#include "janelas/execucao/ponteiro.h"
#include "logica/execucao/comando_item.h"
#include "plataforma/shell.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QWidget>

void abreSemShell(const QString& texto, std::function<void(bool)> pronto) {
    const AlvoDoComando alvo = achaAlvo(texto);
    if (alvo.tipo == AlvoDoComando::executavel) {
        const bool ok = iniciaPrograma(alvo.caminho, alvo.parametros, QDir::currentPath());
        QTimer::singleShot(0, [pronto, ok] { pronto(ok); });
    } else if (alvo.tipo == AlvoDoComando::documento) {
        // A document: its desktop program opens it.
        abreDocumento(alvo.caminho, std::move(pronto));
    } else {
        QTimer::singleShot(0, [pronto] { pronto(false); });
    }
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
