// The start window's export and model import, and the editor's authorship window, pressed as
// a user presses them, with every dialog answered by the test.
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "comum/janelas.h"
#include "editor/form_autoria.h"
#include "editor/form_prog.h"
#include "model/cp1252.h"
#include "model/nomes.h"
#include "model/pranchas_arquivo.h"
#include "model/pranchas_valores.h"
#include "platform/dialogos.h"
#include "support/apoio.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray crlf(const QStringList& linhas) {
    QByteArray r;
    for (const QString& l : linhas)
        r += paraCp1252(l) + "\r\n";
    return r;
}

// A board file of these boards (each with one item that links to the next); `config` adds a
// [CONFIG] with an author.
QByteArray pranchas(const QStringList& nomes, bool config = true) {
    QStringList l;
    if (config)
        l << "[CONFIG]"
          << "AUTOR=Ana"
          << "DATA=01/02/2025 10:00:00";
    for (int i = 0; i < nomes.size(); ++i)
        l << ""
          << "[" + nomes[i] + "]"
          << "MODELO=1X1"
          << "TITULO=" + nomes[i] << "1=" + nomes[i].toLower()
          << "    LINK 1=" + nomes[(i + 1) % nomes.size()];
    return crlf(l);
}

const QString sobreSi = QStringLiteral("Os arquivos não podem ser copiados sobre si mesmos");
const QString jaExistia =
    QStringLiteral("Esta pasta já existia.  Confirma possível destruição de conteúdo?");
const QString dica = QStringLiteral("Dê clique duplo no lugar onde esta pasta de pranchas será "
                                    "criada");
const QString dicaModelo = QStringLiteral("Dê clique duplo na pasta desejada para confirmar");

} // namespace

class TstExportaImporta : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    QTemporaryDir dir;
    TformSelInic* w = nullptr;

    // A project folder with its board file and a picture, opened as "Escolher Pasta" opens it.
    QString abreProjeto(const QByteArray& arquivo) {
        GravaAvisos quieto;
        const QString pasta = novaPastaDeProjeto(dir);
        escreveArquivo(pasta + "/pranchas.pra", arquivo);
        escreveArquivo(pasta + "/casa.jpg", "figura do projeto");
        carregaPranchas(pasta);
        w->habilitaBotoes();
        return pasta;
    }
    QString pastaDeModelo(const QByteArray& arquivo) {
        static int n = 0;
        const QString pasta = dir.filePath(QString("modelo%1").arg(++n));
        QDir().mkpath(pasta);
        if (!arquivo.isEmpty()) escreveArquivo(pasta + "/pranchas.pra", arquivo);
        escreveArquivo(pasta + "/parque.jpg", "figura do modelo");
        return pasta;
    }
    QAction* acaoAutoria() {
        for (QAction* a : janelas.formProg->findChildren<QAction*>())
            if (a->text() == "&Autoria") return a;
        return nullptr;
    }

