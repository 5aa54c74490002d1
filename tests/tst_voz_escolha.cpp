// The machine's voice: the engine's Portuguese voices, how a choice changes what is spoken, the
// voice window's test and its cancel, and the choice kept for the next start.
#include "janelas/configuracao/form_voz.h"
#include "logica/execucao/fila_saida.h"
#include "plataforma/audio.h"
#include "plataforma/voz_escolha.h"
#include "plataforma/voz_espeak.h"
#include "support/apoio.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QtTest>

namespace {

using sintetizador::EscolhaDeVoz;

// The samples of one text in the given voice, straight from the engine.
QByteArray sintetiza(const EscolhaDeVoz& e, const QString& texto) {
    sintetizador::defineEscolha(e);
    sintetizador::pede(texto);
    QByteArray tudo, parte;
    QElapsedTimer t;
    t.start();
    while (sintetizador::ocupado() && t.elapsed() < 10000) {
        sintetizador::esperaResultado(50);
        while (sintetizador::colhe(parte))
            tudo += parte;
    }
    return tudo;
}

// Upward zero crossings per second of the voiced parts: higher for a higher voice.
double cruzamentosPorSegundo(const QByteArray& amostras) {
    const auto* s = reinterpret_cast<const qint16*>(amostras.constData());
    const int n = int(amostras.size() / 2);
    int cruzamentos = 0, voz = 0;
    for (int i = 1; i < n; ++i) {
        if (qAbs(s[i]) < 500) continue;
        ++voz;
        cruzamentos += s[i - 1] < 0 && s[i] >= 0;
    }
    return voz ? cruzamentos * double(sintetizador::taxaDeAmostragem()) / voz : 0;
}

EscolhaDeVoz escolha(const QString& voz, const QString& variante, int velocidade) {
    EscolhaDeVoz e;
    e.voz = voz;
    e.variante = variante;
    e.velocidade = velocidade;
    return e;
}

} // namespace

