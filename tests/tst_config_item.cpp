// The item properties dialog: loading and storing every field, the letter-size rules, the
// drawing of the item alone, and the files it brings into the project folder.
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/sel_figura.h"
#include "janelas/som/formgravador.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "plataforma/pastas.h"
#include "support/apoio.h"
#include "support/dialogos_propriedades.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void figura(const QString& caminho, const char* formato = "JPG") {
    QImage im(60, 60, QImage::Format_RGB32);
    im.fill(Qt::darkGreen);
    QVERIFY(im.save(caminho, formato));
}

// The file the preview shows, without its folder; empty when it shows no picture.
QString mostrada(const TformConfigItem& d) {
    if (!d.itemGraf.imagem || d.itemGraf.imagem->isHidden()) return QString();
    return QFileInfo(d.itemGraf.imagem->arquivo).fileName();
}

} // namespace

class TstConfigItem : public QObject, ProjetoDosDialogos {
    Q_OBJECT
    QTemporaryDir biblioteca;

    // Board "Casa" with items "gato" (every field set) and "sol".
    void projetoNovo() {
        comecaProjeto();
        TPrancha& b = projeto.pranchas[0];
        insereItemNaPrancha(b, -1, "gato");
        insereItemNaPrancha(b, 0, "sol");
        TItem& g = b.itens[0];
        g.semRotulo = true;
        g.figura = "gatinho.jpg";
        g.cor = 0x00FF00;
        g.som = "miau.wav";
        g.link = "Escola";
        g.fala = "fala.wav";
        g.executar = "jogo";
        g.posTexto = TPosVertical::meio;
        g.dimTexto = 72;
        g.dimMoldura = TDimMoldura::grossa;
        g.deslocHoriz = true;
    }

private slots:
    void initTestCase() {
        figura(biblioteca.filePath("casa.jpg"));
        figura(biblioteca.filePath("cachorro.jpg"));
        usaBibliotecaFiguras(biblioteca.path());
        QVERIFY2(QFileInfo::exists(pastaDoPrograma() + "/_figvazia.jpg"),
                 "the placeholder lies beside the test program");
    }
    void init() { projetoNovo(); }
    void cleanup() { terminaProjeto(); }

    void controlesComNomesParaLeitoresDeTela() {
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        QCOMPARE(d.windowTitle(), QString("Programação de Item da Prancha"));
        for (const char* nome : {"p_item",        "e_rotulo",     "cb_semRotulo",
                                 "combo_figura",  "cb_semFigura", "b_importarFigura",
                                 "b_biblioteca",  "Shape1",       "combo_som",
                                 "b_importarSom", "b_play",       "b_stop",
                                 "b_rec",         "combo_fala",   "b_playFala",
                                 "b_stopFala",    "b_recFala",    "e_executar",
                                 "b_escolher",    "combo_link",   "cb_desloca",
                                 "r_postexto",    "r_letras",     "e_tamLetras",
                                 "r_margem",      "b_ok"}) {
            auto* w = d.findChild<QWidget*>(nome);
            QVERIFY2(w, nome);
            QVERIFY2(!QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                     nome);
        }
        QCOMPARE(d.e_tamLetras->text(), QString("6"));
        QCOMPARE(d.b_ok->text(), QString("&Ok"));
        QCOMPARE(d.r_letras->entrada(3)->text(), QString("Outras..."));
    }

    void carregaEGuardaCadaCampo() {
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        d.carregaItem(0, 0);
        QVERIFY(!d.itemGraf.criado); // nothing drawn while loading
        QCOMPARE(d.e_rotulo->text(), QString("gato"));
        QVERIFY(d.cb_semRotulo->isChecked());
        QCOMPARE(d.combo_figura->currentText(), QString("gatinho.jpg"));
        QCOMPARE(d.Shape1->cor(), TColor(0x00FF00));
        QCOMPARE(d.combo_som->currentText(), QString("miau.wav"));
        QCOMPARE(d.combo_fala->currentText(), QString("fala.wav"));
        QCOMPARE(d.combo_link->currentText(), QString("Escola"));
        QCOMPARE(d.e_executar->text(), QString("jogo"));
        QCOMPARE(d.r_postexto->itemIndex(), 1);
        QCOMPARE(d.r_letras->itemIndex(), 2); // GRANDES for 72
        QCOMPARE(d.e_tamLetras->text(), QString("72"));
        QCOMPARE(d.r_margem->itemIndex(), 3);
        QVERIFY(d.cb_desloca->isChecked());
        // Stored into the other item, it becomes the same item (label aside).
        d.e_rotulo->setText("outro ");
        d.guardaItem(0, 1);
        TItem esperado = projeto.pranchas[0].itens[0];
        esperado.rotulo = "outro ";
        const TItem& it = projeto.pranchas[0].itens[1];
        QCOMPARE(it.rotulo, esperado.rotulo);
        QCOMPARE(it.semRotulo, esperado.semRotulo);
        QCOMPARE(it.figura, esperado.figura);
        QCOMPARE(it.semFigura, esperado.semFigura);
        QCOMPARE(it.cor, esperado.cor);
        QCOMPARE(it.som, esperado.som);
        QCOMPARE(it.link, esperado.link);
        QCOMPARE(it.fala, esperado.fala);
        QCOMPARE(it.executar, esperado.executar);
        QCOMPARE(it.posTexto, esperado.posTexto);
        QCOMPARE(it.dimTexto, esperado.dimTexto);
        QCOMPARE(it.dimMoldura, esperado.dimMoldura);
        QCOMPARE(it.deslocHoriz, esperado.deslocHoriz);
        d.guardaItem(0, 7); // no such item: nothing
        d.carregaItem(0, 7);
        QCOMPARE(d.e_rotulo->text(), QString("outro "));
        QCOMPARE(projeto.pranchas[0].nItens(), 2);
    }

