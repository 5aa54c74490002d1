// A stand-in for the eye tracker's companion: serves a script of gaze lines on 127.0.0.1.
//   TobiiVex [--porta N] [--roteiro ARQUIVO] [--uma-vez]
// The same settings may come from TOBIIVEX_PORTA, TOBIIVEX_ROTEIRO and TOBIIVEX_UMA_VEZ=1, since
// the program starts its companion without arguments. --uma-vez ends it when the program
// disconnects; otherwise it serves one run after the other, as a real companion would.
#include "support/servidor_olhar.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto opcao = [&args](const QString& nome, const char* ambiente) {
        const qsizetype i = args.indexOf(nome);
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : qEnvironmentVariable(ambiente);
    };
    const quint16 porta = quint16(opcao("--porta", "TOBIIVEX_PORTA").toUInt());
    const QString arquivo = opcao("--roteiro", "TOBIIVEX_ROTEIRO");
    const bool umaVez = args.contains("--uma-vez") || qgetenv("TOBIIVEX_UMA_VEZ") == "1";

    ServidorOlhar servidor;
    if (!servidor.escuta(porta ? porta : 3491)) {
        std::fprintf(stderr, "TobiiVex: a porta %u está ocupada\n", unsigned(porta ? porta : 3491));
        return 1;
    }
    if (!arquivo.isEmpty()) {
        QFile f(arquivo);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "TobiiVex: não consegui ler %s\n", qPrintable(arquivo));
            return 1;
        }
        servidor.tocaAoLigar(
            QString::fromUtf8(f.readAll()).remove('\r').split('\n', Qt::SkipEmptyParts));
    }
    QObject::connect(&servidor, &ServidorOlhar::desconectou, &app, [&] {
        if (umaVez) app.quit();
    });
    // Never left behind by a test that failed halfway.
    if (umaVez) QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
