// The eye-tracker link without a screen: the line reader on split, joined and over-long
// packets, what each line means, the smoothing, and the link itself against a gaze source of
// the test's own (and against the companion program it starts).
#include "logica/execucao/tobii.h"
#include "logica/execucao/tobii_linhas.h"
#include "support/apoio.h"
#include "support/servidor_olhar.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <deque>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Packets as the socket would hand them over, then (optionally) the end of the connection.
struct Pacotes {
    std::deque<QByteArray> fila;
    bool fechaNoFim = false;
    int esperas = 0;
    bool parar = false;

    FonteDeBytes fonte() {
        FonteDeBytes f;
        f.prontaEm = [this](int) { return !fila.empty() || fechaNoFim; };
        f.recebe = [this](char* destino, qint64 max) -> qint64 {
            if (fila.empty()) return 0;
            QByteArray& p = fila.front();
            const qint64 n = qMin<qint64>(max, p.size());
            memcpy(destino, p.constData(), size_t(n));
            p.remove(0, n);
            if (p.isEmpty()) fila.pop_front();
            return n;
        };
        f.espera = [this](int) {
            ++esperas;
            return !parar;
        };
        return f;
    }
};

QList<QByteArray> todasAsLinhas(LeitorDeLinhas& leitor) {
    QList<QByteArray> linhas;
    while (const auto l = leitor.leLinha(1))
        linhas << *l;
    return linhas;
}

// What the link did on the window thread, and on which thread it did it.
struct Registro {
    QList<QPoint> movimentos;
    QList<QPoint> cliques;
    int bipes = 0;
    bool foraDaJanela = false;

    PortasTobii portas() {
        auto naJanela = [this] {
            if (QThread::currentThread() != qApp->thread()) foraDaJanela = true;
        };
        return {[this, naJanela](QPoint p) {
                    naJanela();
                    movimentos << p;
                },
                [this, naJanela](QPoint p) {
                    naJanela();
                    cliques << p;
                },
                [this, naJanela] {
                    naJanela();
                    ++bipes;
                },
                [naJanela](const QString& texto) {
                    naJanela();
                    avisoErro(texto);
                }};
    }
};

const QList<QByteArray> ligacao{"E+", "G+", "H+"};

// Starts the link toward a gaze source of the test's own, on any free port.
bool ligaA(ServidorOlhar& servidor, Registro& r) {
    if (!servidor.escuta(0)) return false;
    defineEnderecoTobii({"127.0.0.1", servidor.porta(), QString()});
    iniciaTobii(r.portas());
    return true;
}

// A server on 127.0.0.1 whose queue of one connection is taken and which never accepts: the
// next client's handshake is never answered, as with a gaze source that hangs.
struct ServidorSemResposta {
    int descritor = ::socket(AF_INET, SOCK_STREAM, 0);
    quint16 porta = 0;
    std::unique_ptr<ConexaoTcp> naFila;

    bool escuta() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(descritor, reinterpret_cast<sockaddr*>(&a), n) != 0 ||
            ::listen(descritor, 0) != 0 ||
            ::getsockname(descritor, reinterpret_cast<sockaddr*>(&a), &n) != 0)
            return false;
        porta = ntohs(a.sin_port);
        naFila = conectaTcp("127.0.0.1", porta);
        return naFila != nullptr;
    }
    ~ServidorSemResposta() { ::close(descritor); }
};

} // namespace

