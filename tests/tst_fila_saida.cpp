// The output queue's rules, through fake players: no sound needed.
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/bytes_le.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
// What the fakes were asked to do, and what they pretend is going on.
QStringList registro;
bool falandoFalso = false;
bool tocandoFalso = false;

MotoresSaida falsos() {
    MotoresSaida m;
    m.fala = [](const QString& t) {
        registro << "fala:" + t;
        falandoFalso = true;
    };
    m.falando = [] { return falandoFalso; };
    m.cala = [] {
        registro << "cala";
        falandoFalso = false;
    };
    m.toca = [](const QString& c) {
        registro << "toca:" + QDir::current().relativeFilePath(c);
        tocandoFalso = true;
    };
    m.para = [] {
        registro << "para";
        tocandoFalso = false;
    };
    m.tocando = [] { return tocandoFalso; };
    return m;
}

void criaArquivo(const QString& nome) {
    QFile f(nome);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}
} // namespace

class TstFilaSaida : public QObject {
    Q_OBJECT
    PastaAtual pasta;
    MotoresSaida anteriores;

private slots:
    void initTestCase() {
        QVERIFY(pasta.ok());
        criaArquivo("bom dia.wav");
        criaArquivo("musica.mp3");
        criaArquivo("oi.wav");
        anteriores = usaMotoresSaida(falsos());
    }
    void cleanupTestCase() { usaMotoresSaida(anteriores); }
    void init() {
        paraTudo();
        midiaAberta = false;
        registro.clear();
        falandoFalso = tocandoFalso = false;
        projeto.sintetizando = true;
    }

    void nomesDeSom() {
        tocaEntrada("oi");
        tocaEntrada("musica.mp3");
        QCOMPARE(registro, QStringList({"toca:oi.wav", "para", "toca:musica.mp3"}));
    }

    void gravacaoAusenteFaladaSoQuandoSintetizando() {
        // A WAV without one sample (left by an old recorder) is no recording: the text is said.
        QFile vazio("vazio.wav");
        QVERIFY(vazio.open(QIODevice::WriteOnly));
        vazio.write("RIFF" + u32(36) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(22050) +
                    u32(44100) + u16(2) + u16(16) + "data" + u32(0));
        vazio.close();
        tocaEntrada("quero agua"); // no "quero agua.wav"
        paraTudo();
        tocaEntrada("bom dia"); // "bom dia.wav" exists: played, not spoken
        paraTudo();
        tocaEntrada("vazio");
        projeto.sintetizando = false;
        tocaEntrada("quero agua");
        QCOMPARE(registro, QStringList({"fala:quero agua", "cala", "toca:bom dia.wav", "para",
                                        "fala:vazio"}));
    }

    void entradasDeFalaEVazias() {
        enfileiraSom("");
        QVERIFY(filaSaida.isEmpty());
        enfileiraFala("olá");
        QCOMPARE(filaSaida, QStringList({QString(marcaFala) + "olá"}));
        falandoFalso = true;
        enfileiraFala(""); // silences at once, queues nothing
        QCOMPARE(registro, QStringList({"cala"}));
        QCOMPARE(filaSaida.size(), 1);
        projeto.sintetizando = false; // speech entries do not depend on it
        tocaEntrada(filaSaida.takeFirst());
        QCOMPARE(registro.last(), QString("fala:olá"));
    }

    void umaEntradaDeCadaVezEmOrdem() {
        enfileiraSom("oi");
        enfileiraFala("bom dia"); // a speech entry is spoken even though "bom dia.wav" exists
        enfileiraSom("musica.mp3");
        QVERIFY(!saidaLivre());
        QCOMPARE(registro, QStringList({"toca:oi.wav"}));
        QVERIFY(!saidaLivre()); // still playing: nothing new starts
        QCOMPARE(registro.size(), 1);
        tocandoFalso = false; // the recording ended by itself; the alias stays open
        QVERIFY(midiaAberta);
        QVERIFY(!saidaLivre());
        QCOMPARE(registro.last(), QString("fala:bom dia"));
        QVERIFY(!saidaLivre());
        falandoFalso = false;
        QVERIFY(!saidaLivre());
        QCOMPARE(registro.last(), QString("toca:musica.mp3"));
        QCOMPARE(registro.count("para"), 1); // the old file was closed before the new one
        tocandoFalso = false;
        QVERIFY(saidaLivre());
        QVERIFY(filaSaida.isEmpty());
    }

    void paraTudoEsvaziaECala() {
        enfileiraSom("oi");
        enfileiraSom("bom dia");
        enfileiraFala("tchau");
        QVERIFY(!saidaLivre());
        paraTudo();
        QVERIFY(filaSaida.isEmpty());
        QVERIFY(!midiaAberta);
        QCOMPARE(registro, QStringList({"toca:oi.wav", "para"}));
        QVERIFY(saidaLivre());
        falandoFalso = true;
        paraTudo();
        QCOMPARE(registro.last(), QString("cala"));
    }

    void arquivoQueNaoTocaNaoPrendeAFila() {
        enfileiraSom("oi");
        enfileiraSom("musica.mp3");
        saidaLivre();
        tocandoFalso = false; // the player could not play it
        saidaLivre();
        QCOMPARE(registro.last(), QString("toca:musica.mp3"));
    }

    void tocaArquivoDireto() {
        tocaArquivo("  oi.wav ");
        tocaArquivo("");
        QCOMPARE(registro, QStringList({"toca:oi.wav"}));
        QVERIFY(midiaTocando());
        paraMidia();
        paraMidia(); // already closed: nothing more
        QCOMPARE(registro, QStringList({"toca:oi.wav", "para"}));
    }

    void entradaDeUmaEscolhaComecaJa() {
        enfileiraSomJa("oi");
        QCOMPARE(registro, QStringList{"toca:oi.wav"});
        // Behind a recording that plays, the next entries wait for the pump, in order.
        enfileiraFalaJa("bom dia");
        enfileiraSomJa("musica.mp3");
        QCOMPARE(registro.size(), 1);
        QCOMPARE(filaSaida, QStringList({QString(marcaFala) + "bom dia", "musica.mp3"}));
        tocandoFalso = false;
        QVERIFY(!saidaLivre());
        QCOMPARE(registro.last(), QString("fala:bom dia"));
        // An empty speech entry still silences at once and queues nothing.
        enfileiraFalaJa("");
        QCOMPARE(registro.last(), QString("cala"));
        QCOMPARE(filaSaida, QStringList{"musica.mp3"});
    }

    void entradaNaoPassaAFrenteDeOutraQueEspera() {
        enfileiraSom("oi"); // queued, not yet pumped, while nothing plays
        enfileiraSomJa("musica.mp3");
        QVERIFY(registro.isEmpty());
        QVERIFY(!saidaLivre());
        QCOMPARE(registro, QStringList{"toca:oi.wav"});
    }

    void primeiraLinhaSo() {
        QCOMPARE(textoFalavel("bom dia\r\ncomo vai"), QString("bom dia\r"));
        QCOMPARE(textoFalavel("\nnada"), QString());
        QCOMPARE(textoFalavel("uma linha"), QString("uma linha"));
    }
};

QTEST_GUILESS_MAIN(TstFilaSaida)
#include "tst_fila_saida.moc"
