#include "janelas/execucao/imprime_tela.h"

#include "desenho/imprime_prancha_pagina.h"
#include "desenho/saida_impressa.h"
#include "nucleo/avisos.h"

#include <QPrinter>
#include <QWidget>

QString imprimeTela(QWidget* janela) {
    if (!janela) return {};
    const QImage imagem = janela->grab().toImage();
    // No dialog in a run: the default printer, or the desktop PDF without one.
    QPrinter impressora(QPrinter::HighResolution);
    preparaImpressora(impressora, QStringLiteral("prancha"));
    QString pdf;
    const bool ok = imprimeImagemNumaPagina(impressora, imagem, pdf);
    if (pdf.isEmpty()) {
        if (!ok) avisoErro(QStringLiteral("Não foi possível imprimir a prancha"));
        return {};
    }
    if (!ok) {
        avisoErro(QStringLiteral("Não foi possível gravar o arquivo ") + pdf);
        return {};
    }
    mensagemRapida(QStringLiteral("Sem impressora: a prancha foi salva em ") + pdf, 4000);
    return pdf;
}
