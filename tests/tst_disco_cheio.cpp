// What every save does when the disk does not take the bytes: a full pen drive (a tiny tmpfs
// filled to the brim), a read-only drive (a read-only bind mount) and a folder removed while
// the project was open. The previous files must stay byte for byte, the user must be told, and
// the project must stay unsaved so closing still asks. Needs root to mount; skips otherwise.
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "desenho/jpg_prancha.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/form_prog.h"
#include "janelas/editor/sel_figura.h"
#include "janelas/rascunho/form_rascunho.h"
#include "janelas/som/formgravador.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "logica/som/som_editado.h"
#include "logica/troca/exporta_obz.h"
#include "logica/troca/importa_obz.h"
#include "nucleo/pranchas_arquivo.h"
#include "plataforma/audio.h"
#include "support/apoio.h"
#include "support/escuta.h"
#include "support/execucao_apoio.h"
#include "support/montagens.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString naoGravado = QStringLiteral("Arquivo de pranchas não pode ser gravado");
const QString erroEscrita = QStringLiteral("Erro de escrita no arquivo.");
const QString erroAbrir = QStringLiteral("Erro ao abrir o espaço para gravação");

// What is in a folder besides the filler: no half-written file may be left behind.
QStringList arquivos(const QString& pasta) {
    QStringList r = QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    r.removeAll(QStringLiteral("enchimento"));
    return r;
}

// A recording beside the others of a folder, as it must stay when a save of it fails.
std::function<void()> somIntacto(const QString& pasta) {
    return [pasta, bytes = leArquivo(pasta + "/voz.wav"), antes = arquivos(pasta)] {
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(leArquivo(pasta + "/voz.wav"), bytes);
        QCOMPARE(arquivos(pasta), antes);
    };
}

} // namespace

class TstDiscoCheio : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    QByteArray original;

    // The project of tests/data/ouro, opened from `pasta`, with a project changed since.
    void abreProjeto(const QString& pasta) {
        QVERIFY(escreveArquivo(pasta + "/pranchas.pra", original));
        definePastaProjeto(pasta);
        carregaPranchas(pastaProjeto);
        QCOMPARE(projeto.nPranchas(), 3);
        projeto.pranchas[0].titulo = QStringLiteral("Mudado e não gravado");
        projetoSalvo = false;
    }

    // What a failed save must leave on the drive: the board file and its backup byte for byte,
    // and no other file.
    static std::function<void()> intactoEm(const QString& pasta, const QByteArray& original,
                                           const QByteArray& backup) {
        return [pasta, original, backup, antes = arquivos(pasta)] {
            QCOMPARE(leArquivo(pasta + "/pranchas.pra"), original);
            QCOMPARE(leArquivo(pasta + "/pranchas.bak"), backup);
            QCOMPARE(arquivos(pasta), antes);
        };
    }

    // Every way the user saves, on a folder that takes no more bytes: nothing changes on disk,
    // every attempt says so, and the program still knows the project is not saved.
    void nadaSePerde(const QString& pasta, const QByteArray& backup) {
        nadaSePerde(intactoEm(pasta, original, backup));
    }
    void nadaSePerde(const std::function<void()>& intacto) {
        RespostasDeDialogo avisos;
        avisos.ok();
        QVERIFY(!salvarProjeto());
        intacto();
        QCOMPARE(avisos.erros, QStringList{naoGravado});
        QVERIFY(avisos.rapidas.isEmpty()); // never "Pranchas gravadas"

        // The start window's Salvar leaves the project unsaved: closing still asks.
        TformSelInic* inicio = janelas.formSelInic;
        inicio->habilitaBotoes();
        avisos.ok();
        QTest::mouseClick(inicio->b_salvar, Qt::LeftButton);
        intacto();
        QVERIFY(!projetoSalvo);
        QCloseEvent fecha;
        avisos.nao();
        QApplication::sendEvent(inicio, &fecha);
        QVERIFY(!fecha.isAccepted());
        QCOMPARE(avisos.perguntas.size(), 1);

        // The editor's Salvar, and Sair da edição, which stays with the edits.
        TFormProg* editor = janelas.formProg;
        editor->show();
        QAction* salvar = nullptr;
        for (QAction* a : editor->findChildren<QAction*>())
            if (a->text() == "&Salvar") salvar = a;
        QVERIFY(salvar);
        avisos.ok().ok();
        salvar->trigger();
        auto* sair = editor->findChild<QToolButton*>("b_sair1");
        QVERIFY(sair);
        QTest::mouseClick(sair, Qt::LeftButton);
        intacto();
        QVERIFY(editor->isVisible());
        QVERIFY(!projetoSalvo);
        QCOMPARE(projeto.pranchas[0].titulo, QStringLiteral("Mudado e não gravado"));
        QCOMPARE(avisos.erros, QStringList(4, naoGravado));
        QVERIFY(avisos.rapidas.isEmpty());
        editor->hide();
        // After the editor's failed saves too, closing the program still asks.
        QCloseEvent fechaDeNovo;
        avisos.nao();
        QApplication::sendEvent(inicio, &fechaDeNovo);
        QVERIFY(!fechaDeNovo.isAccepted());
        QCOMPARE(avisos.perguntas.size(), 2);
    }