    // The letter-size group and box follow each other; the stored size is always 8..400.
    void tamanhoDasLetrasNosDoisSentidos() {
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        d.carregaItem(0, 1); // 36
        QCOMPARE(d.r_letras->itemIndex(), 1);
        d.show();
        const auto tamanhoDesenhado = [&] { return d.itemGraf.legenda->fonte.pixelSize(); };
        const int medias = tamanhoDesenhado();
        d.e_tamLetras->setText("36");
        QCOMPARE(d.r_letras->itemIndex(), 1);
        d.e_tamLetras->setText("50");
        QCOMPARE(d.r_letras->itemIndex(), 3);
        QVERIFY(tamanhoDesenhado() > medias);
        d.e_tamLetras->setText("18");
        QCOMPARE(d.r_letras->itemIndex(), 0);
        const int pequenas = tamanhoDesenhado();
        for (const char* ruim : {"5", "abc", "401", ""}) {
            d.e_tamLetras->setText(ruim);
            QCOMPARE(d.r_letras->itemIndex(), 3);
            QVERIFY(tamanhoDesenhado() < pequenas); // drawn at 8
            d.guardaItem(0, 1);
            QCOMPARE(projeto.pranchas[0].itens[1].dimTexto, 8);
        }
        QTest::mouseClick(d.r_letras->entrada(2), Qt::LeftButton);
        QCOMPARE(d.e_tamLetras->text(), QString("72"));
        QVERIFY(tamanhoDesenhado() > medias);
        QTest::mouseClick(d.r_letras->entrada(3), Qt::LeftButton); // writes nothing
        QCOMPARE(d.e_tamLetras->text(), QString("72"));
        d.e_tamLetras->setText("400");
        d.guardaItem(0, 1);
        QCOMPARE(projeto.pranchas[0].itens[1].dimTexto, 400);
        d.close();
    }

    // The preview finds the picture as the board does, and shows the placeholder otherwise.
    void figuraDaPrevia() {
        figura(pastaProjeto + "/sol.jpg");
        figura(pastaProjeto + "/desenho.bmp", "BMP");
        figura(pastaProjeto + "/FOTO.JPG");
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        d.carregaItem(0, 1); // "sol", no picture name
        d.show();
        QCOMPARE(mostrada(d), QString("sol.jpg")); // named after the label
        QCOMPARE(lista(d.combo_figura), (QStringList{"desenho.bmp", "FOTO.JPG", "sol.jpg"}));
        d.combo_figura->setEditText("desenho.bmp"); // its own extension, as the board finds it
        QCOMPARE(mostrada(d), QString("desenho.bmp"));
        d.combo_figura->setEditText("FOTO.JPG");
        QCOMPARE(mostrada(d), QString("FOTO.JPG"));
        d.combo_figura->setEditText("sumida.jpg"); // the board falls back to the label too
        QCOMPARE(mostrada(d), QString("sol.jpg"));
        d.e_rotulo->setText("lua");
        QCOMPARE(mostrada(d), QString("_figvazia.jpg"));
        d.combo_figura->setEditText("");
        QCOMPARE(mostrada(d), QString("_figvazia.jpg"));
        QTest::mouseClick(d.cb_semFigura, Qt::LeftButton);
        QVERIFY(!d.combo_figura->isEnabled());
        QCOMPARE(mostrada(d), QString());
        QTest::mouseClick(d.cb_semFigura, Qt::LeftButton);
        QVERIFY(d.combo_figura->isEnabled());
        // Colour, label position and frame redraw.
        RespostasDeDialogo respostas;
        respostas.cor(QColor(0, 0, 255));
        QTest::mouseClick(d.Shape1, Qt::LeftButton);
        QCOMPARE(d.itemGraf.painel->cor, QColor(0, 0, 255));
        const QRect antes = d.itemGraf.legenda->geometry();
        QTest::mouseClick(d.r_postexto->entrada(0), Qt::LeftButton);
        QVERIFY(d.itemGraf.legenda->geometry().top() > antes.top());
        QTest::mouseClick(d.r_margem->entrada(3), Qt::LeftButton);
        QVERIFY(d.itemGraf.moldura->largura > 0);
        QTest::mouseClick(d.cb_semRotulo, Qt::LeftButton);
        QVERIFY(d.itemGraf.legenda->isHidden());
        d.close();
        QVERIFY(!d.itemGraf.criado);
    }

