// The editor's lists of boards and items: the commands on them, the property dialogs they open,
// what the document stores back, the project check beside them, and the sample project.
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/verificacao/painel_verificacao.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/editor_apoio.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstEditorListas : public QObject, ProjetoDoEditor {
    Q_OBJECT

private slots:
    void comandosDoEditor() {
        RespostasDeDialogo respostas;
        projeto = TProjeto{};
        TFormProg f;
        respostas.texto("A").texto("B");
        QStringList menus;
        for (const QAction* a : f.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&Arquivo", "&Editar", "&Rascunhar", "&Configurar",
                                     "&Visualizar", "A&juda", "&Selecionar"}));
        for (QListWidget* l : {f.lb_pranchas, f.lb_itens})
            QVERIFY(!QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name).isEmpty());
        QVERIFY(abre(f));
        QVERIFY(f.b_insAbaixo->isEnabled());
        QVERIFY(!f.b_remover->isEnabled());
        clica(f.b_insAbaixo);
        clica(f.b_insAbaixo); // below A
        QCOMPARE(projeto.nPranchas(), 2);
        QCOMPARE(f.lb_pranchas->count(), 2);
        QCOMPARE(f.lb_pranchas->item(1)->text(), QString("B"));
        QVERIFY(f.b_remover->isEnabled());
        QVERIFY(f.b_insAbaixoItem->isEnabled());
        QVERIFY(!f.b_removerItem->isEnabled());

        respostas.texto("x").texto("y");
        clica(f.b_insAbaixoItem);
        clica(f.b_insAbaixoItem);
        QCOMPARE(projeto.pranchas[1].nItens(), 2);
        QCOMPARE(f.lb_itens->count(), 2);
        QVERIFY(f.b_removerItem->isEnabled());
        respostas.texto("copia");
        clica(f.b_duplicarItem); // y selected
        QCOMPARE(projeto.pranchas[1].itens[2].figura, QString("y"));
        respostas.cancela();
        clica(f.b_duplicarItem); // cancelled
        QCOMPARE(projeto.pranchas[1].nItens(), 3);
        QCOMPARE(respostas.pendentes(), 0);

        clica(f.b_paraCima);
        QCOMPARE(projeto.pranchas[0].nome, QString("B"));
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->count(), 3); // still the same board

        clicaLinha(f.lb_pranchas, 1);
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        respostas.sim();
        clica(f.b_remover); // the last of the list
        QCOMPARE(projeto.nPranchas(), 1);
        QCOMPARE(f.lb_pranchas->currentRow(), -1);
        QCOMPARE(f.lb_itens->count(), 0);
        QVERIFY(!f.graf.criada);

        respostas.nao();
        QVERIFY(aciona(f, "Remover todas as pranchas"));
        QCOMPARE(respostas.rapidas, QStringList{"Ufa! Ainda bem..."});
        QCOMPARE(projeto.nPranchas(), 1);
        respostas.sim();
        QVERIFY(aciona(f, "Remover todas as pranchas"));
        QCOMPARE(projeto.nPranchas(), 0);
        QCOMPARE(f.lb_pranchas->count(), 0);
        f.close();
    }

    // The buttons the walk above does not reach, each pressed for real.
    void botoesDePranchasEItens() {
        RespostasDeDialogo respostas;
        projeto = TProjeto{};
        for (const char* nome : {"A", "B", "C"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas() - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        TFormProg f;
        QVERIFY(abre(f));

        clicaLinha(f.lb_itens, 1);
        clica(f.b_paraBaixoItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2", "A1"}));
        QCOMPARE(projeto.pranchas[0].itens[2].rotulo, QString("A1"));
        QCOMPARE(f.lb_itens->currentRow(), 2);
        clica(f.b_paraCimaItem);
        clica(f.b_paraCimaItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A1", "A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0);

        respostas.nao();
        clica(f.b_removerItem);
        QCOMPARE(respostas.perguntas, QStringList{"Quer mesmo remover?"});
        QCOMPARE(projeto.pranchas[0].nItens(), 3);
        respostas.sim();
        clica(f.b_removerItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0); // the next item

        // A board moved down keeps its items on show, with the same one selected.
        clica(f.b_paraBaixo);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"B", "A", "C"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0);

        respostas.texto("A bis");
        clica(f.b_duplicar);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"B", "A", "A bis", "C"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 2);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), -1);
        respostas.ok();
        clica(f.b_duplicarItem);
        QCOMPARE(respostas.infos, QStringList{"Não há nenhum item selecionado"});
        f.lb_pranchas->setCurrentRow(-1);
        QCOMPARE(f.lb_itens->count(), 0);
        respostas.ok();
        clica(f.b_duplicar);
        QCOMPARE(respostas.infos.last(), QString("Não há nenhuma prancha selecionada"));
        respostas.ok(); // "Novo item" says what to do first
        clica(f.b_insAbaixoItem);
        QCOMPARE(respostas.infos.last(),
                 QString("Selecione na lista a prancha que vai receber o item."));
        // A board name the file cannot hold is asked again with what was typed.
        respostas.texto("A [x]").ok().cancela();
        clica(f.b_insAbaixo);
        QCOMPARE(respostas.erros.size(), 1);
        QCOMPARE(projeto.nPranchas(), 4);
        // Board and item buttons of one caption tell a screen reader which list they act on.
        QCOMPARE(f.b_remover->accessibleName(), QString("Remover prancha"));
        QCOMPARE(f.b_removerItem->accessibleName(), QString("Remover item"));
        QCOMPARE(respostas.pendentes(), 0);

        // Editar > Desfazer brings every board back with its items; Refazer removes them again.
        respostas.sim();
        f.Removertodasaspranchas1Click();
        QCOMPARE(f.lb_pranchas->count(), 0);
        QVERIFY(aciona(f, "Desfazer Remover todas as pranchas"));
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"B", "A", "A bis", "C"}));
        QCOMPARE(projeto.pranchas[1].itens.size(), 2);
        QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.lb_pranchas->count(), 0);
        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.lb_pranchas->count(), 4);

        clicaLinha(f.lb_pranchas, 0);
        clicaLinha(f.lb_itens, 1);
        QCOMPARE(QApplication::focusWidget(), f.lb_itens); // clicked last
        QVERIFY(aciona(f, "Pranchas"));
        QTRY_COMPARE(QApplication::focusWidget(), f.lb_pranchas);
        QVERIFY(aciona(f, "Itens"));
        QTRY_COMPARE(QApplication::focusWidget(), f.lb_itens);
        f.close();
    }

    // "Editar" and a double click open the board dialog on the selected board; the item's
    // "Editar", Enter and a double click open the item dialog. What the dialog holds is stored
    // however it was closed, and the lists and drawing follow.
    void editarAbreOsDialogos() {
        RespostasDeDialogo respostas;
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas() - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        TFormProg f;
        TformConfigPrancha dPrancha(*f.documento, &f);
        TformConfigItem dItem(*f.documento, &f);
        janelas.formConfigPrancha = &dPrancha;
        janelas.formConfigItem = &dItem;
        QVERIFY(abre(f));
        QStringList abertas;

        clicaLinha(f.lb_pranchas, 1);
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dPrancha.e_nome->text(), QString("B"));
            dPrancha.e_nome->setText("Bola");
            QTest::mouseClick(dPrancha.b_ok, Qt::LeftButton);
        });
        clica(f.b_detalhar);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Bola"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        // Closed by the title bar, Esc or Cancelar: nothing chosen in it is kept.
        const TPrancha antes = projeto.pranchas[1];
        for (int modo = 0; modo < 3; ++modo) {
            respostas.cor(QColor(255, 0, 0));
            noProximoModal([&, modo](QWidget* w) {
                abertas << w->objectName();
                QTest::mouseClick(dPrancha.Shape1, Qt::LeftButton);
                dPrancha.e_nx->defineTexto("1");
                if (modo == 0) w->close();
                if (modo == 1) QTest::keyClick(w, Qt::Key_Escape);
                if (modo == 2) QTest::mouseClick(dPrancha.b_cancela, Qt::LeftButton);
            });
            clicaLinha(f.lb_pranchas, 1, true);
            QVERIFY(projeto.pranchas[1] == antes);
        }
        // OK keeps it, and the editor's drawing follows.
        respostas.cor(QColor(255, 0, 0));
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QTest::mouseClick(dPrancha.Shape1, Qt::LeftButton);
            dPrancha.e_nx->defineTexto("1");
            QTest::mouseClick(dPrancha.b_ok, Qt::LeftButton);
            Q_UNUSED(w);
        });
        clicaLinha(f.lb_pranchas, 1, true);
        QCOMPARE(projeto.pranchas[1].cor, TColor(0x0000FF));
        QCOMPARE(f.graf.cor, QColor(255, 0, 0));
        QCOMPARE(f.graf.itensGraf.size(), 3);

        const auto rotula = [&](const QString& rotulo, bool ok = true) {
            return [&, rotulo, ok](QWidget* w) {
                abertas << w->objectName();
                dItem.e_rotulo->setText(rotulo);
                ok ? QTest::mouseClick(dItem.b_ok, Qt::LeftButton) : void(w->close());
            };
        };
        clicaLinha(f.lb_itens, 1);
        noProximoModal(rotula("um"));
        clica(f.b_detalharItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"B0", "um", "B2"}));
        QCOMPARE(f.lb_itens->currentRow(), 1);
        noProximoModal(rotula("dois"));
        QTest::keyClick(f.lb_itens, Qt::Key_Return);
        QCOMPARE(f.lb_itens->item(1)->text(), QString("dois"));
        noProximoModal(rotula("três"));
        clicaLinha(f.lb_itens, 1, true);
        QCOMPARE(f.lb_itens->item(1)->text(), QString("três"));
        QCOMPARE(projeto.pranchas[1].itens[1].rotulo, QString("três"));
        noProximoModal(rotula("quatro", false)); // the title bar stores nothing
        clicaLinha(f.lb_itens, 1, true);
        QCOMPARE(projeto.pranchas[1].itens[1].rotulo, QString("três"));
        QVERIFY(aciona(f, "Desfazer Editar item"));
        QCOMPARE(projeto.pranchas[1].itens[1].rotulo, QString("dois"));

        // "Nova prancha" and "Novo item" open the dialog on the record just made.
        respostas.texto("C").texto("novo");
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dPrancha.e_nome->text(), QString("C"));
            QCOMPARE(dPrancha.e_nx->text(), QString("3"));
            w->close();
        });
        clica(f.b_insAbaixo);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Bola", "C"}));
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dItem.e_rotulo->text(), QString("novo"));
            QCOMPARE(dItem.r_letras->itemIndex(), 1); // 36
            dItem.e_tamLetras->setText("72");
            QTest::mouseClick(dItem.b_ok, Qt::LeftButton);
        });
        clica(f.b_insAbaixoItem);
        QCOMPARE(projeto.pranchas[2].itens[0].rotulo, QString("novo"));
        QCOMPARE(projeto.pranchas[2].itens[0].dimTexto, 72);
        QCOMPARE(textos(f.lb_itens), QStringList{"novo"});
        QCOMPARE(abertas,
                 (QStringList{"formConfigPrancha", "formConfigPrancha", "formConfigPrancha",
                              "formConfigPrancha", "formConfigPrancha", "formConfigItem",
                              "formConfigItem", "formConfigItem", "formConfigItem",
                              "formConfigPrancha", "formConfigItem"}));
        QCOMPARE(respostas.pendentes(), 0);
        janelas.formConfigPrancha = nullptr;
        janelas.formConfigItem = nullptr;
        f.close();
    }

    // What a property dialog stores back through the document reaches the lists and drawing.
    void guardadoPeloDocumento() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"})
            inserePranchaNoProjeto(projeto, projeto.nPranchas() - 1, nome);
        insereItemNaPrancha(projeto.pranchas[1], -1, "x");
        TFormProg f;
        QVERIFY(abre(f));
        clicaLinha(f.lb_pranchas, 1);
        clicaLinha(f.lb_itens, 0);
        TPrancha b = projeto.pranchas[1];
        b.nome = "Beta";
        b.nColunas = 1;
        b.nLinhas = 1;
        QVERIFY(f.documento->guardaPrancha(1, b));
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Beta"}));
        QCOMPARE(f.graf.itensGraf.size(), 1); // redrawn on the one-cell grid
        TItem it = projeto.pranchas[1].itens[0];
        it.rotulo = "xis";
        QVERIFY(f.documento->guardaItem(1, 0, it));
        QCOMPARE(textos(f.lb_itens), QStringList{"xis"});
        QCOMPARE(f.lb_itens->currentRow(), 0);
        f.close();
    }

    // The sample project in the editor; with ZELVANA_CAPTURA set, the picture is kept there.
    void projetoDeExemploNoEditor() {
        RespostasDeDialogo avisos;
        QTemporaryDir exemplo;
        const QString origem = QString(ZELVANA_SOURCE_DIR) + "/data/exemplo";
        if (!QFileInfo::exists(origem + "/pranchas.pra")) QSKIP("no sample project");
        for (const QString& nome : QDir(origem).entryList(QDir::Files))
            QFile::copy(origem + "/" + nome, exemplo.path() + "/" + nome);
        pastaProjeto = exemplo.path();
        QDir::setCurrent(pastaProjeto);
        carregaPranchas(pastaProjeto);
        QVERIFY(projeto.nPranchas() > 0);
        TFormProg f;
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_COMPARE(f.lb_pranchas->count(), projeto.nPranchas());
        QCOMPARE(f.lb_itens->count(), projeto.pranchas[0].nItens());
        QTRY_VERIFY(f.graf.criada);
        const QString captura = qEnvironmentVariable("ZELVANA_CAPTURA");
        if (!captura.isEmpty()) f.grab().save(captura + "/editor.png");
        f.close();
        pastaProjeto = dir.path();
        QDir::setCurrent(dir.path());
    }

    // "Verificar projeto" lists the findings under the lists; a double click or Enter on one
    // selects its board and item; the list follows the edits and says when nothing is left.
    void verificarProjeto() {
        RespostasDeDialogo avisos;
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas() - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        projeto.pranchas[0].itens[1].link = "NADA";
        projeto.pranchas[1].itens[2].figura = "bola.jpg";
        TFormProg f;
        QVERIFY(abre(f));
        PainelVerificacao* painel = f.painelVerificacao;
        QVERIFY(!painel->isVisible());
        QVERIFY(aciona(f, "Verificar projeto"));
        QVERIFY(painel->isVisible());
        // The window grows to make room for the panel: click once it has settled.
        QRect antes;
        QVERIFY(QTest::qWaitFor([&] {
            const QRect agora(painel->lb_achados->mapTo(&f, QPoint()), painel->lb_achados->size());
            return std::exchange(antes, agora) == agora && agora.height() > 40;
        }));
        QVERIFY(!QAccessible::queryAccessibleInterface(painel->lb_achados)
                     ->text(QAccessible::Name)
                     .isEmpty());
        QCOMPARE(textos(painel->lb_achados),
                 (QStringList{"Prancha \"A\", item 2 (\"A1\"): o link \"NADA\" não leva a "
                              "nenhuma prancha: não há prancha com esse nome.",
                              "Prancha \"B\", item 3 (\"B2\"): a figura \"bola.jpg\" não está "
                              "na pasta do projeto."}));

        // A double click is a click and then the second press.
        clicaLinha(painel->lb_achados, 1);
        clicaLinha(painel->lb_achados, 1, true);
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        QCOMPARE(f.lb_itens->currentRow(), 2);
        QCOMPARE(f.documento->itemSelecionado(), 2);
        QCOMPARE(QApplication::focusWidget(), f.lb_itens);
        painel->lb_achados->setFocus();
        painel->lb_achados->setCurrentRow(0);
        QTest::keyClick(painel->lb_achados, Qt::Key_Return);
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->currentRow(), 1);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A1", "A2"}));

        // Removing board A moves B up: the list is checked again, so B's finding leads to B.
        avisos.sim();
        clica(f.b_remover);
        QTRY_COMPARE(painel->lb_achados->count(), 1);
        clicaLinha(painel->lb_achados, 0);
        clicaLinha(painel->lb_achados, 0, true);
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->currentRow(), 2);

        // A file put in the folder is seen when asked again.
        QImage(8, 8, QImage::Format_RGB32).save(pasta.filePath("bola.jpg"), "JPEG");
        clica(painel->b_verificarDeNovo);
        QCOMPARE(textos(painel->lb_achados), QStringList{"Nenhum problema encontrado"});
        clicaLinha(painel->lb_achados, 0);
        clicaLinha(painel->lb_achados, 0, true); // nothing to go to
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QVERIFY(avisos.erros.isEmpty());
        const QString captura = qEnvironmentVariable("ZELVANA_CAPTURA");
        if (!captura.isEmpty()) f.grab().save(captura + "/verificacao.png");
        f.close();
        pastaProjeto = dir.path();
    }
};

QTEST_MAIN(TstEditorListas)
#include "tst_editor_listas.moc"