private slots:
    void initTestCase() {
        qputenv("HOME", casa.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        criaJanelas();
        w = janelas.formSelInic;
    }
    void cleanupTestCase() { destroiJanelas(); }
    void init() {
        pastaProjeto.clear();
        limpaPranchas(projeto);
        projetoSalvo = false;
        janelas.formProg->hide();
    }

    void semProjetoNaoExportaNemImporta() {
        GravaAvisos avisos;
        w->habilitaBotoes();
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(avisos.erros,
                 (QStringList{"Você ainda não selecionou nenhum projeto, não posso exportar",
                              "Pasta do projeto não foi definida"}));
    }

    void exportaParaPastaNovaQueAbre() {
        const QString proj = abreProjeto(pranchas({"INICIO", "COMER"}));
        const QString lugar = dir.filePath("pendrive");
        GravaAvisos avisos;
        RespostasDeDialogo dialogos;
        dialogos.texto("Cópia de Ana").pasta(lugar);
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(dialogos.perguntas,
                 (QStringList{"Exportação", "Escolha onde criar a pasta de pranchas"}));
        QCOMPARE(avisos.infos, (QStringList{dica, "Fim da cópia"}));
        const QString nova = lugar + "/Cópia de Ana";
        QCOMPARE(QDir(nova).entryList(QDir::Files), (QStringList{"casa.jpg", "pranchas.pra"}));
        // The project stays where it was; the copy is a project of its own.
        QCOMPARE(pastaProjeto, proj);
        QCOMPARE(QDir::currentPath(), proj);
        carregaPranchas(nova);
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"INICIO", "COMER"}));
    }

    void exportaParaPastaExistenteSoComSim() {
        abreProjeto(pranchas({"INICIO"}));
        const QString lugar = dir.filePath("existente");
        QDir().mkpath(lugar + "/copia");
        escreveArquivo(lugar + "/copia/casa.jpg", "antiga");
        escreveArquivo(lugar + "/copia/outra.jpg", "fica");
        {
            GravaAvisos avisos(false);
            RespostasDeDialogo dialogos;
            dialogos.texto("copia").pasta(lugar);
            QTest::mouseClick(w->b_exportar, Qt::LeftButton);
            QCOMPARE(avisos.perguntas, QStringList{jaExistia});
            QCOMPARE(leArquivo(lugar + "/copia/casa.jpg"), QByteArray("antiga"));
            QVERIFY(!QFileInfo::exists(lugar + "/copia/pranchas.pra"));
        }
        GravaAvisos avisos(true);
        RespostasDeDialogo dialogos;
        dialogos.texto("copia").pasta(lugar);
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(avisos.infos.last(), QString("Fim da cópia"));
        QCOMPARE(leArquivo(lugar + "/copia/casa.jpg"), QByteArray("figura do projeto"));
        QCOMPARE(leArquivo(lugar + "/copia/outra.jpg"), QByteArray("fica"));
        QVERIFY(QFileInfo::exists(lugar + "/copia/pranchas.pra"));
    }

    void exportaSobreSiMesmoRecusada() {
        const QString proj = abreProjeto(pranchas({"INICIO"}));
        GravaAvisos avisos(true);
        RespostasDeDialogo dialogos;
        dialogos.texto(QFileInfo(proj).fileName()).pasta(QFileInfo(proj).path());
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(avisos.perguntas, QStringList{jaExistia});
        QCOMPARE(avisos.erros, QStringList{sobreSi});
        QCOMPARE(avisos.infos, QStringList{dica});
    }

    void exportaCanceladaNaoCopiaNada() {
        const QString proj = abreProjeto(pranchas({"INICIO"}));
        const QStringList antes = QDir(proj).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        GravaAvisos avisos(true);
        {
            RespostasDeDialogo dialogos;
            dialogos.texto("copia").cancela();
            QTest::mouseClick(w->b_exportar, Qt::LeftButton);
            QCOMPARE(dialogos.pendentes(), 0);
        }
        QCOMPARE(QDir(proj).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), antes);
        QCOMPARE(avisos.infos, QStringList{dica});
        QVERIFY(avisos.erros.isEmpty() && avisos.perguntas.isEmpty());
        // A name that leaves the place is refused before any folder is asked for.
        RespostasDeDialogo outra;
        outra.texto("../fora");
        QTest::mouseClick(w->b_exportar, Qt::LeftButton);
        QCOMPARE(outra.perguntas, QStringList{"Exportação"});
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("fora")));
    }

    void importaRenomeiaSegueLinksEAbreEditor() {
        const QString proj = abreProjeto(pranchas({"Casa", "Rua"}));
        const QString mod = pastaModeloComCasa();
        GravaAvisos avisos;
        RespostasDeDialogo dialogos;
        dialogos.pasta(mod);
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(dialogos.perguntas, QStringList{"Escolha a pasta do modelo"});
        QCOMPARE(avisos.infos, (QStringList{dicaModelo, "Prancha com nome duplicado: [CASA]",
                                            "Fim do acoplamento do modelo"}));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"Casa", "Rua", "CAS-A", "PARQUE"}));
        // The merged boards reach each other under their new names.
        QCOMPARE(destinoDoLink(projeto, projeto.pranchas[3].itens[0].link, 0), 2);
        QCOMPARE(destinoDoLink(projeto, projeto.pranchas[2].itens[0].link, 0), 3);
        QCOMPARE(projeto.autor, QString("Ana"));
        QCOMPARE(leArquivo(proj + "/parque.jpg"), QByteArray("figura do modelo"));
        QVERIFY(janelas.formProg->isVisible());
        QCOMPARE(janelas.formProg->lb_pranchas->count(), 4);
        QVERIFY(!projetoSalvo);
    }

    void importaCanceladaNaoRecarrega() {
        const QString proj = abreProjeto(pranchas({"Casa"}));
        projeto.pranchas[0].titulo = "editado e não salvo";
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        GravaAvisos avisos;
        RespostasDeDialogo dialogos;
        dialogos.cancela();
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(projeto.pranchas[0].titulo, QString("editado e não salvo"));
        QCOMPARE(leArquivo(proj + "/pranchas.pra"), antes);
        QVERIFY(!janelas.formProg->isVisible());
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(avisos.infos, QStringList{dicaModelo});
    }

    void importaComAlteracoesPerguntaAntes() {
        const QString proj = abreProjeto(pranchas({"Casa"}));
        projeto.pranchas[0].titulo = "editado";
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        const QString mod = pastaModeloComCasa();
        {
            GravaAvisos avisos(false); // No: nothing is imported, the edit stays
            RespostasDeDialogo dialogos;
            dialogos.pasta(mod);
            QTest::mouseClick(w->b_importar, Qt::LeftButton);
            QCOMPARE(avisos.perguntas.size(), 1);
            QVERIFY(avisos.perguntas[0].contains("alterações que ainda não foram salvas"));
            QCOMPARE(projeto.pranchas[0].titulo, QString("editado"));
            QCOMPARE(leArquivo(proj + "/pranchas.pra"), antes);
            QVERIFY(!QFileInfo::exists(proj + "/parque.jpg"));
        }
        GravaAvisos avisos(true); // Yes: saved, then merged
        RespostasDeDialogo dialogos;
        dialogos.pasta(mod);
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(avisos.perguntas.size(), 1);
        QCOMPARE(projeto.pranchas[0].titulo, QString("editado"));
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"Casa", "CAS-A", "PARQUE"}));
        QCOMPARE(leArquivo(proj + "/pranchas.bak"), antes);
    }

    void importaModeloSemPranchasNaoCopia() {
        const QString proj = abreProjeto(pranchas({"Casa"}));
        const QString mod = pastaDeModelo({});
        GravaAvisos avisos;
        RespostasDeDialogo dialogos;
        dialogos.pasta(mod);
        QTest::mouseClick(w->b_importar, Qt::LeftButton);
        QCOMPARE(avisos.erros, QStringList{"Arquivo de pranchas não foi achado"});
        QVERIFY(!QFileInfo::exists(proj + "/parque.jpg"));
        QVERIFY(!janelas.formProg->isVisible());
        QVERIFY(!QApplication::overrideCursor()); // the wait pointer is gone
    }

    void autoriaDeProjetoSemChaves() {
        const QString antes = textoData(QDateTime::currentDateTime());
        abreProjeto(pranchas({"INICIO"}, false));
        const QString depois = textoData(QDateTime::currentDateTime());
        QVERIFY(projeto.data == antes || projeto.data == depois);
        const QString dataDaCarga = projeto.data;
        QTest::mouseClick(w->b_editar, Qt::LeftButton);
        QAction* autoria = acaoAutoria();
        QVERIFY(autoria && autoria->isEnabled());
        QTest::qWait(1100); // so that TROCA DATA gives another second
        QString mostrado[3];
        QString trocada;
        noProximoModal([&](QWidget* m) {
            auto* f = qobject_cast<TFormAutoria*>(m);
            QVERIFY(f);
            QCOMPARE(f->windowTitle(), QString("FormAutoria"));
            QCOMPARE(f->size(), QSize(687, 207));
            QVERIFY(f->font().bold());
            QCOMPARE(f->font().pixelSize(), 13);
            QCOMPARE(f->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
            QCOMPARE(f->b_data->text(), QString("TROCA DATA"));
            mostrado[0] = f->e_autor->text();
            mostrado[1] = f->e_data->text();
            mostrado[2] = f->e_info->text();
            QTest::mouseClick(f->b_data, Qt::LeftButton);
            trocada = f->e_data->text();
            f->close(); // the close box: nothing stored
        });
        autoria->trigger();
        QCOMPARE(mostrado[0], QString("Orvalis"));
        QCOMPARE(mostrado[1], dataDaCarga);
        QCOMPARE(mostrado[2], QString("Zelvana 1.4a"));
        QVERIFY(QRegularExpression("^\\d\\d/\\d\\d/\\d{4}( \\d\\d:\\d\\d:\\d\\d)?$")
                    .match(trocada)
                    .hasMatch());
        QVERIFY(trocada != dataDaCarga);
        QCOMPARE(projeto.data, dataDaCarga);
        QCOMPARE(projeto.autor, QString("Orvalis"));
    }

    void autoriaOkGuardaSemFecharESobreviveAoSalvar() {
        const QString proj = abreProjeto(pranchas({"INICIO"}));
        QTest::mouseClick(w->b_editar, Qt::LeftButton);
        bool abertaDepoisDoOk = false;
        noProximoModal([&](QWidget* m) {
            auto* f = qobject_cast<TFormAutoria*>(m);
            QVERIFY(f);
            QCOMPARE(f->e_autor->text(), QString("Ana"));
            f->e_autor->setText("Fonoaudióloga Bia");
            f->e_info->setText("Pranchas da escola");
            QTest::mouseClick(f->b_ok, Qt::LeftButton);
            abertaDepoisDoOk = f->isVisible();
            f->e_autor->setText("depois do OK, sem OK");
            f->close();
        });
        acaoAutoria()->trigger();
        QVERIFY(abertaDepoisDoOk);
        QCOMPARE(projeto.autor, QString("Fonoaudióloga Bia"));
        QCOMPARE(projeto.info, QString("Pranchas da escola"));
        GravaAvisos avisos;
        QTest::mouseClick(w->b_salvar, Qt::LeftButton);
        carregaPranchas(proj);
        QCOMPARE(projeto.autor, QString("Fonoaudióloga Bia"));
        QCOMPARE(projeto.info, QString("Pranchas da escola"));
    }

private:
    // A model whose CASA clashes with the project's Casa, its items linking CASA <-> PARQUE.
    QString pastaModeloComCasa() {
        QByteArray m = pranchas({"CASA", "PARQUE"});
        m.replace("AUTOR=Ana", "AUTOR=Outro");
        return pastaDeModelo(m);
    }
};

QTEST_MAIN(TstExportaImporta)
#include "tst_exporta_importa.moc"
