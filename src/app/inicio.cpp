#include "app/inicio.h"

#include "app/about_box.h"
#include "app/form_quick_msg.h"
#include "app/form_sel_inic.h"
#include "app/janelas.h"
#include "model/avisos.h"
#include "sound/formgravador.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

Janelas janelas;

void criaJanelas() {
    janelas.formSelInic = new TformSelInic;
    janelas.aboutBox = new TAboutBox(janelas.formSelInic);
    janelas.formGravador = new TFormGravador(janelas.formSelInic);
    janelas.formQuickMsg = new TformQuickMsg(janelas.formSelInic);
}

void destroiJanelas() {
    // The start window owns the others.
    delete janelas.formSelInic;
    janelas = Janelas{};
}

void instalaAvisosDeTela() {
    Avisos a;
    a.erro = [](const QString& texto) {
        QMessageBox caixa(QMessageBox::Warning, "Zelvana", texto, QMessageBox::Ok,
                          QApplication::activeWindow());
        caixa.exec();
    };
    a.rapida = [](const QString& texto, int ms) {
        if (janelas.formQuickMsg) janelas.formQuickMsg->mostra(texto, ms);
    };
    a.pergunta = [](const QString& texto) {
        QMessageBox caixa(QMessageBox::Question, "Zelvana", texto,
                          QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        caixa.setDefaultButton(QMessageBox::No);
        return caixa.exec() == QMessageBox::Yes;
    };
    instalaAvisos(a);
}

int executaZelvana(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zelvana");
    QApplication::setApplicationDisplayName("Zelvana");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QTranslator traducaoQt;
    if (traducaoQt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traducaoQt);

    const QStringList args = QApplication::arguments().mid(1);
    instalaAvisosDeTela();
    criaJanelas();
    janelas.formSelInic->show();
    if (!args.isEmpty()) janelas.formSelInic->abrePastaDaLinhaDeComando(args.constFirst());
    const int r = app.exec();
    destroiJanelas();
    return r;
}
