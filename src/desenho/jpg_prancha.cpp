#include "desenho/jpg_prancha.h"

#include "desenho/desenho.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <cstdio>

bool gravaImagemJpg(const QImage& imagem, const QString& caminho, QString& erro) {
    ArquivoSeguro arquivo(caminho);
    if (!arquivo.abre()) {
        erro = "Não foi possível gravar o arquivo " + caminho;
        return false;
    }
    QImageWriter escritor(arquivo.dispositivo(), "jpeg");
    escritor.setQuality(90);
    escritor.setProgressiveScanWrite(false);
    escritor.setOptimizedWrite(false);
    if (!escritor.write(imagem.convertToFormat(QImage::Format_RGB888)) || !arquivo.confirma()) {
        erro = "Não foi possível gravar o arquivo " + caminho;
        return false;
    }
    return true;
}

namespace {
void escreveErro(const QString& texto) {
    std::fputs((texto + "\n").toUtf8().constData(), stderr);
}
} // namespace

int exportaJpgLinhaDeComando(const QStringList& args) {
    if (args.size() < 3 || args.size() > 4) {
        escreveErro("Uso: zelvana --jpg PASTA PRANCHA ARQUIVO.jpg [LARGURAxALTURA]");
        return 2;
    }
    QSize tamanho(1024, 768);
    if (args.size() == 4) {
        const auto m = QRegularExpression("^(\\d{1,5})[xX](\\d{1,5})$").match(args[3]);
        const int l = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int a = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (l < 16 || a < 16 || l > 10000 || a > 10000) {
            escreveErro("Tamanho inválido: " + args[3] +
                        " (use LARGURAxALTURA, por exemplo 1024x768)");
            return 2;
        }
        tamanho = QSize(l, a);
    }
    const QString pasta = args[0];
    if (!QFileInfo::exists(pasta + "/pranchas.pra")) {
        escreveErro("Arquivo de pranchas não encontrado em " + pasta);
        return 1;
    }
    // The board file's notices go to stderr, never to a box.
    const Avisos anteriores = instalaAvisos(
        Avisos{[](const QString& t) { escreveErro(t); }, [](const QString&, int) {},
               [](const QString&) { return false; }, [](const QString& t) { escreveErro(t); }});
    // Pictures are named bare, relative to the project folder; the picture to write is named
    // relative to where the command was given.
    const QString saida = QFileInfo(args[2]).absoluteFilePath();
    const QString anterior = QDir::currentPath();
    definePastaProjeto(pasta);
    carregaPranchas(pastaProjeto);
    int status = 0;
    const int indice = indiceDaPrancha(projeto, args[1]);
    if (indice < 0) {
        escreveErro("Prancha não encontrada: " + args[1]);
        status = 1;
    } else {
        const TPrancha& b = projeto.pranchas[indice];
        const QImage imagem =
            desenhaPranchaImagem(b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, tamanho);
        QString erro;
        if (!gravaImagemJpg(imagem, saida, erro)) {
            escreveErro(erro);
            status = 1;
        }
    }
    QDir::setCurrent(anterior);
    instalaAvisos(anteriores);
    return status;
}
