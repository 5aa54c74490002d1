// What the tests of the editor and the full preview share: the editor opened as the start window
// leaves it, its buttons, menu entries and list rows pressed for real, and a base for the test
// class that, while it lives, makes a copy of tests/data the project folder and HOME (where a
// JPEG's desktop lies) and records what is said and played instead of sounding it.
// Header-only: it needs the window layer, which the support library does not link.
#pragma once

#include "janelas/editor/form_prog.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class ProjetoDoEditor {
public:
    ProjetoDoEditor()
        : motores(usaMotoresSaida(MotoresSaida{
              [this](const QString& t) { tocados << "fala:" + t; }, [] { return false; }, [] {},
              [this](const QString& c) { tocados << "som:" + QFileInfo(c).fileName(); }, [] {},
              [] { return false; }})) {
        pastaProjeto = copiaDadosDeTeste(dir);
        qputenv("HOME", dir.path().toUtf8());
    }
    ~ProjetoDoEditor() { usaMotoresSaida(motores); }
    ProjetoDoEditor(const ProjetoDoEditor&) = delete;
    ProjetoDoEditor& operator=(const ProjetoDoEditor&) = delete;

protected:
    QTemporaryDir dir;
    QStringList tocados; // "fala:" and the text said, "som:" and the file played

private:
    MotoresSaida motores;
};

// The editor shown and active, as the start window leaves it; presses need a window on screen.
inline bool abre(TFormProg& f) {
    f.show();
    f.activateWindow();
    return QTest::qWaitForWindowActive(&f);
}

inline void clica(QWidget* botao) {
    QVERIFY2(botao && botao->isEnabled(), botao ? qPrintable(botao->objectName()) : "?");
    QTest::mouseClick(botao, Qt::LeftButton);
}

inline QToolButton* rapido(TFormProg& f, const char* nome) {
    return f.findChild<QToolButton*>(nome);
}

// Triggers the menu entry with this caption (mnemonic marks ignored); false when there is none.
inline bool aciona(TFormProg& f, const QString& texto) {
    for (QAction* a : f.menuBar()->findChildren<QAction*>())
        if (a->text().remove('&') == texto && a->isEnabled()) {
            a->trigger();
            return true;
        }
    return false;
}

// Clicks row `linha` of a list as the author would, on the entry itself.
inline void clicaLinha(QListWidget* l, int linha, bool duplo = false) {
    const QPoint ponto = l->visualItemRect(l->item(linha)).center();
    if (duplo)
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, ponto);
    else
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, ponto);
}

inline QStringList textos(const QListWidget* l) {
    QStringList r;
    for (int k = 0; k < l->count(); ++k)
        r << l->item(k)->text();
    return r;
}