class TesteVozEscolha : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(arquivoEscolhaDeVoz());
    }
    void cleanup() { sintetizador::defineEscolha(EscolhaDeVoz()); }

    void vozesBrasileiraPrimeiro() {
        const QList<sintetizador::VozDoSintetizador> vozes = sintetizador::vozesPortuguesas();
        QVERIFY(vozes.size() >= 2);
        QCOMPARE(vozes[0].nome, QString("pt-br"));
        QCOMPARE(vozes[0].descricao, QString("Português (Brasil)"));
        bool portugal = false;
        for (const auto& v : vozes) {
            QVERIFY(v.nome == "pt" || v.nome.startsWith("pt-"));
            portugal = portugal || (v.nome == "pt" && v.descricao == "Português (Portugal)");
        }
        QVERIFY(portugal);
        QHash<QString, QString> variantes;
        const QList<sintetizador::VozDoSintetizador> lista = sintetizador::variantes();
        for (const auto& v : lista)
            variantes.insert(v.nome, v.descricao);
        QCOMPARE(lista.value(0).descricao, QString("Feminina 1"));
        // Named in Portuguese where the engine names them by their timbre.
        QCOMPARE(variantes.value("f3"), QString("Feminina 3"));
        QCOMPARE(variantes.value("m3"), QString("Masculina 3"));
        QVERIFY(variantes.size() > 10);
        // People's voices only: no engine test, robot or effect.
        for (const char* outra :
             {"fast", "klatt", "klatt4", "robosoft3", "UniRobot", "Demonic", "croak", "whisper"})
            QVERIFY2(!variantes.contains(outra), outra);
        QVERIFY(variantes.contains("Storm") && variantes.contains("grandma"));
    }

    void escolhaMudaOQueSeOuve() {
        const QString frase = "Eu quero beber água, por favor.";
        const QByteArray padrao = sintetiza(EscolhaDeVoz(), frase);
        const QByteArray feminina = sintetiza(escolha("pt-br", "f3", 175), frase);
        const QByteArray rapida = sintetiza(escolha("pt-br", "", 350), frase);
        QVERIFY(padrao.size() > 20000);
        // A female variant speaks higher; double speed takes about half the time.
        QVERIFY2(cruzamentosPorSegundo(feminina) > 1.3 * cruzamentosPorSegundo(padrao),
                 qPrintable(QString("%1 %2")
                                .arg(cruzamentosPorSegundo(feminina))
                                .arg(cruzamentosPorSegundo(padrao))));
        QVERIFY(rapida.size() < 0.7 * padrao.size());
        // A voice the engine lacks speaks Brazilian all the same; speeds are kept in range.
        const QByteArray outra = sintetiza(escolha("xx-nao-existe", "", 175), frase);
        QVERIFY(qAbs(outra.size() - padrao.size()) < padrao.size() / 20);
        sintetizador::defineEscolha(escolha("pt-br", "", 5000));
        QCOMPARE(sintetizador::escolhaAtual().velocidade, EscolhaDeVoz::velocidadeMaxima);
    }

    void testarFalaPelaFilaECancelarVolta() {
        RespostasDeDialogo avisos;
        if (!saidaDeAudioDisponivel()) avisos.ok(); // the notice that there is no audio output
        QStringList falas;
        MotoresSaida falsos;
        falsos.fala = [&falas](const QString& t) { falas << t; };
        falsos.falando = [] { return false; };
        falsos.cala = [] {};
        falsos.toca = [](const QString&) {};
        falsos.para = [] {};
        falsos.tocando = [] { return false; };
        const MotoresSaida antes = usaMotoresSaida(falsos);

        TFormVoz janela;
        QCOMPARE(janela.c_voz->currentData().toString(), QString("pt-br"));
        QCOMPARE(janela.c_variante->currentText(), QString("Padrão"));
        QCOMPARE(janela.e_velocidade->value(), EscolhaDeVoz::velocidadePadrao);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        janela.c_variante->setCurrentIndex(janela.c_variante->findData("m3"));
        janela.e_velocidade->setValue(220);
        QTest::mouseClick(janela.b_testar, Qt::LeftButton);
        QCOMPARE(falas, QStringList{TFormVoz::fraseDeTeste});
        QCOMPARE(sintetizador::escolhaAtual(), escolha("pt-br", "m3", 220)); // heard as shown
        QTest::mouseClick(janela.b_cancelar, Qt::LeftButton);
        QCOMPARE(sintetizador::escolhaAtual(), EscolhaDeVoz());
        QVERIFY(!QFile::exists(arquivoEscolhaDeVoz()));
        usaMotoresSaida(antes);
    }

    void okGuardaParaOProximoInicio() {
        RespostasDeDialogo avisos;
        TFormVoz janela;
        janela.c_voz->setCurrentIndex(janela.c_voz->findData("pt"));
        janela.c_variante->setCurrentIndex(janela.c_variante->findData("f3"));
        janela.e_velocidade->setValue(150);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QTest::mouseClick(janela.b_ok, Qt::LeftButton);
        QVERIFY(!janela.isVisible());
        QCOMPARE(sintetizador::escolhaAtual(), escolha("pt", "f3", 150));
        QVERIFY(avisos.erros.isEmpty());
        // The next start reads it.
        sintetizador::defineEscolha(EscolhaDeVoz());
        carregaEscolhaDeVoz();
        QCOMPARE(sintetizador::escolhaAtual(), escolha("pt", "f3", 150));
        // A file that says nothing usable gives the Brazilian voice.
        QFile f(arquivoEscolhaDeVoz());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("lixo\n[VOZ]\nVELOCIDADE=rapido\n");
        f.close();
        carregaEscolhaDeVoz();
        QCOMPARE(sintetizador::escolhaAtual(), EscolhaDeVoz());
        QFile::remove(arquivoEscolhaDeVoz());
    }
};

QTEST_MAIN(TesteVozEscolha)
#include "tst_voz_escolha.moc"
