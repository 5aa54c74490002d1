// A model merged into a project on a full pen drive (a tiny tmpfs filled to the brim): the
// project's board file and backup must stay byte for byte, no half-written file may be left,
// and the user must be told. Needs root to mount; skips otherwise.
#include "logica/acoplamento/acopla_modelo.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"
#include "support/montagens.h"

#include <QDir>
#include <QtTest>

namespace {

const QByteArray doProjeto = "[CONFIG]\r\nAUTOR=Ana\r\n\r\n[CASA]\r\nMODELO=1X1\r\n1=mesa\r\n";

QStringList arquivos(const QString& pasta) {
    QStringList r = QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    r.removeAll(QStringLiteral("enchimento"));
    return r;
}

} // namespace

class TstAcoplamentoDisco : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    QString modelo;

private slots:
    void initTestCase() {
        modelo = casa.filePath("modelo");
        QDir().mkpath(modelo);
        QByteArray grande = "[CASA]\r\nMODELO=1X1\r\n1=cadeira\r\n";
        for (int i = 0; i < 20000; ++i)
            grande += "; uma linha de comentário que faz o arquivo crescer bastante\r\n";
        QVERIFY(escreveArquivo(modelo + "/pranchas.pra", grande));
        QVERIFY(escreveArquivo(modelo + "/cadeira.jpg", QByteArray(64 * 1024, 'x')));
    }
    void cleanupTestCase() { QDir::setCurrent(casa.path()); }

    void discoCheioNadaSePerde() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        QVERIFY(escreveArquivo(m.pasta() + "/pranchas.pra", doProjeto));
        QVERIFY(escreveArquivo(m.pasta() + "/pranchas.bak", "antigo"));
        definePastaProjeto(m.pasta());
        {
            RespostasDeDialogo quieto;
            carregaPranchas(m.pasta());
        }
        QVERIFY(m.enche());
        const QStringList antes = arquivos(m.pasta());
        RespostasDeDialogo avisos;
        avisos.sim(); // go on after the picture that did not fit
        const ResultadoAcoplamento r = acoplaModelo(modelo, m.pasta());
        QCOMPARE(avisos.perguntas,
                 QStringList{"Erro ao escrever o arquivo cadeira.jpg. Continua?"});
        QCOMPARE(r.erro, QString("Arquivo de pranchas não pode ser gravado"));
        QVERIFY(!r.gravado);
        QCOMPARE(leArquivo(m.pasta() + "/pranchas.pra"), doProjeto);
        QCOMPARE(leArquivo(m.pasta() + "/pranchas.bak"), QByteArray("antigo"));
        QCOMPARE(arquivos(m.pasta()), antes);
        // Not read again: the project in memory is the one that was open.
        QCOMPARE(nomesDasPranchas(projeto), QStringList{"CASA"});
        QDir::setCurrent(casa.path());
    }
};

QTEST_GUILESS_MAIN(TstAcoplamentoDisco)
#include "tst_acoplamento_disco.moc"
