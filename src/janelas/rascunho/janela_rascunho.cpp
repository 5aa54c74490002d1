#include "janelas/rascunho/janela_rascunho.h"

#include "desenho/desenho.h"
#include "plataforma/cores.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void preparaJanelaDoRascunho(QDialog* janela, const char* nome, const QString& titulo,
                             QSize tamanho) {
    janela->setObjectName(QLatin1String(nome));
    janela->setWindowTitle(titulo);
    janela->resize(tamanho);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        janela->move(tela->availableGeometry().center() - janela->rect().center());
    pintaFundo(janela, corDeTColor(0xCCCCFF));
}
