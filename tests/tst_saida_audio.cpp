// What the queue really plays and says, heard on the null sink's monitor, and what the ▶ of the
// property dialogs' sound boxes plays through it. Run with scripts/com-servicos.sh.
#include "janelas/editor/caixas_de_som.h"
#include "janelas/execucao/faixa_mensagem.h"
#include "logica/execucao/execucao_logica.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "nucleo/prvars.h"
#include "plataforma/audio.h"
#include "support/apoio.h"
#include "support/escuta.h"
#include "support/execucao_apoio.h"

#include <QComboBox>
#include <QProcess>
#include <QtTest>

class TstSaidaAudio : public QObject {
    Q_OBJECT
    PastaAtual pasta;
    QElapsedTimer relogio;

    // Pumps the queue as the runner does (but every 20 ms) until it is free, then keeps
    // listening a little so the end of the sound is caught.
    void bombeiaAteLivre(int limiteMs = 15000) {
        QElapsedTimer t;
        t.start();
        while (!saidaLivre() && t.elapsed() < limiteMs)
            QTest::qWait(20);
        QVERIFY2(t.elapsed() < limiteMs, "a fila não terminou");
        QTest::qWait(300);
    }

private slots:
    void initTestCase() {
        if (!saidaDeAudioDisponivel())
            QSKIP("sem servidor de som: rode com scripts/com-servicos.sh");
        relogio.start();
        QVERIFY(pasta.ok());
        QVERIFY(gravaTom("tom440.wav", 440, 1000));
        QVERIFY(gravaTom("tom880.wav", 880, 600));
        QVERIFY(gravaTom("longo.wav", 440, 4000));
        QVERIFY(gravaTom("base.wav", 440, 1500));
        QCOMPARE(QProcess::execute("lame", {"--quiet", "-b", "128", "base.wav", "tom440.mp3"}), 0);
        RespostasDeDialogo avisos;
        iniciaVoz(true);
        QVERIFY(temVoz());
        QVERIFY(avisos.erros.isEmpty());
    }
    void cleanupTestCase() {
        encerraVoz();
        paraTudo();
    }
    void init() { paraTudo(); }

