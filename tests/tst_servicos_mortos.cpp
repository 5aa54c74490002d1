// A run whose services die under it: the eye-tracker companion killed, then the sound server
// killed while a phrase is spoken. The run must go on answering clicks and drawing boards, tell
// the user once at most, never hang, and its output queue must free itself.
// The sound server is a PulseAudio of this test's own, so killing it leaves the one the other
// audio tests use alone; the test skips when pulseaudio cannot be started.
#include "janelas/execucao/form_executa.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/tobii.h"
#include "logica/execucao/voz.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/escuta.h"
#include "support/execucao_apoio.h"
#include "support/servidor_olhar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A PulseAudio with one null sink, reached through its own socket. Started before Qt is, so
// with plain process calls.
class ServidorDeSom {
public:
    bool inicia() {
        const QString programa = QStandardPaths::findExecutable("pulseaudio");
        if (programa.isEmpty() || !dir.isValid()) {
            motivo = "pulseaudio não está instalado";
            return false;
        }
        socket = dir.filePath("native");
        QFile config(dir.filePath("morto.pa"));
        if (!config.open(QIODevice::WriteOnly)) return false;
        config.write("load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                     QFile::encodeName(socket) +
                     "\nload-module module-null-sink sink_name=morto\n"
                     "set-default-sink morto\n");
        config.close();
        const QByteArray exe = QFile::encodeName(programa),
                         arquivo = QFile::encodeName(config.fileName());
        // Its pid file and runtime folder apart from the other server's.
        const QByteArray xdg = "XDG_RUNTIME_DIR=" + QFile::encodeName(dir.path());
        const QByteArray casa = "HOME=" + QFile::encodeName(dir.path());
        const char* argv[] = {exe.constData(),
                              "--daemonize=no",
                              "--exit-idle-time=-1",
                              "--use-pid-file=no",
                              "--log-level=error",
                              "-n",
                              "-F",
                              arquivo.constData(),
                              nullptr};
        const char* envp[] = {xdg.constData(), casa.constData(), "LANG=C.UTF-8", nullptr};
        if (::posix_spawn(&pid, exe.constData(), nullptr, nullptr, const_cast<char**>(argv),
                          const_cast<char**>(envp)) != 0) {
            pid = -1;
            motivo = "pulseaudio não pôde ser iniciado";
            return false;
        }
        for (int i = 0; i < 500; ++i) {
            if (QFileInfo::exists(socket)) return true;
            if (::waitpid(pid, nullptr, WNOHANG) == pid) {
                pid = -1;
                break;
            }
            ::usleep(20000);
        }
        motivo = "pulseaudio não abriu o seu socket";
        return false;
    }
    bool vivo() const { return pid > 0; }
    void mata() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ~ServidorDeSom() { mata(); }
    QString socket;
    QString motivo;

private:
    QTemporaryDir dir;
    pid_t pid = -1;
};

std::unique_ptr<ServidorDeSom> servidorDeSom;

// Clicks an item of the board now shown; false when the run does not take it in time (the
// window thread held up, or the click not answered).
bool clicaEsperaPrancha(TFormExecuta& runner, int item, const QString& tituloSeguinte,
                        int prazoMs) {
    if (!runner.graf().criada || item >= runner.graf().itensGraf.size()) return false;
    QTest::mouseClick(runner.graf().itensGraf[item].painel, Qt::LeftButton);
    return QTest::qWaitFor([&] { return mostraPrancha(runner, tituloSeguinte); }, prazoMs);
}

} // namespace

class TstServicosMortos : public QObject {
    Q_OBJECT
    PastaAtual pasta;

private slots:
    void initTestCase() {
        QVERIFY(pasta.ok());
        QVERIFY(gravaTom("tom.wav", 440, 4000));
        projeto = TProjeto();
        projeto.pranchas << umaLinha("UM", "Primeira", {"fala", "toque", "ir"})
                         << umaLinha("DOIS", "Segunda", {"fala", "toque", "voltar"});
        for (TPrancha& p : projeto.pranchas) {
            p.itens[0].fala = QStringLiteral("Esta é uma frase comprida, dita devagar, para que o "
                                             "servidor de som caia enquanto ela é falada.");
            p.itens[1].som = "tom.wav"; // its label, said after it, differs from it
            p.link = p.nome == "UM" ? "DOIS" : "UM";
        }
        projeto.sintetizando = true;
        projeto.falando = true; // the label is said after what the item plays
        projeto.tempoVarredura = 0;
        projeto.tempoHisterese = 0;
        projeto.tempoAutoClique = 0;
        projeto.tempoSocorro = 0;
    }
    void cleanupTestCase() { encerraTobii(); }

