#include "janelas/editor/saida_prancha.h"

#include "desenho/desenho.h"
#include "desenho/imprime_prancha_pagina.h"
#include "desenho/jpg_prancha.h"
#include "desenho/saida_impressa.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

namespace {

bool pranchaValida(int indice) {
    return indice >= 0 && indice < projeto.nPranchas();
}

QImage imagemDaPrancha(int indice, QSize tamanho) {
    const TPrancha& b = projeto.pranchas[indice];
    return desenhaPranchaImagem(b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, tamanho);
}

} // namespace

QSize tamanhoDaVisualizacao() {
    const QScreen* tela = QGuiApplication::primaryScreen();
    return tela ? tela->availableGeometry().size() : QSize(1024, 768);
}

void imprimePranchaIndice(int indice, QSize tamanho) {
    if (!pranchaValida(indice)) return;
    QPrinter impressora(QPrinter::HighResolution);
    preparaImpressora(impressora, QStringLiteral("prancha"));
    if (!configuraImpressora(impressora)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString pdf;
    const bool impresso =
        imprimeImagemNumaPagina(impressora, imagemDaPrancha(indice, tamanho), pdf);
    QApplication::restoreOverrideCursor();
    if (!impresso)
        avisoErro(pdf.isEmpty() ? QStringLiteral("Não foi possível imprimir a prancha")
                                : QStringLiteral("Não foi possível gravar o arquivo ") + pdf);
    else if (!pdf.isEmpty())
        avisoInfo(QStringLiteral("A prancha foi salva em ") + pdf);
}

void gravaPranchaJpg(int indice, QSize tamanho) {
    if (!pranchaValida(indice)) return;
    const QString nomeArquivo =
        nomeDeArquivoSeguro(projeto.pranchas[indice].nome, QStringLiteral("prancha")) + ".jpg";
    const QString caminho = areaDeTrabalhoParaGravar() + "/" + nomeArquivo;
    if (QFileInfo::exists(caminho) &&
        !perguntaSimNao(nomeArquivo + " já existe na Área de Trabalho. Substituir?"))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString erro;
    const bool gravou = gravaImagemJpg(imagemDaPrancha(indice, tamanho), caminho, erro);
    QApplication::restoreOverrideCursor();
    if (gravou)
        avisoInfo(nomeArquivo + " gravado na Área de Trabalho");
    else
        avisoErro(erro);
}
