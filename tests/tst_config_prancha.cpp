// The board properties dialog: what it loads, draws, plays, records, imports and stores.
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/som/formgravador.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"
#include "support/dialogos_propriedades.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Cells that show an item.
int desenhados(const TPranchaGraf& g) {
    int n = 0;
    for (const TItemGraf& it : g.itensGraf)
        n += it.criado && it.painel && !it.painel->isHidden();
    return n;
}

void digita(QAbstractSpinBox* caixa, const QString& texto) {
    caixa->selectAll();
    QTest::keyClick(caixa, Qt::Key_Delete);
    QTest::keyClicks(caixa, texto);
}

} // namespace

class TstConfigPrancha : public QObject, ProjetoDosDialogos {
    Q_OBJECT

private slots:
    // "Casa" 3 x 3 with nine items, white, and "Escola" empty.
    void init() {
        comecaProjeto();
        for (int j = 0; j < 9; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, QString::number(j));
        projeto.pranchas[0].som = "oi.wav";
        projeto.pranchas[0].link = "Escola";
    }
    void cleanup() { terminaProjeto(); }

    void controlesComNomesParaLeitoresDeTela() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        QCOMPARE(d.windowTitle(), QString("Configuração da Prancha"));
        for (const char* nome :
             {"Panel1", "e_nome", "e_titulo", "e_ny", "e_nx", "combo_som", "b_importarSom",
              "b_play", "b_stop", "b_record", "combo_fala", "b_playFala", "b_stopFala", "b_recFala",
              "combo_link", "Shape1", "b_ok", "p_prancha"}) {
            auto* w = d.findChild<QWidget*>(nome);
            QVERIFY2(w, nome);
            if (QString(nome) == "Panel1") continue;
            QVERIFY2(!QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                     nome);
        }
        QCOMPARE(d.b_play->toolTip(), QString("Play"));
        QCOMPARE(d.b_recFala->toolTip(), QString("Record"));
        QCOMPARE(d.b_record->focusPolicy(), Qt::NoFocus);
        QCOMPARE(d.e_nx->value(), 3);
        QCOMPARE(d.e_ny->value(), 1);
        QCOMPARE(d.Shape1->cor(), TColor(0x00FFFF)); // yellow
    }

    // Loading draws nothing; showing fills the lists and draws the board.
    void carregaEMostra() {
        for (const char* f : {"b.wav", "a.mp3", "C.WAV", "fala.txt"})
            QVERIFY(escreveArquivo(pastaProjeto + "/" + f, "x"));
        QVERIFY(QDir().mkpath(pastaProjeto + "/pasta.wav"));
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        QCOMPARE(d.indPranchaEditada, 0);
        QVERIFY(!d.graf.criada);
        QCOMPARE(d.e_nome->text(), QString("Casa"));
        QCOMPARE(d.e_titulo->text(), QString("Casa"));
        QCOMPARE(d.e_nx->text(), QString("3"));
        QCOMPARE(d.combo_som->currentText(), QString("oi.wav"));
        QCOMPARE(d.combo_link->currentText(), QString("Escola"));
        QCOMPARE(d.Shape1->cor(), semCor); // a white board, a white swatch
        d.show();
        QVERIFY(d.graf.criada);
        QCOMPARE(desenhados(d.graf), 9);
        QCOMPARE(lista(d.combo_som), (QStringList{"a.mp3", "b.wav", "C.WAV"}));
        QCOMPARE(lista(d.combo_fala), lista(d.combo_som));
        QCOMPARE(lista(d.combo_link), (QStringList{"Casa", "Escola"}));
        QCOMPARE(d.combo_som->currentText(), QString("oi.wav")); // the text stays
        d.carregaPrancha(-1);                                    // nothing to load
        QCOMPARE(d.e_nome->text(), QString("Casa"));
        d.close();
    }

    // A smaller grid shows fewer items; the board keeps all of them.
    void gradeMenorNaoTiraItens() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        d.show();
        digita(d.e_nx, "2");
        QCOMPARE(d.graf.itensGraf.size(), 6);
        digita(d.e_ny, "2");
        QCOMPARE(desenhados(d.graf), 4);
        QTest::keyClicks(d.e_titulo, " nova");
        QCOMPARE(d.graf.labelTitulo->texto, QString("Casa nova"));
        QCOMPARE(desenhados(d.graf), 4);
        // A name the board file cannot hold keeps the dialog open on OK.
        {
            RespostasDeDialogo avisos;
            d.e_nome->setText("Casa [sala]");
            avisos.ok();
            QTest::mouseClick(d.b_ok, Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(avisos.erros.size(), 1);
            QVERIFY(avisos.erros[0].contains("\"[\" e \"]\""));
        }
        d.e_nome->setText("Casa");
        QTest::mouseClick(d.b_ok, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(!d.graf.criada); // let go on closing
        d.guardaPrancha(0);
        const TPrancha& b = projeto.pranchas[0];
        QCOMPARE(b.nColunas, 2);
        QCOMPARE(b.nLinhas, 2);
        QCOMPARE(b.titulo, QString("Casa nova"));
        QCOMPARE(b.itens.size(), 9);
        QCOMPARE(b.nItens(), 9);
    }

    void corPeloQuadradoRedesenha() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        d.show();
        RespostasDeDialogo respostas;
        respostas.cor(QColor(255, 0, 0)).cancela();
        QTest::mouseClick(d.Shape1, Qt::LeftButton);
        QCOMPARE(d.Shape1->cor(), TColor(0x0000FF));
        QCOMPARE(d.graf.cor, QColor(255, 0, 0));
        QTest::keyClick(d.Shape1, Qt::Key_Space); // cancelled: stays red
        QCOMPARE(d.Shape1->cor(), TColor(0x0000FF));
        QCOMPARE(respostas.pendentes(), 0);
        d.close();
        d.guardaPrancha(0);
        QCOMPARE(projeto.pranchas[0].cor, TColor(0x0000FF));
    }

    // A grid box holding no number keeps the board's value, and everything else is stored.
    void caixaDeGradeSemNumeroGuardaORestante() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        d.show();
        d.e_nome->setText("Lar");
        d.e_titulo->setText("Meu lar ");
        d.e_nx->defineTexto("");
        d.e_ny->defineTexto("abc");
        QCOMPARE(desenhados(d.graf), 9); // the drawing stays as it was
        d.combo_som->setEditText("sino.wav");
        d.combo_fala->setEditText("ola.wav");
        d.combo_link->setEditText("");
        d.Shape1->defineCor(0x123456);
        d.guardaPrancha(0);
        const TPrancha& b = projeto.pranchas[0];
        QCOMPARE(b.nome, QString("Lar"));
        QCOMPARE(b.titulo, QString("Meu lar ")); // as typed
        QCOMPARE(b.nColunas, 3);
        QCOMPARE(b.nLinhas, 3);
        QCOMPARE(b.som, QString("sino.wav"));
        QCOMPARE(b.fala, QString("ola.wav"));
        QCOMPARE(b.link, QString());
        QCOMPARE(b.cor, TColor(0x123456));
        QCOMPARE(b.itens.size(), 9);
        d.close();
    }

    // The grid boxes keep to 1..20 when left, and an emptied box gets its number back.
    void caixaDeGradeAoSair() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.e_nx->setFocus();
        digita(d.e_nx, "0");
        d.e_titulo->setFocus();
        QTRY_COMPARE(d.e_nx->text(), QString("1"));
        d.e_nx->setFocus();
        digita(d.e_nx, "25");
        QCOMPARE(d.e_nx->text(), QString("2")); // a number above 20 cannot be typed
        d.e_ny->setFocus();
        digita(d.e_ny, "");
        d.e_titulo->setFocus();
        QTRY_COMPARE(d.e_ny->text(), QString("3"));
        d.close();
    }

    void tocaCompletandoWav() {
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        QVERIFY(escreveArquivo(pastaProjeto + "/aplausos.wav", "RIFF"));
        QVERIFY(escreveArquivo(pastaProjeto + "/musica.mp3", "ID3"));
        d.carregaPrancha(0);
        d.show();
        d.combo_som->setEditText("aplausos");
        QTest::mouseClick(d.b_play, Qt::LeftButton);
        d.combo_fala->setEditText("musica.mp3");
        QTest::mouseClick(d.b_playFala, Qt::LeftButton);
        d.combo_fala->setEditText("");
        QTest::mouseClick(d.b_playFala, Qt::LeftButton); // nothing to play
        QTest::mouseClick(d.b_stop, Qt::LeftButton);
        QTest::mouseClick(d.b_stopFala, Qt::LeftButton); // nothing left to stop
        QCOMPARE(saida->tocados, (QStringList{"aplausos.wav", "parou", "musica.mp3", "parou"}));
        saida->tocados.clear();
        d.combo_fala->setEditText("musica.mp3");
        QTest::mouseClick(d.b_playFala, Qt::LeftButton);
        d.close(); // closing stops the sound
        QCOMPARE(saida->tocados, (QStringList{"musica.mp3", "parou"}));
    }

    // Recording checks the name and opens the sound editor on it; the box keeps its text.
    void gravaPeloEditorDeSom() {
        RespostasDeDialogo avisos;
        QVERIFY(escreveArquivo(pastaProjeto + "/oi.wav", "x"));
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        TFormGravador gravador;
        janelas.formGravador = &gravador;
        d.carregaPrancha(0);
        d.show();
        QString nomeNoGravador;
        QTest::mouseClick(d.b_play, Qt::LeftButton); // oi.wav
        d.combo_som->setEditText("novo");
        noProximoModal([&](QWidget* w) {
            nomeNoGravador = gravador.combo_nomeArq->currentText();
            w->close();
        });
        QTest::mouseClick(d.b_record, Qt::LeftButton);
        QCOMPARE(nomeNoGravador, QString("novo.wav"));
        QCOMPARE(d.combo_som->currentText(), QString("novo"));
        QCOMPARE(saida->tocados, (QStringList{"oi.wav", "parou"})); // playing stopped first

        d.combo_fala->setEditText("oi.wav"); // exists: asked, answered No
        avisos.nao();
        QTest::mouseClick(d.b_recFala, Qt::LeftButton);
        QCOMPARE(avisos.perguntas, QStringList{"Arquivo existente, confirma alteração?"});
        d.combo_fala->setEditText("");
        avisos.ok();
        QTest::mouseClick(d.b_recFala, Qt::LeftButton);
        QCOMPARE(avisos.erros, QStringList{"Por favor, digite o nome do arquivo de som a gravar."});
        QVERIFY(!gravador.isVisible());
        janelas.formGravador = nullptr;
        d.close();
    }

    // A sound from elsewhere is copied in and named by its bare name; a copy that fails is
    // told and the box keeps its name.
    void importaSom() {
        RespostasDeDialogo respostas;
        const QString origem = fora.filePath("aplausos.mp3");
        QVERIFY(escreveArquivo(origem, "ID3 aplausos"));
        DocumentoProjeto doc(projeto);
        TformConfigPrancha d(doc);
        d.carregaPrancha(0);
        d.show();
        respostas.arquivo(origem).arquivo(fora.filePath("sumiu.mp3")).ok().cancela();
        QTest::mouseClick(d.b_importarSom, Qt::LeftButton);
        QCOMPARE(d.combo_som->currentText(), QString("aplausos.mp3"));
        QFile copia(pastaProjeto + "/aplausos.mp3");
        QVERIFY(copia.open(QIODevice::ReadOnly));
        QCOMPARE(copia.readAll(), QByteArray("ID3 aplausos"));
        QTest::mouseClick(d.b_importarSom, Qt::LeftButton);
        QCOMPARE(respostas.erros, QStringList{"Não consegui copiar"});
        QCOMPARE(d.combo_som->currentText(), QString("aplausos.mp3"));
        QTest::mouseClick(d.b_importarSom, Qt::LeftButton); // cancelled
        QCOMPARE(d.combo_som->currentText(), QString("aplausos.mp3"));
        QCOMPARE(respostas.pendentes(), 0);
        QCOMPARE(QDir::currentPath(), pastaProjeto);
        d.close();
    }
};

QTEST_MAIN(TstConfigPrancha)
#include "tst_config_prancha.moc"