    void tomWavOuvidoComoTal_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<int>("ms");
        QTest::newRow("wav, nome sem extensão") << "tom440" << 1000;
        QTest::newRow("mp3") << "tom440.mp3" << 1500;
    }
    void tomWavOuvidoComoTal() {
        QFETCH(QString, entrada);
        QFETCH(int, ms);
        Escuta escuta(relogio);
        QVERIFY(escuta.ok());
        QTest::qWait(100);
        enfileiraSom(entrada);
        bombeiaAteLivre();
        escuta.drena();
        const int de = escuta.primeiraSoando(), ate = escuta.ultimaSoando();
        QVERIFY2(de >= 0, "nada foi ouvido");
        const int duracao = (ate - de + 1) * 10;
        QVERIFY2(qAbs(duracao - ms) <= 120, qPrintable(QString::number(duracao)));
        QVERIFY2(escuta.janelasSoando() * 10 >= ms - 60, "o som teve falhas");
        const double hz = escuta.frequencia(de + 5, ate - 5);
        QVERIFY2(qAbs(hz - 440) < 10, qPrintable(QString::number(hz)));
    }

    void fraseFaladaSoPrimeiraLinha() {
        Escuta escuta(relogio);
        QTest::qWait(100);
        enfileiraFala("Bom dia, eu quero brincar com você no parque.\nEsta segunda linha é bem "
                      "mais comprida e não pode ser falada de jeito nenhum, nunca.");
        bombeiaAteLivre();
        escuta.drena();
        const int de = escuta.primeiraSoando(), ate = escuta.ultimaSoando();
        QVERIFY2(de >= 0, "nada foi ouvido");
        const int duracao = (ate - de + 1) * 10;
        // One short sentence: a couple of seconds; both lines would take over five.
        QVERIFY2(duracao > 1200 && duracao < 4500, qPrintable(QString::number(duracao)));
    }

    void falaEGravacaoEmOrdemSemSobreposicao() {
        Escuta escuta(relogio);
        QTest::qWait(100);
        enfileiraFala("Olá, tudo bem?");
        enfileiraSom("tom880");
        enfileiraSom("tom440");
        bombeiaAteLivre();
        escuta.drena();
        // A tone starting late inside a window leaves it sounding but too weak to be told from
        // speech: a lone sounding window after silence, right before the tone, is its start.
        auto inicioDoTom = [&](int j) {
            return j > 0 && !escuta.soando(j - 1) && j + 1 < escuta.nJanelas() &&
                   escuta.forca(j + 1, 880) > 8000;
        };
        // Label every sounding window: tone 880, tone 440 or other (speech).
        int fimFala = -1, ini880 = -1, fim880 = -1, ini440 = -1;
        for (int j = 0; j < escuta.nJanelas(); ++j) {
            if (!escuta.soando(j)) continue;
            const double a880 = escuta.forca(j, 880), a440 = escuta.forca(j, 440);
            const bool e880 = a880 > 8000, e440 = a440 > 8000;
            QVERIFY2(!(e880 && e440), "dois sons ao mesmo tempo");
            if (e880) {
                if (ini880 < 0) ini880 = j;
                fim880 = j;
                QVERIFY2(ini440 < 0, "o tom de 440 Hz veio antes do de 880 Hz");
            } else if (e440) {
                if (ini440 < 0) ini440 = j;
            } else if (ini880 < 0 && a880 < 1500 && a440 < 1500 && !inicioDoTom(j)) {
                // Neither tone, not even the edge of one: speech.
                fimFala = j;
            }
        }
        // Each entry ends before the next begins: silence lies between them.
        auto silencioEntre = [&](int de, int ate) {
            for (int j = de + 1; j < ate; ++j)
                if (!escuta.soando(j)) return true;
            return false;
        };
        QVERIFY2(fimFala >= 0, "a fala não foi ouvida");
        QVERIFY(ini880 > fimFala);
        QVERIFY(ini440 > fim880);
        QVERIFY2(silencioEntre(fimFala, ini880), "a gravação começou durante a fala");
        QVERIFY2(silencioEntre(fim880, ini440), "as gravações se sobrepuseram");
        QVERIFY2((fim880 - ini880 + 1) * 10 > 500, "o tom de 880 Hz foi cortado");
    }

    // A new project speaks out of the box, each item once: its speech text, or else its label.
    void projetoNovoFalaCadaItemUmaVez() {
        const TProjeto antes = projeto;
        iniciaProjetoNovo(projeto);
        TItem soRotulo;
        soRotulo.rotulo = "banana";
        TItem comFala = soRotulo;
        comFala.rotulo = comFala.fala = "comer";
        for (const TItem& it : {soRotulo, comFala}) {
            Escuta escuta(relogio);
            QTest::qWait(100);
            for (const Saida& s : saidasDoItem(it, projeto.falando && temVoz()))
                s.fala ? enfileiraFala(s.texto) : enfileiraSom(s.texto);
            bombeiaAteLivre();
            escuta.drena();
            // Utterances: sound after at least 200 ms of silence (or the start).
            int falas = 0, quietas = 20;
            for (int j = 0; j < escuta.nJanelas(); ++j) {
                if (!escuta.soando(j)) {
                    ++quietas;
                    continue;
                }
                if (quietas >= 20) ++falas;
                quietas = 0;
            }
            QVERIFY2(falas == 1, qPrintable(it.rotulo + ": " + QString::number(falas)));
        }
        projeto = antes;
    }

    void paraTudoCortaAGravacao() {
        Escuta escuta(relogio);
        QTest::qWait(100);
        enfileiraSom("longo");
        enfileiraSom("tom880");
        enfileiraFala("não deve ser dito");
        saidaLivre();
        QTest::qWait(1200);
        QVERIFY(midiaTocando());
        const qint64 parada = relogio.elapsed();
        paraTudo();
        QVERIFY(filaSaida.isEmpty());
        for (int i = 0; i < 50; ++i) {
            QVERIFY(saidaLivre());
            QTest::qWait(20);
        }
        escuta.drena();
        const int ate = escuta.ultimaSoando();
        QVERIFY2(ate >= 0, "nada foi ouvido");
        const double atraso = escuta.instanteJanela(ate + 1) - parada;
        QVERIFY2(atraso <= 100, qPrintable(QString::number(atraso)));
        QVERIFY2(escuta.instanteJanela(escuta.primeiraSoando()) < parada, "o som nem começou");
    }

    // A damaged recording is skipped at once: it must neither hold the queue nor be taken
    // for the end of the one that follows.
    void gravacaoDanificadaNaoPrendeAFila() {
        QFile danificado("danificado.wav");
        QVERIFY(danificado.open(QIODevice::WriteOnly));
        danificado.write(QByteArray("RIFF\x10\x00\x00\x00WAVEfmt ", 16) + QByteArray(3000, '\x5a'));
        danificado.close();
        Escuta escuta(relogio);
        QTest::qWait(100);
        enfileiraSom("danificado");
        enfileiraSom("tom880");
        QElapsedTimer t;
        t.start();
        bombeiaAteLivre();
        QVERIFY2(t.elapsed() < 4500, qPrintable(QString::number(t.elapsed())));
        escuta.drena();
        int janelas880 = 0;
        for (int j = 0; j < escuta.nJanelas(); ++j)
            janelas880 += escuta.soando(j) && escuta.forca(j, 880) > 8000;
        QVERIFY2(janelas880 * 10 > 500, "o tom depois do arquivo danificado foi cortado");
    }

    // ▶ beside a sound or speech box plays what a run would for that text: the recording it
    // names, else the voice speaking it (making the voice when the editor has none), and
    // nothing while missing sounds are not synthesized.
    void playDaCaixaComoNaExecucao() {
        encerraVoz();
        RespostasDeDialogo avisos;
        QComboBox caixa;
        caixa.setEditable(true);
        auto ouve = [&](const QString& texto, bool sintetiza) {
            projeto.sintetizando = sintetiza;
            auto escuta = std::make_unique<Escuta>(relogio);
            QTest::qWait(100);
            caixa.setEditText(texto);
            tocaSomDaCaixa(&caixa);
            QTest::qWait(300);
            bombeiaAteLivre();
            escuta->drena();
            return escuta;
        };
        const auto tom = ouve("tom880", false);
        QVERIFY2(tom->faltaOTom(880, 50).isEmpty(), qPrintable(tom->faltaOTom(880, 50)));
        const auto fala = ouve("Quero brincar no parque", true);
        QVERIFY(temVoz());
        QVERIFY2(fala->janelasSoando() > 50, qPrintable(QString::number(fala->janelasSoando())));
        const auto nada = ouve("Quero brincar no parque", false);
        QCOMPARE(nada->janelasSoando(), 0);
        QCOMPARE(avisos.rapidas.size(), 1);
        projeto.sintetizando = false;
    }

    // A run with the message bar: three items chosen, then "Falar": the three recordings are
    // heard again in the order chosen, one after the other. Chosen by clicks, then by
    // row/column scanning with the Enter key as the switch, two presses a choice (the row, then
    // the cell).
    void barraDeMensagemFalaEmOrdem() {
        const QList<int> tons{440, 660, 880};
        for (const int hz : tons)
            QVERIFY(gravaTom(QStringLiteral("t%1.wav").arg(hz), hz, 500));
        const TProjeto antes = projeto;
        for (const bool varredura : {false, true}) {
            projeto = TProjeto();
            TPrancha pr = umaLinha("FRASE", "Frase", {"eu", "quero", "água"});
            for (int i = 0; i < 3; ++i)
                pr.itens[i].som = QStringLiteral("t%1.wav").arg(tons[i]);
            projeto.pranchas << pr;
            projeto.acesso.barraMensagem = true;
            if (varredura) {
                projeto.tempoVarredura = 1000;
                projeto.acesso.modoVarredura = TModoVarredura::linhaColuna;
                projeto.acesso.selecionaVarredura.tecla = Qt::Key_Return;
            }
            TFormExecuta runner;
            QVERIFY(abreExecucao(runner, "FRASE"));
            QVERIFY(runner.faixa() && runner.faixa()->isVisible());
            const auto destaque = [&](Destaque::Tipo tipo, int indice) {
                const Destaque& d = runner.motor().destaque();
                return d.tipo == tipo && d.indice == indice;
            };
            // Rows: the bar (0), then the board's (1); the bar's cells are 3, 4, 5.
            const auto escolhe = [&](int linha, int celula) {
                QTRY_VERIFY_WITH_TIMEOUT(destaque(Destaque::Tipo::linha, linha), 10000);
                QTest::keyClick(&runner, Qt::Key_Return);
                QTRY_VERIFY_WITH_TIMEOUT(destaque(Destaque::Tipo::celula, celula), 5000);
                QTest::keyClick(&runner, Qt::Key_Return);
            };
            const QList<int> ordem{2, 0, 1}; // água, eu, quero
            for (const int i : ordem) {
                if (varredura)
                    escolhe(1, i);
                else
                    QTest::mouseClick(runner.graf().itensGraf[i].painel, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(runner.motor().ocupado, 3000);
                QTRY_VERIFY_WITH_TIMEOUT(saidaLivre() && !runner.motor().ocupado, 5000);
            }
            QCOMPARE(runner.faixa()->entradasDesenhadas().size(), 3);
            Escuta escuta(relogio);
            QTest::qWait(100);
            if (varredura)
                escolhe(0, 3);
            else
                QTest::mouseClick(runner.faixa()->celula(0).painel, Qt::LeftButton); // Falar
            QTRY_VERIFY_WITH_TIMEOUT(runner.motor().ocupado, 3000);
            bombeiaAteLivre();
            escuta.drena();
            QList<int> inicio, fim;
            for (const int i : ordem) {
                int de = -1, ate = -1;
                for (int j = 0; j < escuta.nJanelas(); ++j)
                    if (escuta.soando(j) && escuta.forca(j, tons[i]) > 8000) {
                        if (de < 0) de = j;
                        ate = j;
                    }
                QVERIFY2(de >= 0, qPrintable(QString("%1 Hz não foi ouvido").arg(tons[i])));
                QVERIFY2((ate - de + 1) * 10 >= 400,
                         qPrintable(QString("%1 Hz cortado").arg(tons[i])));
                inicio << de;
                fim << ate;
            }
            QVERIFY2(fim[0] < inicio[1] && fim[1] < inicio[2], "fora de ordem ou sobrepostos");
            runner.close();
            QVERIFY(runner.motor().barra()->entradas().isEmpty());
        }
        projeto = antes;
    }
};

QTEST_MAIN(TstSaidaAudio)
#include "tst_saida_audio.moc"