    // A picture or sound from elsewhere is copied in under its bare name; a failed copy is
    // told and keeps the name the box had.
    void importaFiguraESom() {
        RespostasDeDialogo respostas;
        figura(fora.filePath("gato.jpg"));
        QVERIFY(escreveArquivo(fora.filePath("miado.wav"), "RIFF"));
        figura(pastaProjeto + "/ja_aqui.jpg");
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        d.carregaItem(0, 0);
        d.show();
        respostas.arquivo(fora.filePath("gato.jpg"))
            .arquivo(pastaProjeto + "/ja_aqui.jpg")
            .arquivo(fora.filePath("nao_existe.jpg"))
            .ok()
            .arquivo(fora.filePath("miado.wav"))
            .arquivo(fora.path())
            .ok();
        QTest::mouseClick(d.b_importarFigura, Qt::LeftButton);
        QCOMPARE(d.combo_figura->currentText(), QString("gato.jpg"));
        QVERIFY(QFileInfo(pastaProjeto + "/gato.jpg").size() > 0);
        QCOMPARE(mostrada(d), QString("gato.jpg"));
        QTest::mouseClick(d.b_importarFigura, Qt::LeftButton);
        QCOMPARE(d.combo_figura->currentText(), QString("ja_aqui.jpg"));
        QTest::mouseClick(d.b_importarFigura, Qt::LeftButton);
        QCOMPARE(d.combo_figura->currentText(), QString("ja_aqui.jpg"));
        QCOMPARE(respostas.erros, QStringList{"Não consegui copiar"});
        QTest::mouseClick(d.b_importarSom, Qt::LeftButton);
        QCOMPARE(d.combo_som->currentText(), QString("miado.wav"));
        QVERIFY(QFileInfo::exists(pastaProjeto + "/miado.wav"));
        QTest::mouseClick(d.b_importarSom, Qt::LeftButton); // a folder is no file to copy
        QCOMPARE(d.combo_som->currentText(), QString("miado.wav"));
        QCOMPARE(respostas.erros, QStringList(2, "Não consegui copiar"));
        QCOMPARE(respostas.pendentes(), 0);
        d.guardaItem(0, 0);
        QCOMPARE(projeto.pranchas[0].itens[0].figura, QString("ja_aqui.jpg"));
        QCOMPARE(projeto.pranchas[0].itens[0].som, QString("miado.wav"));
        QCOMPARE(QDir::currentPath(), pastaProjeto);
        d.close();
    }

    void programaDentroOuForaDoProjeto() {
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        d.carregaItem(0, 0);
        d.show();
        RespostasDeDialogo respostas;
        respostas.arquivo(pastaProjeto + "/jogo.sh").arquivo(fora.filePath("video.mp4")).cancela();
        QTest::mouseClick(d.b_escolher, Qt::LeftButton);
        QCOMPARE(d.e_executar->text(), QString("jogo.sh"));
        QTest::mouseClick(d.b_escolher, Qt::LeftButton);
        QCOMPARE(d.e_executar->text(), fora.filePath("video.mp4"));
        QTest::mouseClick(d.b_escolher, Qt::LeftButton);
        QCOMPARE(d.e_executar->text(), fora.filePath("video.mp4"));
        QCOMPARE(respostas.perguntas.first(), QString("Escolher programa ou vídeo"));
        QVERIFY(!QFileInfo::exists(pastaProjeto + "/video.mp4")); // not copied
        d.close();
    }

    // What the program-or-video filter lets through.
    void filtroDeProgramasEVideos() {
        const QString executavel = fora.filePath("jogo");
        QVERIFY(escreveArquivo(executavel, "#!/bin/sh\n"));
        QFile::setPermissions(executavel, QFile::ReadOwner | QFile::ExeOwner | QFile::ExeUser);
        for (const char* nome :
             {"filme.MKV", "a.mp4", "b.webm", "c.avi", "d.mov", "texto.txt", "foto.jpg"})
            QVERIFY(escreveArquivo(fora.filePath(nome), "x"));
        QStringList passam;
        for (const QFileInfo& f :
             QDir(fora.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name))
            if (ehProgramaOuVideo(f)) passam << f.fileName();
        QCOMPARE(passam, (QStringList{"a.mp4", "b.webm", "c.avi", "d.mov", "filme.MKV", "jogo"}));
    }