private slots:
    void initTestCase() {
        qputenv("HOME", casa.path().toLocal8Bit());
        original = leArquivo(QStringLiteral(ZELVANA_TEST_DATA "/ouro/pranchas.pra"));
        QVERIFY(!original.isEmpty());
        criaJanelas();
    }
    void cleanupTestCase() {
        QDir::setCurrent(casa.path()); // out of the folders about to be unmounted
        destroiJanelas();
    }

    void discoCheioSemBackup() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        abreProjeto(m.pasta());
        QVERIFY(m.enche());
        nadaSePerde(m.pasta(), {}); // the backup could not be made: the file is not replaced
        QVERIFY(!QFile::exists(m.pasta() + "/pranchas.bak"));
        QDir::setCurrent(casa.path());
    }

    void discoCheioComBackup() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        const QByteArray backup = "[ANTIGA]\r\nMODELO=1X1\r\n1=velho\r\n";
        QVERIFY(escreveArquivo(m.pasta() + "/pranchas.bak", backup));
        abreProjeto(m.pasta());
        QVERIFY(m.enche());
        nadaSePerde(m.pasta(), backup);
        QDir::setCurrent(casa.path());
    }

    void pendriveSomenteLeitura() {
        QTemporaryDir origem;
        const QByteArray backup = "[ANTIGA]\r\n";
        QVERIFY(escreveArquivo(origem.filePath("pranchas.pra"), original));
        QVERIFY(escreveArquivo(origem.filePath("pranchas.bak"), backup));
        Montagem m;
        if (!m.montaSomenteLeitura(origem.path())) QSKIP(qPrintable(m.motivo));
        definePastaProjeto(m.pasta());
        carregaPranchas(pastaProjeto);
        projeto.pranchas[0].titulo = QStringLiteral("Mudado e não gravado");
        projetoSalvo = false;
        nadaSePerde(m.pasta(), backup);
        QDir::setCurrent(casa.path());
    }

    void pastaRemovidaDepoisDeAberta() {
        QTemporaryDir base;
        const QString pasta = base.filePath("projeto");
        QVERIFY(QDir().mkpath(pasta));
        abreProjeto(pasta);
        QDir::setCurrent(casa.path());
        QVERIFY(QDir(pasta).removeRecursively());
        // Nothing may bring the folder back with a lone board file in it.
        nadaSePerde([pasta] { QVERIFY(!QFileInfo::exists(pasta)); });
    }

    // The pen drive pulled out with the project open: every save fails, and the files on the
    // drive are as they were when it comes back.
    void pendriveArrancado() {
        QTemporaryDir origem;
        const QByteArray backup = "[ANTIGA]\r\n";
        QVERIFY(escreveArquivo(origem.filePath("pranchas.bak"), backup));
        Montagem m;
        if (!m.montaLigacao(origem.path())) QSKIP(qPrintable(m.motivo));
        const QString pasta = m.pasta();
        abreProjeto(pasta);
        const auto intacto = intactoEm(origem.path(), original, backup);
        QDir::setCurrent(casa.path());
        QVERIFY(m.arranca());
        nadaSePerde([&] {
            intacto();
            QVERIFY(!QFileInfo::exists(pasta));
        });
    }

    void somNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        const QString nome = m.pasta() + "/oi.wav";
        auto som = std::make_unique<SomEditado>();
        som->nAmostras = 4000;
        for (int i = 0; i < som->nAmostras; ++i)
            som->defineAmostra(i, qint16(i));
        QCOMPARE(gravaWav(nome, *som), TResultadoGravacao::gravado);
        const QByteArray antes = leArquivo(nome);
        QVERIFY(m.enche());
        som->nAmostras = 30000; // longer than the room left
        QCOMPARE(gravaWav(nome, *som), TResultadoGravacao::erroEscrita);
        QCOMPARE(mensagemDaGravacao(TResultadoGravacao::erroEscrita),
                 QStringLiteral("Erro de escrita no arquivo."));
        QCOMPARE(leArquivo(nome), antes);
        QCOMPARE(arquivos(m.pasta()), QStringList{"oi.wav"});
    }

    // The sound editor holding an edited recording of `caminho`: "Salva" where the drive takes
    // nothing says `mensagem`, keeps the window open with the edits, and the old file stays.
    void salvaSomRecusado(const QString& caminho, const std::function<void()>& falha,
                          const QString& mensagem, const std::function<void()>& intacto) {
        TFormGravador* gravador = janelas.formGravador;
        gravador->combo_nomeArq->setEditText(caminho);
        gravador->show();
        QTRY_VERIFY(gravador->som() && gravador->som()->nAmostras == taxaEscuta / 2);
        QTest::mouseClick(gravador->b_maisVol50, Qt::LeftButton);
        const qint16 editada = gravador->som()->amostra(100);
        falha();
        RespostasDeDialogo avisos;
        avisos.ok();
        QTest::mouseClick(gravador->b_salva, Qt::LeftButton);
        QCOMPARE(avisos.erros, QStringList{mensagem});
        QVERIFY(gravador->isVisible());
        QCOMPARE(gravador->som()->amostra(100), editada);
        intacto();
        gravador->hide();
    }

    void gravadorSalvaNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        QVERIFY(gravaTom(m.pasta() + "/voz.wav", 440, 500));
        const auto intacto = somIntacto(m.pasta());
        definePastaProjeto(m.pasta());
        salvaSomRecusado(
            "voz.wav", [&] { QVERIFY(m.enche()); }, erroEscrita, intacto);
        QDir::setCurrent(casa.path());
    }

    void gravadorSalvaSomenteLeitura() {
        QTemporaryDir origem;
        QVERIFY(gravaTom(origem.filePath("voz.wav"), 440, 500));
        Montagem m;
        if (!m.montaSomenteLeitura(origem.path())) QSKIP(qPrintable(m.motivo));
        definePastaProjeto(m.pasta());
        salvaSomRecusado(
            "voz.wav", [] {}, erroAbrir, somIntacto(m.pasta()));
        QDir::setCurrent(casa.path());
    }

    void gravadorSalvaPendriveArrancado() {
        QTemporaryDir origem;
        QVERIFY(gravaTom(origem.filePath("voz.wav"), 440, 500));
        Montagem m;
        if (!m.montaLigacao(origem.path())) QSKIP(qPrintable(m.motivo));
        const QString voz = m.pasta() + "/voz.wav";
        const auto intacto = somIntacto(origem.path());
        salvaSomRecusado(
            voz, [&] { QVERIFY(m.arranca()); }, erroAbrir,
            [&] {
                intacto();
                QVERIFY(!QFileInfo::exists(voz));
            });
    }

    // The drive fills up while a recording is made: the recording ends there and then, says
    // so once, and the recording it was to replace is still there, loaded again.
    void gravacaoNoDiscoCheio() {
        if (!entradaDeAudioDisponivel())
            QSKIP("sem entrada de som: rode com scripts/com-servicos.sh");
        Montagem m;
        if (!m.montaTmpfs(512)) QSKIP(qPrintable(m.motivo));
        QVERIFY(gravaTom(m.pasta() + "/voz.wav", 440, 500));
        const auto intacto = somIntacto(m.pasta());
        definePastaProjeto(m.pasta());
        RespostasDeDialogo avisos;
        TFormGravador* gravador = janelas.formGravador;
        gravador->combo_nomeArq->setEditText("voz.wav");
        gravador->show();
        QTRY_VERIFY(gravador->som() && gravador->som()->nAmostras == taxaEscuta / 2);
        QTest::mouseClick(gravador->b_record, Qt::LeftButton);
        QVERIFY(gravador->gravando());
        QCOMPARE(gravador->l_status->text(), QString("Gravando"));
        QTest::qWait(300);
        avisos.ok();
        QVERIFY(m.enche());
        QTRY_VERIFY_WITH_TIMEOUT(!gravador->gravando(), 5000);
        QCOMPARE(avisos.erros, QStringList{erroEscrita});
        QVERIFY(gravador->l_status->text().isEmpty());
        QCOMPARE(gravador->som()->nAmostras, taxaEscuta / 2);
        intacto();
        QTest::mouseClick(gravador->b_stop, Qt::LeftButton);
        QCOMPARE(avisos.erros.size(), 1);
        gravador->hide();
        QDir::setCurrent(casa.path());
    }

    // Ctrl+P of a run and the editor's "Gerar JPEG" into a full desktop folder: a message each,
    // no file.
    void areaDeTrabalhoCheia() {
        Montagem m;
        if (!m.montaTmpfs(128)) QSKIP(qPrintable(m.motivo));
        const QString desktop = m.pasta() + "/Desktop";
        QVERIFY(QDir().mkpath(desktop));
        QVERIFY(m.enche());
        const QByteArray casaAntes = qgetenv("HOME");
        qputenv("HOME", m.pasta().toUtf8());
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        {
            TFormExecuta runner;
            QVERIFY(abreExecucao(runner, "casa"));
            avisos.ok();
            QTest::keyClick(&runner, Qt::Key_P, Qt::ControlModifier);
            runner.close();
        }
        TFormProg* editor = janelas.formProg;
        editor->documento->recarrega();
        editor->show();
        auto* jpg = editor->findChild<QToolButton*>("jpgButton");
        QVERIFY(jpg);
        avisos.ok();
        QTest::mouseClick(jpg, Qt::LeftButton);
        editor->hide();
        qputenv("HOME", casaAntes);
        QCOMPARE(avisos.erros.size(), 2);
        QVERIFY(avisos.erros[0].startsWith("Não foi possível gravar o arquivo " + desktop));
        QCOMPARE(avisos.erros[1], "Não foi possível gravar o arquivo " + desktop + "/casa.jpg");
        QVERIFY(avisos.rapidas.isEmpty() && avisos.infos.isEmpty());
        QVERIFY(QDir(desktop).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Pictures brought into a project on a full drive, from anywhere and from the library: a
    // message, the name the item had, the project's file of that name as it was, nothing left.
    void importacaoNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        QImage grande(800, 800, QImage::Format_RGB32);
        grande.fill(Qt::darkMagenta);
        const QString origem = casa.filePath("gato.jpg");
        QVERIFY(grande.save(origem, "BMP")); // large enough not to fit what is left
        QTemporaryDir biblioteca;
        QVERIFY(QFile::copy(origem, biblioteca.filePath("casa.jpg")));
        usaBibliotecaFiguras(biblioteca.path());
        QVERIFY(escreveArquivo(m.pasta() + "/gato.jpg", "o gato que já estava"));
        definePastaProjeto(m.pasta());
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        insereItemNaPrancha(projeto.pranchas[0], -1, "casa");
        projeto.pranchas[0].itens[0].figura = "velho.jpg";
        QVERIFY(m.enche());
        const QStringList antes = arquivos(m.pasta());

        RespostasDeDialogo respostas;
        respostas.arquivo(origem).ok();
        TformConfigItem* dialogo = janelas.formConfigItem;
        janelas.formProg->documento->recarrega();
        dialogo->carregaItem(0, 0);
        dialogo->show();
        QTest::mouseClick(dialogo->b_importarFigura, Qt::LeftButton);
        QCOMPARE(dialogo->combo_figura->currentText(), QString("velho.jpg"));
        respostas.ok();
        noProximoModal([](QWidget*) {
            janelas.formSelFigura->l_arquivos->setCurrentRow(0);
            QTest::mouseClick(janelas.formSelFigura->b_ok, Qt::LeftButton);
        });
        QTest::mouseClick(dialogo->b_biblioteca, Qt::LeftButton);
        QCOMPARE(dialogo->combo_figura->currentText(), QString("velho.jpg"));
        dialogo->close();
        dialogo->guardaItem(0, 0);
        QCOMPARE(projeto.pranchas[0].itens[0].figura, QString("velho.jpg"));
        QCOMPARE(respostas.erros, QStringList(2, "Não consegui copiar"));
        QCOMPARE(leArquivo(m.pasta() + "/gato.jpg"), QByteArray("o gato que já estava"));
        QCOMPARE(arquivos(m.pasta()), antes);
        QDir::setCurrent(casa.path());
    }

    // The scratchpad's pictures on a pen drive too small for them: those that fit arrive whole,
    // the others are named in one message, and no hidden half file is left.
    void figurasDoRascunhoNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(256)) QSKIP(qPrintable(m.motivo));
        QTemporaryDir biblioteca;
        QStringList texto{"[figuras]"};
        for (int i = 0; i < 40; ++i) {
            const QString nome = QStringLiteral("figura%1").arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(escreveArquivo(biblioteca.filePath(nome + ".jpg"),
                                   QByteArray(10000, char('a' + i))));
            texto << nome;
        }
        usaBibliotecaFiguras(biblioteca.path());
        definePastaProjeto(m.pasta());
        projeto = TProjeto{};
        RespostasDeDialogo avisos;
        TFormRascunho* rascunho = janelas.formRascunho;
        rascunho->MemoRascunho->setPlainText(texto.join('\n'));
        rascunho->show();
        avisos.ok();
        QTest::mouseClick(rascunho->b_transcrever, Qt::LeftButton);
        usaBibliotecaFiguras({});
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros[0].startsWith(
            "Não foi possível copiar estas figuras para a pasta do projeto:\nfigura"));
        const QStringList copiadas = arquivos(m.pasta());
        QVERIFY(!copiadas.isEmpty() && copiadas.size() < 40);
        for (const QString& f : copiadas) {
            QVERIFY2(!f.startsWith('.'), qPrintable(f));
            QCOMPARE(leArquivo(m.pasta() + "/" + f), leArquivo(biblioteca.filePath(f)));
        }
        // The items are there all the same, each naming its picture.
        QCOMPARE(projeto.pranchas[0].nItens(), 40);
        QCOMPARE(projeto.pranchas[0].itens[39].figura, QString("figura39.jpg"));
        QDir::setCurrent(casa.path());
    }

    void jpgNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(128)) QSKIP(qPrintable(m.motivo));
        QVERIFY(m.enche());
        QImage imagem(1024, 768, QImage::Format_RGB32);
        imagem.fill(Qt::darkCyan);
        QString erro;
        const QString caminho = m.pasta() + "/CASA.jpg";
        QVERIFY(!gravaImagemJpg(imagem, caminho, erro));
        QCOMPARE(erro, "Não foi possível gravar o arquivo " + caminho);
        QVERIFY(arquivos(m.pasta()).isEmpty());
    }

    // A package that does not fit leaves no project and no hidden folder; one that cannot be
    // written leaves no file.
    void pacotesNoDiscoCheio() {
        const QString exemplo = ZELVANA_BUILD_DIR "/src/app/exemplo";
        const TProjeto p =
            lePranchas(leArquivo(exemplo + "/pranchas.pra"), QDateTime::currentDateTime()).projeto;
        QTemporaryDir dir;
        const QString obz = dir.filePath("exemplo.obz");
        QVERIFY(exportaObz(p, exemplo, obz).ok);
        Montagem m;
        if (!m.montaTmpfs(64)) QSKIP(qPrintable(m.motivo));
        const ResultadoImportacao r = importaPacoteObz(obz, m.pasta() + "/Exemplo");
        QVERIFY(!r.ok);
        QVERIFY2(r.erro.contains("não pôde ser gravado"), qPrintable(r.erro));
        QCOMPARE(QDir(m.pasta()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QVERIFY(m.enche());
        const ResultadoExportacao e = exportaObz(p, exemplo, m.pasta() + "/exemplo.obz");
        QVERIFY(!e.ok);
        QCOMPARE(e.erro, "O arquivo " + m.pasta() + "/exemplo.obz não pôde ser gravado.");
        QVERIFY(arquivos(m.pasta()).isEmpty());
    }
};

QTEST_MAIN(TstDiscoCheio)
#include "tst_disco_cheio.moc"
