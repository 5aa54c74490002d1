#include "janelas/comum/ativacao.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

OrigemDaAtivacao::OrigemDaAtivacao(QWidget* janela) : QObject(janela) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this, janela](QWindow* foco) {
        if (foco && foco != janela->windowHandle()) vemDeModal = foco->modality() != Qt::NonModal;
    });
}

bool dialogoModalPorCima(const QWidget* janela) {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != janela->window();
}
