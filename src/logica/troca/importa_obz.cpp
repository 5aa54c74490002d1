#include "logica/troca/importa_obz.h"

#include "logica/troca/contagem.h"
#include "logica/troca/le_pacote.h"
#include "logica/troca/pacote_zip.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/pranchas_formato.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString ResultadoImportacao::resumo() const {
    if (!ok) return erro;
    QString t = QStringLiteral("Importação concluída: %1, %2 e %3.")
                    .arg(contagem(pranchas, "prancha", "pranchas"),
                         contagem(figuras, "figura", "figuras"), contagem(sons, "som", "sons"));
    if (figurasNaoTrazidas > 0)
        t += QStringLiteral("\n%1 não veio no pacote (endereço na internet, símbolo ou desenho "
                            "que o programa não mostra): os itens ficaram só com o rótulo.")
                 .arg(contagem(figurasNaoTrazidas, "figura", "figuras"));
    if (sonsNaoTrazidos > 0)
        t += QStringLiteral("\n%1 não veio no pacote: os itens ficaram sem ele.")
                 .arg(contagem(sonsNaoTrazidos, "som", "sons"));
    if (itensQueExecutam > 0)
        t += QStringLiteral("\n%1 executa um programa: confira antes de usar o projeto.")
                 .arg(contagem(itensQueExecutam, "item", "itens"));
    if (caracteresTrocados > 0)
        t += QStringLiteral("\nAlguns caracteres que o arquivo de pranchas não comporta (como "
                            "emojis) foram gravados como \"?\".");
    return t;
}

ResultadoImportacao importaPacoteObz(const QString& arquivo, const QString& pasta) {
    ResultadoImportacao r;
    const QFileInfo destino(QDir::cleanPath(QFileInfo(pasta).absoluteFilePath()));
    if (destino.exists() &&
        (!destino.isDir() ||
         !QDir(destino.filePath())
              .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))) {
        r.erro = QStringLiteral("A pasta %1 já existe e não está vazia: escolha uma pasta nova "
                                "para o projeto importado.")
                     .arg(pasta);
        return r;
    }
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        r.erro = QStringLiteral("O arquivo %1 não pôde ser lido.").arg(arquivo);
        return r;
    }
    if (f.size() > maxTamanhoTotalZip) {
        r.erro =
            QStringLiteral("O arquivo %1 é grande demais para um pacote de pranchas.").arg(arquivo);
        return r;
    }
    ProjetoDoPacote lido = lePacote(f.readAll(), QDateTime::currentDateTime());
    f.close();
    if (!lido.erro.isEmpty()) {
        r.erro = lido.erro;
        return r;
    }
    const PranchasEscritas escritas = textoPranchas(lido.projeto);

    const QString pai = destino.absolutePath();
    if (!QDir().mkpath(pai)) {
        r.erro = QStringLiteral("A pasta %1 não pôde ser criada.").arg(pai);
        return r;
    }
    QTemporaryDir temporaria(pai + QStringLiteral("/.") + destino.fileName() +
                             QStringLiteral(".importando-XXXXXX"));
    if (!temporaria.isValid()) {
        r.erro = QStringLiteral("Não foi possível gravar em %1.").arg(pai);
        return r;
    }
    QList<QPair<QString, QByteArray>> arquivos;
    arquivos.reserve(lido.arquivos.size() + 1);
    for (const auto& [nome, bytes] : std::as_const(lido.arquivos))
        arquivos.append({temporaria.filePath(nome), bytes});
    arquivos.append({temporaria.filePath(QStringLiteral("pranchas.pra")), escritas.bytes});
    const QStringList falhas = gravaArquivosSeguros(arquivos);
    if (!falhas.isEmpty()) {
        r.erro = QStringLiteral("O projeto importado não pôde ser gravado em %1 (o disco está "
                                "cheio ou não aceita gravação?). Nada foi criado.")
                     .arg(pai);
        return r;
    }
    if (destino.exists()) QDir().rmdir(destino.filePath());
    if (!QDir().rename(temporaria.path(), destino.filePath())) {
        r.erro = QStringLiteral("A pasta %1 não pôde ser criada. Nada foi importado.").arg(pasta);
        return r;
    }
    temporaria.setAutoRemove(false);
    sincronizaPasta(pai);
    r.ok = true;
    r.pranchas = lido.projeto.nPranchas;
    r.figuras = lido.figuras;
    r.sons = lido.sons;
    r.figurasNaoTrazidas = lido.figurasNaoTrazidas;
    r.sonsNaoTrazidos = lido.sonsNaoTrazidos;
    r.itensQueExecutam = lido.itensQueExecutam;
    r.caracteresTrocados = escritas.trocados;
    return r;
}
