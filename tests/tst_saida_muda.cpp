// With no audio server the program stays silent: nothing hangs, nothing crashes, and the user
// is told once. ctest runs this with PULSE_SERVER pointing at nothing.
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "nucleo/prvars.h"
#include "plataforma/audio.h"
#include "plataforma/midia_aviso.h"
#include "support/apoio.h"
#include "support/escuta.h"

#include <QElapsedTimer>
#include <QtTest>

class TstSaidaMuda : public QObject {
    Q_OBJECT

private slots:
    void tudoPassaEmSilencioComUmAviso() {
        if (saidaDeAudioDisponivel()) QSKIP("há saída de som; este teste roda sem servidor de som");
        PastaAtual pasta;
        QVERIFY(pasta.ok());
        QVERIFY(gravaTom("tom.wav", 440, 3000));
        projeto.sintetizando = true;
        RespostasDeDialogo avisos;
        avisos.ok();
        QElapsedTimer t;
        t.start();
        iniciaVoz(true);
        iniciaVoz(true);
        QVERIFY(!temVoz());
        enfileiraSom("tom");
        enfileiraFala("bom dia");
        enfileiraSom("sem gravação");
        int bombeadas = 0;
        while (!saidaLivre() && bombeadas < 10)
            ++bombeadas;
        QVERIFY(saidaLivre());
        QVERIFY(bombeadas <= 3); // one entry per pump, none held back
        tocaArquivo("tom.wav");
        QVERIFY(!midiaTocando());
        falaTexto("olá");
        QVERIFY(!estaFalando());
        paraTudo();
        encerraVoz();
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(avisos.erros, QStringList({textoSemSaidaDeAudio}));
        QVERIFY(avisos.rapidas.isEmpty());
    }
};

QTEST_MAIN(TstSaidaMuda)
#include "tst_saida_muda.moc"
