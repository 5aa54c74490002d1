// Printing boards to the PDF on a desktop that does not take it: the author is told, and no
// half-written file is left there. Needs root to mount the small drive; skips otherwise.
#include "app/inicio.h"
#include "desenho/saida_impressa.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/saida_prancha.h"
#include "janelas/impressao/sel_imprime.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/montagens.h"
#include "support/pranchas_com_figuras.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

class TstImpressaoFaltas : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;

    // "Imprimir tudo" with both dialogs accepted, the desktop being `casa`/Desktop.
    static void imprimeTudo(const QString& casa) {
        const QByteArray antes = qgetenv("HOME");
        qputenv("HOME", casa.toLocal8Bit());
        TFormSelImprime* sel = janelas.formSelImprime;
        sel->show();
        RespostasDeDialogo dialogos;
        dialogos.impressora([](QPrinter&) {}).impressora([](QPrinter&) {}).ok();
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        QCOMPARE(dialogos.pendentes(), 0);
        sel->hide();
        qputenv("HOME", antes);
        QVERIFY(dialogos.infos.isEmpty());
        QCOMPARE(dialogos.erros.size(), 1);
        QVERIFY2(dialogos.erros.first().startsWith("Não foi possível gravar o arquivo " + casa +
                                                   "/Desktop/Zelvana - pranchas "),
                 qPrintable(dialogos.erros.first()));
        QVERIFY(QDir(casa + "/Desktop").entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

private slots:
    void initTestCase() {
        if (haImpressora()) QSKIP("this machine has a printer: the pages would go to paper");
        criaJanelas();
        novaPastaDeProjeto(pasta);
        montaPranchasComFiguras(pastaProjeto, 6);
    }
    void cleanupTestCase() { destroiJanelas(); }

    // Less room than the PDF takes: it fails partway through.
    void discoPequeno() {
        Montagem m;
        if (!m.montaTmpfs(96)) QSKIP(qPrintable(m.motivo));
        QVERIFY(QDir().mkpath(m.pasta() + "/Desktop"));
        imprimeTudo(m.pasta());
    }

    // Not a byte free.
    void discoCheio() {
        Montagem m;
        if (!m.montaTmpfs(64)) QSKIP(qPrintable(m.motivo));
        QVERIFY(QDir().mkpath(m.pasta() + "/Desktop"));
        QVERIFY(m.enche());
        imprimeTudo(m.pasta());
    }

    // The editor's one-board print to a PDF chosen in the dialog, on a full drive: refused
    // whole, the author told, nothing left behind.
    void pranchaDoEditorNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(64)) QSKIP(qPrintable(m.motivo));
        QVERIFY(m.enche());
        const QString pdf = m.pasta() + "/prancha.pdf";
        RespostasDeDialogo dialogos;
        dialogos
            .impressora([pdf](QPrinter& impressora) {
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
            })
            .ok();
        imprimePranchaIndice(0, QSize(800, 600));
        QCOMPARE(dialogos.pendentes(), 0);
        QCOMPARE(dialogos.erros, QStringList{"Não foi possível gravar o arquivo " + pdf});
        QVERIFY(dialogos.infos.isEmpty());
        QCOMPARE(QDir(m.pasta()).entryList(QDir::Files | QDir::Hidden), QStringList{"enchimento"});
    }
};

QTEST_MAIN(TstImpressaoFaltas)
#include "tst_impressao_faltas.moc"
