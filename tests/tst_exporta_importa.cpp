// The start window's export and model import, and the editor's authorship window, pressed as a
// user presses them, every dialog answered by the test.
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/form_autoria.h"
#include "janelas/editor/form_prog.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/pranchas_valores.h"
#include "support/apoio.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Boards each with one item linking to the next; with a [CONFIG] by `autor` unless empty.
QByteArray pranchas(const QStringList& nomes, const QString& autor = "Ana") {
    QString t = autor.isEmpty() ? "" : "[CONFIG]\r\nAUTOR=" + autor + "\r\nDATA=01/02/2025\r\n";
    for (int i = 0; i < nomes.size(); ++i)
        t += "[" + nomes[i] + "]\r\nMODELO=1X1\r\n1=" + nomes[i].toLower() +
             "\r\n    LINK 1=" + nomes[(i + 1) % nomes.size()] + "\r\n";
    return t.toLatin1();
}

QStringList arquivos(const QString& pasta) {
    return QDir(pasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

const QString dica = "Dê clique duplo no lugar onde esta pasta de pranchas será criada";
const QString dicaModelo = "Dê clique duplo na pasta desejada para confirmar";

} // namespace

class TstExportaImporta : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    QTemporaryDir dir;
    TformSelInic* w = nullptr;

    QString abreProjeto(const QByteArray& arquivo) {
        const QString pasta = novaPastaDeProjeto(dir);
        escreveArquivo(pasta + "/pranchas.pra", arquivo);
        escreveArquivo(pasta + "/casa.jpg", "do projeto");
        carregaPranchas(pasta);
        w->habilitaBotoes();
        return pasta;
    }
    // A model whose CASA clashes with a project's Casa, with its own backup and a picture.
    QString modelo(bool comPranchas = true) {
        const QString pasta = dir.filePath(QString("modelo%1").arg(++modelos));
        QDir().mkpath(pasta);
        if (comPranchas)
            escreveArquivo(pasta + "/pranchas.pra", pranchas({"CASA", "PARQUE"}, "Outro"));
        escreveArquivo(pasta + "/pranchas.bak", "backup do modelo");
        escreveArquivo(pasta + "/parque.jpg", "do modelo");
        return pasta;
    }
    int modelos = 0;
    void autoria(std::function<void(TFormAutoria*)> faz) {
        QTest::mouseClick(w->b_editar, Qt::LeftButton);
        noProximoModal([faz](QWidget* m) { faz(qobject_cast<TFormAutoria*>(m)); });
        for (QAction* a : janelas.formProg->findChildren<QAction*>())
            if (a->text() == "&Autoria") a->trigger();
    }

private slots:
    void initTestCase() {
        qputenv("HOME", casa.path().toLocal8Bit());
        criaJanelas();
        w = janelas.formSelInic;
    }
    void cleanupTestCase() { destroiJanelas(); }
    void init() {
        pastaProjeto.clear();
        janelas.formProg->hide();
    }

    void exportaParaPastaNovaEExistente() {
        RespostasDeDialogo dialogos;
        w->habilitaBotoes();
        dialogos.ok();
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(dialogos.erros,
                 QStringList{"Você ainda não selecionou nenhum projeto, não posso exportar"});
        const QString proj = abreProjeto(pranchas({"INICIO", "COMER"}));
        const QString nova = dir.filePath("pendrive/Cópia");
        dialogos.texto("Cópia").ok().pasta(dir.filePath("pendrive")).ok();
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(dialogos.perguntas,
                 (QStringList{"Exportação", "Escolha onde criar a pasta de pranchas"}));
        QCOMPARE(dialogos.infos, (QStringList{dica, "Fim da cópia"}));
        QCOMPARE(arquivos(nova), (QStringList{"casa.jpg", "pranchas.pra"}));
        QCOMPARE(pastaProjeto, proj); // the project stays where it was
        // Into the existing folder: nothing without Yes; with it, same names replaced, others kept.
        escreveArquivo(nova + "/casa.jpg", "antiga");
        escreveArquivo(nova + "/outra.jpg", "fica");
        dialogos.texto("Cópia").ok().pasta(dir.filePath("pendrive")).nao();
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(dialogos.perguntas.mid(4), // after the two dialogs of each export
                 QStringList{"Esta pasta já existia.  Confirma possível destruição de conteúdo?"});
        QCOMPARE(leArquivo(nova + "/casa.jpg"), QByteArray("antiga"));
        dialogos.texto("Cópia").ok().pasta(dir.filePath("pendrive")).sim().ok();
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(leArquivo(nova + "/casa.jpg"), QByteArray("do projeto"));
        QCOMPARE(leArquivo(nova + "/outra.jpg"), QByteArray("fica"));
        carregaPranchas(nova);
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"INICIO", "COMER"}));
    }

    void exportaSobreSiMesmaOuCanceladaNaoCopia() {
        RespostasDeDialogo dialogos;
        const QString proj = abreProjeto(pranchas({"INICIO"}));
        const QStringList antes = arquivos(proj);
        dialogos.texto(QFileInfo(proj).fileName()).ok().pasta(QFileInfo(proj).path()).sim().ok();
        // the place not chosen: no copy into the project
        dialogos.texto("copia").ok().cancela();
        dialogos.texto("../fora").ok();
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(dialogos.erros.value(0),
                 QString("Os arquivos não podem ser copiados sobre si mesmos"));
        QCOMPARE(dialogos.erros.size(), 2);
        QCOMPARE(dialogos.infos, (QStringList{dica, dica}));
        QCOMPARE(arquivos(proj), antes);
        QVERIFY(!QFileInfo::exists(dir.filePath("fora")));
    }

    void importaRenomeiaSegueLinksEAbreEditor() {
        RespostasDeDialogo dialogos;
        const QString proj = abreProjeto(pranchas({"Casa", "Rua"}));
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        // The project's own photo is never replaced: the model's, found by its item's label,
        // comes in under a free name; the same bytes are not copied twice.
        const QString m = modelo();
        escreveArquivo(m + "/casa.jpg", "do modelo");
        escreveArquivo(proj + "/casa-2.jpg", "outra");
        escreveArquivo(m + "/mesma.wav", "igual");
        escreveArquivo(proj + "/mesma.wav", "igual");
        dialogos.ok().pasta(m).ok();
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(dialogos.infos.size(), 2); // one summary at the end
        QCOMPARE(dialogos.infos[1],
                 QString("Fim do acoplamento do modelo\n2 pranchas importadas.\n"
                         "Prancha com nome duplicado: [CASA], importada como [CAS-A].\n"
                         "1 arquivo do modelo tem o nome de outro do projeto e veio renomeado: "
                         "casa.jpg → casa-3.jpg\n1 arquivo igual já estava no projeto."));
        QCOMPARE(leArquivo(proj + "/casa.jpg"), QByteArray("do projeto"));
        QCOMPARE(leArquivo(proj + "/casa-3.jpg"), QByteArray("do modelo"));
        QCOMPARE(projeto.pranchas[2].itens[0].figura, QString("casa-3.jpg"));
        QCOMPARE(projeto.pranchas[0].itens[0].figura, QString()); // the project's own: untouched
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"Casa", "Rua", "CAS-A", "PARQUE"}));
        QCOMPARE(destinoDoLink(projeto, projeto.pranchas[3].itens[0].link, 0), 2);
        QCOMPARE(projeto.autor, QString("Ana")); // the model's [CONFIG] is not taken
        QCOMPARE(leArquivo(proj + "/parque.jpg"), QByteArray("do modelo"));
        // The first file the merge replaced is the project's backup, not the model's.
        QCOMPARE(leArquivo(proj + "/pranchas.bak"), antes);
        QVERIFY(janelas.formProg->isVisible());
        QCOMPARE(janelas.formProg->lb_pranchas->count(), 4);
    }

    void importaCanceladaSemPranchasOuNaoSalvaNadaMuda() {
        RespostasDeDialogo dialogos;
        const QString proj = abreProjeto(pranchas({"Casa"}));
        projeto.pranchas[0].titulo = "editado";
        const QStringList antes = arquivos(proj);
        dialogos.ok().cancela();
        dialogos.ok().pasta(modelo(false)).ok();
        const QString soComentarios = modelo(false);
        escreveArquivo(soComentarios + "/pranchas.pra", "; nada aqui\r\n[CONFIG]\r\nAUTOR=X\r\n");
        dialogos.ok().pasta(soComentarios).ok();
        dialogos.ok().pasta(modelo()).nao(); // No to saving first: nothing is imported
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(dialogos.erros, (QStringList{"Arquivo de pranchas não foi achado",
                                              "O arquivo de pranchas do modelo não tem nenhuma "
                                              "prancha"}));
        QCOMPARE(dialogos.perguntas.size(), 5); // a folder dialog each time, one question
        QVERIFY(dialogos.perguntas[4].contains("alterações que ainda não foram salvas"));
        QCOMPARE(projeto.pranchas[0].titulo, QString("editado"));
        QCOMPARE(arquivos(proj), antes);
        QVERIFY(!janelas.formProg->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // Yes: saved, then merged, the edit kept.
        dialogos.ok().pasta(modelo()).sim().ok().ok();
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(projeto.pranchas[0].titulo, QString("editado"));
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"Casa", "CAS-A", "PARQUE"}));
    }

    void autoriaTrocaDataSoGuardaComOk() {
        RespostasDeDialogo avisos;
        const QString antes = textoData(QDateTime::currentDateTime());
        const QString proj = abreProjeto(pranchas({"INICIO"}, ""));
        QVERIFY(projeto.data == antes || projeto.data == textoData(QDateTime::currentDateTime()));
        const QString carga = projeto.data;
        QTest::qWait(1100); // TROCA DATA then gives another second
        QStringList vistos;
        autoria([&](TFormAutoria* f) {
            QVERIFY(f);
            QCOMPARE(f->size(), QSize(687, 207));
            QVERIFY(f->font().bold() && f->font().pixelSize() == 13);
            vistos << f->windowTitle() << f->e_autor->text() << f->e_data->text()
                   << f->e_info->text();
            QTest::mouseClick(f->b_data, Qt::LeftButton);
            vistos << f->e_data->text();
            f->close(); // the close box stores nothing
        });
        QCOMPARE(vistos.mid(0, 4), (QStringList{"FormAutoria", "Orvalis", carga, "Zelvana 1.4a"}));
        QVERIFY(vistos.value(4) != carga && vistos.value(4).contains(':'));
        QCOMPARE(projeto.data, carga);
        // Cancelar and Esc store nothing either; OK stores and closes.
        for (const bool esc : {false, true})
            autoria([&](TFormAutoria* f) {
                f->e_autor->setText("outro");
                esc ? QTest::keyClick(f, Qt::Key_Escape)
                    : QTest::mouseClick(f->b_cancela, Qt::LeftButton);
            });
        QCOMPARE(projeto.autor, QString("Orvalis"));
        bool aberta = true;
        autoria([&](TFormAutoria* f) {
            f->e_autor->setText("Fonoaudióloga Bia");
            f->e_info->setText("Pranchas da escola");
            QTest::mouseClick(f->b_ok, Qt::LeftButton);
            aberta = f->isVisible();
        });
        QVERIFY(!aberta);
        QTest::mouseClick(w->b_salvar, Qt::LeftButton);
        carregaPranchas(proj);
        QCOMPARE(projeto.autor, QString("Fonoaudióloga Bia"));
        QCOMPARE(projeto.info, QString("Pranchas da escola"));
    }
};

QTEST_MAIN(TstExportaImporta)
#include "tst_exporta_importa.moc"
