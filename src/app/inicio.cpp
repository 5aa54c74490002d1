#include "app/inicio.h"

#include "app/about_box.h"
#include "app/form_quick_msg.h"
#include "app/form_sel_inic.h"
#include "app/linha_de_comando.h"
#include "desenho/jpg_prancha.h"
#include "janelas/comum/janelas.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/editor/form_autoria.h"
#include "janelas/editor/form_prog.h"
#include "janelas/editor/sel_figura.h"
#include "janelas/editor/visualiza_form.h"
#include "janelas/execucao/dicas_exec.h"
#include "janelas/execucao/execucao_quiosque.h"
#include "janelas/execucao/form_executa.h"
#include "janelas/execucao/sel_executa.h"
#include "janelas/impressao/form_imprime.h"
#include "janelas/impressao/sel_imprime.h"
#include "janelas/rascunho/form_config_rascunho.h"
#include "janelas/rascunho/form_rascunho.h"
#include "janelas/som/formgravador.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "nucleo/versao.h"
#include "plataforma/dialogos.h"
#include "plataforma/fontes.h"
#include "plataforma/sensor_escolha.h"
#include "plataforma/voz_escolha.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

void criaJanelaInicial() {
    janelas.formSelInic = new TformSelInic;
    janelas.aboutBox = new TAboutBox(janelas.formSelInic);
    janelas.formQuickMsg = new TformQuickMsg(janelas.formSelInic);
}

void criaDemaisJanelas() {
    if (janelas.formProg) return;
    janelas.formProg = new TFormProg(janelas.formSelInic);
    janelas.formConfigPrancha =
        new TformConfigPrancha(*janelas.formProg->documento, janelas.formSelInic);
    janelas.formConfigItem = new TformConfigItem(*janelas.formProg->documento, janelas.formSelInic);
    janelas.formSelFigura = new TformSelFigura(janelas.formSelInic);
    janelas.formConfigExec = new TFormConfigExec(janelas.formSelInic);
    janelas.formVisualiza = new TformVisualiza(janelas.formSelInic);
    janelas.formGravador = new TFormGravador(janelas.formSelInic);
    janelas.formSelExecuta = new TFormSelExecuta(janelas.formSelInic);
    janelas.formSelImprime = new TFormSelImprime(janelas.formSelInic);
    janelas.formImprime = new TFormImprime(janelas.formSelInic);
    janelas.formDicasExec = new TformDicasExec(janelas.formSelInic);
    janelas.formExecuta = new TFormExecuta(janelas.formSelInic);
    janelas.formAutoria = new TFormAutoria(*janelas.formProg->documento, janelas.formSelInic);
    janelas.formRascunho = new TFormRascunho(janelas.formSelInic);
    janelas.formConfigRascunho = new TformConfigRascunho(janelas.formSelInic);
}

void criaJanelas() {
    criaJanelaInicial();
    criaDemaisJanelas();
}

namespace {

// Builds the other windows right after the start window has painted itself: none is needed
// before the user presses something, and the first look at the program should not wait some
// tens of milliseconds for dialogs. The build runs in the next turn of the event loop, long
// before a person can reach a button.
class DepoisDaPrimeiraPintura : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            alvo->removeEventFilter(this);
            QTimer::singleShot(0, criaDemaisJanelas);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void mostraJanelaInicial() {
    criaJanelaInicial();
    janelas.formSelInic->installEventFilter(new DepoisDaPrimeiraPintura(janelas.formSelInic));
    janelas.formSelInic->show();
}

void destroiJanelas() {
    // The start window owns the others.
    delete janelas.formSelInic;
    janelas = Janelas{};
}

void instalaAvisosDeTela() {
    instalaDialogosDeTela([](const QString& texto, int ms) {
        if (janelas.formQuickMsg) janelas.formQuickMsg->mostra(texto, ms);
    });
}

int executaZelvana(int argc, char* argv[]) {
    const int informacao = respondeOpcaoDeInformacao(argc, argv);
    if (informacao >= 0) return informacao;
    const bool soJpg = argc > 1 && QByteArray(argv[1]) == "--jpg";
    const bool soVerificar = argc > 1 && QByteArray(argv[1]) == "--verificar";
    const bool soExportarObz = argc > 1 && QByteArray(argv[1]) == "--exportar-obz";
    const bool soImportarObz = argc > 1 && QByteArray(argv[1]) == "--importar-obz";
    // Writing a board picture, checking a project and the packages need no screen at all.
    if ((soJpg || soVerificar || soExportarObz || soImportarObz) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    LeituraDeFontes fontes;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvana");
    // Lets a Wayland desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(ZELVANA_ID);
    // No display name: Qt would append it to every caption ("... — Zelvana").
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QTranslator traducaoQt;
    if (traducaoQt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traducaoQt);

    const QStringList args = QApplication::arguments().mid(1);
    if (soJpg) return exportaJpgLinhaDeComando(args.mid(1));
    if (soVerificar) return verificaLinhaDeComando(args.mid(1));
    if (soExportarObz) return exportaObzLinhaDeComando(args.mid(1));
    if (soImportarObz) return importaObzLinhaDeComando(args.mid(1));
    // Qt has taken its own options out of the list by now.
    if (opcaoDesconhecida(args.value(0))) return recusaOpcao(args.value(0));
    fontes.espera();
    instalaAvisosDeTela();
    carregaEscolhaDeVoz();
    projeto.acionaTobii = sensorDeOlhosGuardado();
    if (args.value(0) == "--executar") {
        criaJanelas();
        const int r = executaQuiosque(args.value(1), args.value(2));
        destroiJanelas();
        return r;
    }
    mostraJanelaInicial();
    if (!args.isEmpty()) {
        criaDemaisJanelas(); // the project opens in the editor at once
        janelas.formSelInic->abrePastaDaLinhaDeComando(args.constFirst());
    }
    const int r = app.exec();
    destroiJanelas();
    return r;
}