    // "Ver biblioteca" hands the label to the picker and takes the picture it brings in.
    void figuraDaBiblioteca() {
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        TformSelFigura seletor;
        janelas.formSelFigura = &seletor;
        d.carregaItem(0, 0);
        d.show();
        d.e_rotulo->setText("ca");
        QStringList listados;
        noProximoModal([&](QWidget*) {
            for (int k = 0; k < seletor.l_arquivos->count(); ++k)
                listados << seletor.l_arquivos->item(k)->text();
            seletor.l_arquivos->setCurrentRow(listados.indexOf("casa"));
            QTest::mouseClick(seletor.b_ok, Qt::LeftButton);
        });
        QTest::mouseClick(d.b_biblioteca, Qt::LeftButton);
        listados.sort();
        QCOMPARE(listados, (QStringList{"cachorro", "casa"}));
        QCOMPARE(d.combo_figura->currentText(), QString("casa.jpg"));
        QCOMPARE(lista(d.combo_figura), QStringList{"casa.jpg"});
        QCOMPARE(mostrada(d), QString("casa.jpg"));
        // Closed by its title bar or by Cancela: the item keeps its picture.
        noProximoModal([](QWidget* w) { w->close(); });
        QTest::mouseClick(d.b_biblioteca, Qt::LeftButton);
        QCOMPARE(d.combo_figura->currentText(), QString("casa.jpg"));
        noProximoModal([&](QWidget*) { QTest::mouseClick(seletor.b_cancela, Qt::LeftButton); });
        QTest::mouseClick(d.b_biblioteca, Qt::LeftButton);
        QCOMPARE(d.combo_figura->currentText(), QString("casa.jpg"));
        janelas.formSelFigura = nullptr;
        d.close();
    }

    // The play buttons play what a run would: the recording the text names (".wav" when it has
    // no extension), else the voice, and only a notice while missing sounds are not spoken.
    void tocaEGrava() {
        RespostasDeDialogo avisos;
        DocumentoProjeto doc(projeto);
        TformConfigItem d(doc);
        TFormGravador gravador;
        janelas.formGravador = &gravador;
        d.carregaItem(0, 1);
        d.show();
        projeto.sintetizando = true;
        QVERIFY(escreveArquivo(pastaProjeto + "/miau.wav", "RIFF"));
        d.combo_som->setEditText("miau");
        QTest::mouseClick(d.b_play, Qt::LeftButton);
        d.combo_fala->setEditText("Quero brincar");
        QTest::mouseClick(d.b_playFala, Qt::LeftButton);
        QTest::mouseClick(d.b_stopFala, Qt::LeftButton);
        QCOMPARE(saida->tocados, (QStringList{"miau.wav", "parou"}));
        QCOMPARE(saida->falados, QStringList{"Quero brincar"});
        projeto.sintetizando = false;
        QTest::mouseClick(d.b_playFala, Qt::LeftButton);
        QCOMPARE(saida->falados.size(), 1);
        QCOMPARE(avisos.rapidas.size(), 1);

        // A sound recorded under a new name is listed when the editor closes.
        QString nomeNoGravador;
        noProximoModal([&](QWidget* w) {
            nomeNoGravador = gravador.combo_nomeArq->currentText();
            QVERIFY(escreveArquivo(pastaProjeto + "/latido.wav", "RIFF"));
            w->close();
        });
        d.combo_som->setEditText("latido");
        QTest::mouseClick(d.b_rec, Qt::LeftButton);
        QCOMPARE(nomeNoGravador, QString("latido.wav"));
        QCOMPARE(d.combo_som->currentText(), QString("latido"));
        QCOMPARE(lista(d.combo_som), (QStringList{"latido.wav", "miau.wav"}));
        QCOMPARE(lista(d.combo_fala), (QStringList{"latido.wav", "miau.wav"}));
        d.combo_fala->setEditText("bom dia.mp3"); // not a WAV file: refused
        avisos.ok();
        QTest::mouseClick(d.b_recFala, Qt::LeftButton);
        QCOMPARE(avisos.erros, QStringList{"Nesta versão só consigo editar arquivos .WAV"});
        janelas.formGravador = nullptr;
        d.close();
    }
};

QTEST_MAIN(TstConfigItem)
#include "tst_config_item.moc"