    // The companion dies in the middle of a run: the link ends, and the mouse goes on.
    void companheiroMorto() {
        const quint16 porta = portaFechada();
        QProcess companheiro;
        companheiro.start(TOBIIVEX_TESTE, {"--porta", QString::number(porta)});
        QVERIFY(companheiro.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return conectaTcp("127.0.0.1", porta) != nullptr; }, 10000));
        defineEnderecoTobii({"127.0.0.1", porta, {}});
        RespostasDeDialogo avisos;
        projeto.acionaTobii = true;
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        projeto.acionaTobii = false;
        QTRY_VERIFY(tobiiAtivo());

        companheiro.kill();
        QVERIFY(companheiro.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!tobiiAtivo(), 5000);
        QVERIFY(clicaEsperaPrancha(runner, 2, "Segunda", 5000));
        QVERIFY(clicaEsperaPrancha(runner, 2, "Primeira", 5000));
        QVERIFY(avisos.erros.isEmpty());
        QElapsedTimer t;
        t.start();
        runner.close();
        QVERIFY(t.elapsed() < 1000);
    }

    // The sound server dies while item `item` of the first board is heard (`soando` tells
    // when it is), with more output queued after it: the run goes on from board to board, each
    // click answered, and the queue frees itself.
    void servidorMorto(int item, const std::function<bool()>& soando) {
        if (!servidorDeSom) QSKIP("sem servidor de som próprio (pulseaudio não iniciou)");
        if (!servidorDeSom->vivo())
            QSKIP("o servidor de som deste processo já foi morto: rode esta função sozinha");
        RespostasDeDialogo avisos;
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QVERIFY2(temVoz(), "a voz não foi criada: o servidor de som próprio não foi visto");
        QTest::mouseClick(runner.graf().itensGraf[item].painel, Qt::LeftButton);
        QVERIFY(QTest::qWaitFor(soando, 5000));
        QTest::qWait(300);
        QVERIFY(soando());
        QVERIFY(!filaSaida.isEmpty()); // more to say after it
        servidorDeSom->mata();

        // No hang: the window thread keeps turning while the dead server is found out.
        QElapsedTimer relogio;
        relogio.start();
        qint64 maiorIntervalo = 0, ultimo = 0;
        QTimer batida;
        QObject::connect(&batida, &QTimer::timeout, [&] {
            maiorIntervalo = qMax(maiorIntervalo, relogio.elapsed() - ultimo);
            ultimo = relogio.elapsed();
        });
        batida.start(20);

        QTRY_VERIFY_WITH_TIMEOUT(mostraPrancha(runner, "Segunda"), 15000);
        const qint64 primeiraTroca = relogio.elapsed();
        // A recording, a phrase and a plain link, each on the dead server: board after board.
        QVERIFY(clicaEsperaPrancha(runner, 1, "Primeira", 15000));
        QVERIFY(clicaEsperaPrancha(runner, 0, "Segunda", 15000));
        QVERIFY(clicaEsperaPrancha(runner, 2, "Primeira", 15000));
        QTRY_VERIFY_WITH_TIMEOUT(saidaLivre(), 10000);
        QVERIFY(filaSaida.isEmpty());
        batida.stop();
        qInfo("servidor morto: próxima prancha em %lld ms, três cliques em %lld ms, maior parada "
              "da janela %lld ms",
              primeiraTroca, relogio.elapsed() - primeiraTroca, maiorIntervalo);
        QVERIFY2(maiorIntervalo < 1500,
                 qPrintable(QString("a janela parou por %1 ms").arg(maiorIntervalo)));
        QVERIFY2(avisos.erros.size() <= 1, qPrintable(avisos.erros.join(" | ")));
        QElapsedTimer t;
        t.start();
        runner.close();
        QVERIFY(t.elapsed() < 2000);
    }

    // While a phrase is spoken.
    void servidorMortoNaFala() {
        servidorMorto(0, [] { return estaFalando(); });
    }
    // While a recording plays (run alone: one server per process, and the phrase killed it).
    void servidorMortoNaGravacao() {
        servidorMorto(1, [] { return midiaAberta && midiaTocando(); });
    }
};

int main(int argc, char** argv) {
    // The sound server must be there before Qt looks for sound devices.
    servidorDeSom = std::make_unique<ServidorDeSom>();
    if (servidorDeSom->inicia()) {
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(servidorDeSom->socket));
    } else {
        qWarning("%s", qPrintable(servidorDeSom->motivo));
        servidorDeSom.reset();
    }
    QApplication app(argc, argv);
    TstServicosMortos teste;
    const int r = QTest::qExec(&teste, argc, argv);
    servidorDeSom.reset();
    return r;
}

#include "tst_servicos_mortos.moc"