class TesteTobii : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { encerraTobii(); }

    void linhasEmPacotesPartidosEJuntos() {
        Pacotes partidos;
        partidos.fila = {"G", "P 10", " 20\r", "\nGN\n", "\r\n", "UN de novo\n"};
        LeitorDeLinhas a(partidos.fonte());
        QCOMPARE(todasAsLinhas(a), (QList<QByteArray>{"GP 10 20", "GN", "", "UN de novo"}));

        Pacotes juntos;
        juntos.fila = {"GP 1 2\r\nGN\r\n\r\nUN x\nGP 3 4"};
        juntos.fechaNoFim = true;
        LeitorDeLinhas b(juntos.fonte());
        // The last line has no line feed: the closed connection hands it over all the same.
        QCOMPARE(todasAsLinhas(b), (QList<QByteArray>{"GP 1 2", "GN", "", "UN x", "GP 3 4"}));
        QVERIFY(!b.leLinha(0));
    }

    void linhasAtravessamOBuffer() {
        // One packet of more than the 4096-byte buffer: lines straddle each refill.
        QByteArray grande;
        QList<QByteArray> esperadas;
        for (int i = 0; grande.size() < 3 * LeitorDeLinhas::tamanhoBuffer; ++i) {
            esperadas << "GP " + QByteArray::number(i) + " " + QByteArray::number(i * 7);
            grande += esperadas.last() + "\r\n";
        }
        Pacotes p;
        p.fila = {grande};
        LeitorDeLinhas leitor(p.fonte());
        QCOMPARE(todasAsLinhas(leitor), esperadas);
    }

    void linhaLongaDemaisEDescartada() {
        Pacotes p;
        p.fila = {QByteArray(10000, 'A'), QByteArray(3000, 'B') + "\nGP 5 5\n",
                  QByteArray(LeitorDeLinhas::tamanhoBuffer, 'C') + "\n"};
        LeitorDeLinhas leitor(p.fonte());
        // A line of exactly the buffer's size still fits.
        QCOMPARE(todasAsLinhas(leitor),
                 (QList<QByteArray>{"GP 5 5", QByteArray(LeitorDeLinhas::tamanhoBuffer, 'C')}));
    }

    void leituraOciosaDesisteOuPara() {
        Pacotes nada;
        LeitorDeLinhas a(nada.fonte());
        QVERIFY(!a.leLinha(2)); // gives up once the idle steps exceed 2 × 10
        QCOMPARE(nada.esperas, 21);

        Pacotes parando;
        parando.fila = {"GP 1"};
        parando.parar = true;
        LeitorDeLinhas b(parando.fonte());
        QVERIFY(!b.leLinha(0)); // ending the link ends the wait at once, half line or not
        QCOMPARE(parando.esperas, 1);
    }

    void significadoDasLinhas() {
        using C = ComandoDoOlhar;
        QCOMPARE(interpretaLinha("").tipo, C::bipe);
        QCOMPARE(interpretaLinha("UN").tipo, C::doisBipes);
        QCOMPARE(interpretaLinha("UNxyz 1 2").tipo, C::doisBipes);
        QCOMPARE(interpretaLinha("GN").tipo, C::clique);
        QCOMPARE(interpretaLinha("GN 3 4").tipo, C::clique);
        QCOMPARE(interpretaLinha("gn").tipo, C::nada);
        QCOMPARE(interpretaLinha("G").tipo, C::nada);
        QCOMPARE(interpretaLinha("E+").tipo, C::nada);
        const C gp = interpretaLinha("GP 1280 -4");
        QCOMPARE(gp.tipo, C::ponto);
        QCOMPARE(gp.onde, QPoint(1280, -4));
        const C brancos = interpretaLinha("GP    12   34  ");
        QCOMPARE(brancos.tipo, C::ponto);
        QCOMPARE(brancos.onde, QPoint(12, 34));
        for (const char* ruim :
             {"GP", "GP 12", "GP 1.5 3", "GP 1,5 3", "GP a b", "GP 12 34 56", "GP 99999999999 1"})
            QVERIFY2(interpretaLinha(ruim).tipo == C::pontoInvalido, ruim);
    }

    void suavizacao() {
        SuavizacaoDoOlhar s;
        QCOMPARE(s.passo(QPoint(1000, 500)), QPoint(50, 25)); // a twentieth of the way
        QCOMPARE(s.pontoAnterior, QPoint(50, 25));
        QCOMPARE(s.pontoOlhar, QPoint(50, 25));
        QPoint onde;
        for (int i = 0; i < 400; ++i)
            onde = s.passo(QPoint(1000, 500));
        // Converges and stops short once the truncated steps are 0.
        QVERIFY(1000 - onde.x() >= 1 && 1000 - onde.x() <= 19);
        QVERIFY(500 - onde.y() >= 1 && 500 - onde.y() <= 19);
        QCOMPARE(s.passo(QPoint(1000, 500)), onde);
        // Toward smaller values too: truncation is toward zero, not downward.
        for (int i = 0; i < 400; ++i)
            onde = s.passo(QPoint(0, 0));
        QVERIFY(onde.x() >= 1 && onde.x() <= 19);
        QVERIFY(onde.y() >= 1 && onde.y() <= 19);
        // Small jitter around the point leaves the pointer still.
        SuavizacaoDoOlhar parado;
        parado.pontoAnterior = QPoint(300, 300);
        QCOMPARE(parado.passo(QPoint(319, 281)), QPoint(300, 300));
        // Points at the ends of the range do not wrap round.
        SuavizacaoDoOlhar longe;
        longe.pontoAnterior = QPoint(-2000000000, 2000000000);
        QCOMPARE(longe.passo(QPoint(2000000000, -2000000000)), QPoint(-1800000000, 1800000000));
    }

    void ligacaoComUmaFonteDeOlhar() {
        RespostasDeDialogo avisos;
        ServidorOlhar servidor;
        Registro r;
        QVERIFY(ligaA(servidor, r));
        QTRY_COMPARE(servidor.recebidas, ligacao);
        QTRY_VERIFY(tobiiAtivo());

        // A click before any gaze point lands on the top-left corner, after a beep.
        servidor.envia("GN");
        QTRY_COMPARE(r.cliques, (QList<QPoint>{QPoint(0, 0)}));
        QCOMPARE(r.bipes, 1);
        servidor.envia("GP 2000 1000");
        QTRY_COMPARE(r.movimentos, (QList<QPoint>{QPoint(100, 50)}));
        servidor.envia("GP 2000 1000");
        QTRY_COMPARE(r.movimentos.size(), 2);
        QCOMPARE(r.movimentos.last(), QPoint(195, 97));
        servidor.envia("GN e o resto");
        QTRY_COMPARE(r.cliques.size(), 2);
        QCOMPARE(r.cliques.last(), QPoint(195, 97));
        servidor.envia("");
        servidor.envia("UN");
        servidor.envia("XX 1 2");
        QTRY_COMPARE(r.bipes, 5); // 1 + 1 (GN) + 1 (empty) + 2 (UN)
        QTest::qWait(100);
        QCOMPARE(r.bipes, 5);
        QCOMPARE(r.movimentos.size(), 2);
        QVERIFY(!r.foraDaJanela);
        // The program sends nothing but the three switch-on commands, once.
        QCOMPARE(servidor.recebidas, ligacao);
        QVERIFY(avisos.erros.isEmpty());
    }

    void pontoIlegivelEncerraALigacao() {
        ServidorOlhar servidor;
        Registro r;
        QVERIFY(ligaA(servidor, r));
        QTRY_VERIFY(tobiiAtivo());
        servidor.envia("GP 10,5 20");
        QTRY_VERIFY(!tobiiAtivo());
        QTRY_VERIFY(!servidor.conectado());
        QVERIFY(r.movimentos.isEmpty());
    }

    void encerrarEImediatoENadaMaisChega() {
        ServidorOlhar servidor;
        Registro r;
        QVERIFY(ligaA(servidor, r));
        QTRY_VERIFY(tobiiAtivo());
        QTRY_COMPARE(servidor.recebidas.size(), 3);

        // Idle in its read: ending the link does not wait for another line.
        QElapsedTimer t;
        t.start();
        encerraTobii();
        QVERIFY2(t.elapsed() < 200, qPrintable(QString::number(t.elapsed())));
        QVERIFY(!tobiiAtivo());
        QTRY_VERIFY(!servidor.conectado());

        // Lines read but not yet acted on by the window thread are dropped with the link.
        iniciaTobii(r.portas());
        QTRY_COMPARE(servidor.conexoes, 2);
        QTRY_VERIFY(tobiiAtivo());
        for (int i = 0; i < 20; ++i)
            servidor.envia("GP 400 400");
        QThread::msleep(300); // the reader takes them; the window thread is busy
        t.restart();
        encerraTobii();
        QVERIFY(t.elapsed() < 200);
        QTest::qWait(100);
        QVERIFY(r.movimentos.isEmpty());
    }

    void semNadaEscutandoESemCompanheiro() {
        RespostasDeDialogo avisos;
        avisos.ok();
        defineEnderecoTobii({"127.0.0.1", portaFechada(), "/nao/existe/TobiiVex"});
        Registro r;
        QElapsedTimer t;
        t.start();
        iniciaTobii(r.portas());
        QVERIFY(t.elapsed() < 200); // the run is not held up
        QTRY_COMPARE(avisos.erros, QStringList{textoSemTobiiVex});
        QTest::qWait(1500);
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(!tobiiAtivo());
    }

    void conexaoPorNomeOuSemResposta() {
        ServidorOlhar servidor;
        QVERIFY(servidor.escuta(0));
        // A name is looked up (and each of its addresses tried); an unknown one fails.
        QVERIFY(conectaTcp("localhost", servidor.porta()));
        QVERIFY(!conectaTcp("nao-existe.invalid", servidor.porta()));

        // A handshake never answered is given up after the second the link allows.
        ServidorSemResposta mudo;
        QVERIFY(mudo.escuta());
        QElapsedTimer t;
        t.start();
        QVERIFY(!conectaTcp("127.0.0.1", mudo.porta));
        QVERIFY2(t.elapsed() >= 950 && t.elapsed() < 5000,
                 qPrintable(QString::number(t.elapsed())));

        // Ending the link while it waits there is immediate, and tells the user nothing.
        RespostasDeDialogo avisos;
        defineEnderecoTobii({"127.0.0.1", mudo.porta, QString()});
        Registro r;
        iniciaTobii(r.portas());
        QTest::qWait(300);
        t.restart();
        encerraTobii();
        QVERIFY2(t.elapsed() < 200, qPrintable(QString::number(t.elapsed())));
        QTest::qWait(1000);
        QVERIFY(avisos.erros.isEmpty());
    }

    void companheiroIniciadoQuandoNadaEscuta() {
        QTemporaryDir pasta;
        const QString roteiro = pasta.filePath("roteiro.txt");
        QFile f(roteiro);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("%espera 50\nGP 400 200\nGN\n");
        f.close();
        const quint16 porta = portaFechada();
        qputenv("TOBIIVEX_PORTA", QByteArray::number(porta));
        qputenv("TOBIIVEX_ROTEIRO", roteiro.toLocal8Bit());
        qputenv("TOBIIVEX_UMA_VEZ", "1");
        RespostasDeDialogo avisos;
        defineEnderecoTobii({"127.0.0.1", porta, TOBIIVEX_TESTE});
        Registro r;
        iniciaTobii(r.portas());
        QTRY_COMPARE_WITH_TIMEOUT(r.cliques, (QList<QPoint>{QPoint(20, 10)}), 5000);
        QCOMPARE(r.movimentos, (QList<QPoint>{QPoint(20, 10)}));
        QVERIFY(avisos.erros.isEmpty());
        encerraTobii(); // and the companion, started for one run, goes away
    }
};

QTEST_MAIN(TesteTobii)
#include "tst_tobii.moc"
