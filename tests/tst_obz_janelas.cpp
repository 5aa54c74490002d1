// The editor's Open Board Format entries, pressed as a user would: the project and a board go
// out to the files chosen, a package comes in as a new folder beside, and a cancelled dialog
// writes nothing.
#include "janelas/editor/form_prog.h"
#include "logica/editor/documento_projeto.h"
#include "logica/troca/le_pacote.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString exemplo = QStringLiteral(ZELVANA_BUILD_DIR "/src/app/exemplo");

QAction* entrada(TFormProg& editor, const QString& texto) {
    for (QAction* menu : editor.menuBar()->actions())
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == texto) return a;
    return nullptr;
}

} // namespace

class TstObzJanelas : public QObject {
    Q_OBJECT

private slots:
    void init() {
        RespostasDeDialogo silencio;
        definePastaProjeto(exemplo);
        carregaPranchas(exemplo);
        QVERIFY(silencio.erros.isEmpty());
    }

    void exportaOProjetoEAPrancha() {
        QTemporaryDir dir;
        TFormProg editor;
        editor.show();
        QAction* obz = entrada(editor, "Exportar para OBZ…");
        QAction* obf = entrada(editor, "Exportar prancha para OBF…");
        QVERIFY(obz && obf);

        RespostasDeDialogo respostas;
        respostas.arquivo(dir.filePath("exemplo.obz")).ok();
        obz->trigger();
        QCOMPARE(respostas.pendentes(), 0);
        QCOMPARE(respostas.perguntas, QStringList{"Exportar para OBZ"});
        QVERIFY(respostas.erros.isEmpty());
        QCOMPARE(respostas.infos.size(), 1);
        QVERIFY(respostas.infos[0].startsWith("Exportação concluída: 5 pranchas"));
        const ProjetoDoPacote lido =
            lePacote(leArquivo(dir.filePath("exemplo.obz")), QDateTime::currentDateTime());
        QVERIFY2(lido.erro.isEmpty(), qPrintable(lido.erro));
        QCOMPARE(nomesDasPranchas(lido.projeto), nomesDasPranchas(projeto));

        // The board selected in the list is the one written.
        editor.documento->selecionaPrancha(1);
        respostas.arquivo(dir.filePath("comer.obf")).ok();
        obf->trigger();
        QCOMPARE(respostas.pendentes(), 0);
        const ProjetoDoPacote prancha =
            lePacote(leArquivo(dir.filePath("comer.obf")), QDateTime::currentDateTime());
        QVERIFY2(prancha.erro.isEmpty(), qPrintable(prancha.erro));
        QCOMPARE(nomesDasPranchas(prancha.projeto), QStringList{"COMER"});

        respostas.cancela();
        obz->trigger();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({"comer.obf", "exemplo.obz"}));
        QCOMPARE(respostas.infos.size(), 2);
        QVERIFY(respostas.erros.isEmpty());
    }

    void importaNumaPastaNova() {
        QTemporaryDir dir;
        TFormProg editor;
        editor.show();
        QAction* importa = entrada(editor, "Importar OBZ…");
        QVERIFY(importa);
        RespostasDeDialogo respostas;
        respostas.arquivo(dir.filePath("pacote.obz"));
        QVERIFY(!QFileInfo::exists(dir.filePath("pacote.obz")));
        respostas.pasta(dir.path()).ok();
        importa->trigger();
        QCOMPARE(respostas.erros.size(), 1); // no such file
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());

        respostas.arquivo(dir.filePath("x.obz")).ok();
        entrada(editor, "Exportar para OBZ…")->trigger();
        respostas.arquivo(dir.filePath("x.obz")).pasta(dir.path()).ok();
        importa->trigger();
        respostas.arquivo(dir.filePath("x.obz")).pasta(dir.path()).ok();
        importa->trigger();
        QCOMPARE(respostas.pendentes(), 0);
        // A second import of the same package takes the next free name.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"x", "x 2"}));
        QVERIFY(respostas.infos.last().contains("O projeto foi criado na pasta " +
                                                dir.filePath("x 2")));
        const QDateTime agora = QDateTime::currentDateTime();
        QVERIFY(lePranchas(leArquivo(dir.filePath("x 2/pranchas.pra")), agora).projeto == projeto);
        // The open project is left as it was.
        QCOMPARE(pastaProjeto, exemplo);
    }
};

QTEST_MAIN(TstObzJanelas)
#include "tst_obz_janelas.moc"
