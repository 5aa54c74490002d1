// How the program comes up: the start window is on screen before the other windows are built,
// and they are all there right after it has painted itself.
#include "app/about_box.h"
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "janelas/comum/janelas.h"
#include "janelas/configuracao/form_config_acesso.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/editor/form_autoria.h"
#include "janelas/editor/form_prog.h"
#include "janelas/editor/sel_figura.h"
#include "janelas/editor/visualiza_form.h"
#include "janelas/execucao/dicas_exec.h"
#include "janelas/execucao/form_executa.h"
#include "janelas/execucao/sel_executa.h"
#include "janelas/impressao/form_imprime.h"
#include "janelas/impressao/sel_imprime.h"
#include "janelas/rascunho/form_config_rascunho.h"
#include "janelas/rascunho/form_rascunho.h"
#include "janelas/som/formgravador.h"
#include "janelas/verificacao/painel_verificacao.h"
#include "support/apoio.h"

#include <QTest>
#include <QTimer>

namespace {

// Closes the about box the start window opens on its first activation, as soon as it shows.
class FechaAoMostrar : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override {
        if (e->type() == QEvent::Show)
            if (auto* caixa = qobject_cast<QDialog*>(alvo))
                QTimer::singleShot(0, caixa, &QDialog::accept);
        return false;
    }
};

// Notes whether the start window had painted when the editor came into being.
class Pintura : public QObject {
public:
    using QObject::QObject;
    bool pintou = false;
    bool editorAntesDaPintura = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !pintou) {
            pintou = true;
            editorAntesDaPintura = janelas.formProg != nullptr;
        }
        return false;
    }
};

} // namespace

class TstArranque : public QObject {
    Q_OBJECT
    QTemporaryDir casa;

private slots:
    void initTestCase() { qputenv("HOME", casa.path().toLocal8Bit()); }
    void cleanupTestCase() { destroiJanelas(); }

    void janelaInicialPrimeiroDepoisAsOutras() {
        Pintura pintura;
        mostraJanelaInicial();
        janelas.aboutBox->installEventFilter(new FechaAoMostrar(janelas.aboutBox));
        janelas.formSelInic->installEventFilter(&pintura);
        QVERIFY(janelas.formSelInic->isVisible());
        QVERIFY(janelas.aboutBox);
        QVERIFY(janelas.formQuickMsg);
        QVERIFY(!janelas.formProg);

        QTRY_VERIFY_WITH_TIMEOUT(janelas.formConfigRascunho != nullptr, 10000);
        QVERIFY(pintura.pintou);
        QVERIFY(!pintura.editorAntesDaPintura);
        const QList<QWidget*> todas{
            janelas.formProg,      janelas.formConfigPrancha, janelas.formConfigItem,
            janelas.formSelFigura, janelas.formConfigExec,    janelas.formVisualiza,
            janelas.formGravador,  janelas.formSelExecuta,    janelas.formSelImprime,
            janelas.formImprime,   janelas.formDicasExec,     janelas.formExecuta,
            janelas.formAutoria,   janelas.formRascunho,      janelas.formConfigRascunho};
        for (QWidget* w : todas) {
            QVERIFY(w);
            QCOMPARE(w->parentWidget(), janelas.formSelInic);
        }

        // Every window, the editor with its project check open too, fits the screen of a small
        // laptop (1280 x 720, set for this test) with all its controls.
        const QRect area = janelas.formSelInic->screen()->availableGeometry();
        QCOMPARE(area.size(), QSize(1280, 720));
        janelas.formProg->show();
        janelas.formProg->Verificarprojeto1Click();
        TFormConfigAcesso maisOpcoes(projeto,
                                     janelas.formConfigExec); // "Mais opções…", made on demand
        maisOpcoes.show();
        for (QWidget* w :
             todas + QList<QWidget*>{janelas.formSelInic, janelas.aboutBox, &maisOpcoes}) {
            const QSize minimo = w->minimumSizeHint().expandedTo(w->minimumSize());
            const QSize aberta = w->frameGeometry().size().expandedTo(minimo);
            QVERIFY2(aberta.width() <= area.width() && aberta.height() <= area.height(),
                     qPrintable(w->objectName() +
                                QString(" %1x%2").arg(aberta.width()).arg(aberta.height())));
        }
        QVERIFY(area.contains(janelas.formProg->frameGeometry()));
        const auto* painel = janelas.formProg->painelVerificacao;
        QVERIFY(janelas.formProg->rect().contains(painel->geometry()));
        QVERIFY(painel->height() >= painel->minimumSizeHint().height());
        janelas.formProg->hide();

        // Asked again, nothing is built twice.
        TFormProg* const editor = janelas.formProg;
        criaDemaisJanelas();
        QCOMPARE(janelas.formProg, editor);
    }
};

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
