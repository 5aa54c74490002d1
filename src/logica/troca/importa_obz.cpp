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
    // One line per thing left out, the number and the verb agreeing.
    const auto linha = [&](int n, const char* um, const char* varios) {
        if (n > 0) t += u'\n' + contagem(n, um, varios);
    };
    linha(figurasPorEndereco,
          "figura não veio: só tem um endereço na internet ou um conjunto de símbolos, que o "
          "programa não busca (fica só o rótulo).",
          "figuras não vieram: só têm um endereço na internet ou um conjunto de símbolos, que o "
          "programa não busca (fica só o rótulo).");
    linha(figurasAusentes, "figura não veio: está citada nas pranchas, mas não no pacote.",
          "figuras não vieram: estão citadas nas pranchas, mas não no pacote.");
    linha(figurasSvgRuins, "figura SVG não veio: o desenho não pôde ser lido.",
          "figuras SVG não vieram: os desenhos não puderam ser lidos.");
    linha(sonsNaoTrazidos, "som não veio: só tem um endereço na internet ou não está no pacote.",
          "sons não vieram: só têm um endereço na internet ou não estão no pacote.");
    linha(diferencas.linksRemovidos, "link para prancha fora do pacote foi removido.",
          "links para pranchas fora do pacote foram removidos.");
    linha(diferencas.coresNaoLidas,
          "item ficou sem cor: a cor que o pacote dá está escrita de um jeito que o programa não "
          "entende.",
          "itens ficaram sem cor: as cores que o pacote dá estão escritas de um jeito que o "
          "programa não entende.");
    int comAcao = 0;
    QStringList tipos;
    for (auto a = diferencas.acoes.begin(); a != diferencas.acoes.end(); ++a) {
        comAcao += a.value();
        tipos << a.key() + QStringLiteral(": ") + QString::number(a.value());
    }
    linha(comAcao, "item com ação que este programa não faz ficou como item comum",
          "itens com ações que este programa não faz ficaram como itens comuns");
    if (comAcao > 0) t += QStringLiteral(" — %1.").arg(tipos.join(QStringLiteral("; ")));
    linha(itensQueExecutam, "item executa um programa: confira antes de usar o projeto.",
          "itens executam um programa: confira antes de usar o projeto.");
    if (caracteresTrocados > 0)
        t += QStringLiteral("\nAlguns caracteres que o arquivo de pranchas não comporta (como "
                            "emojis) foram gravados como \"?\".");
    return t;
}

ResultadoImportacao importaPacoteObz(const QString& arquivo, const QString& pasta) {
    ResultadoImportacao r;
    const QFileInfo destino(QDir::cleanPath(QFileInfo(pasta).absoluteFilePath()));
    if (destino.exists() && !destino.isDir()) {
        r.erro = QStringLiteral("%1 é um arquivo, não uma pasta: escolha uma pasta nova para o "
                                "projeto importado.")
                     .arg(pasta);
        return r;
    }
    if (destino.exists() &&
        !QDir(destino.filePath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
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
    // The project's folder is made inside the hidden one by a plain mkdir, so it gets the usual
    // permissions (the hidden folder is private to this user until it is removed).
    const QDir projetoNovo(temporaria.filePath(QStringLiteral("projeto")));
    if (!QDir().mkdir(projetoNovo.path())) {
        r.erro = QStringLiteral("Não foi possível gravar em %1.").arg(pai);
        return r;
    }
    QList<QPair<QString, QByteArray>> arquivos;
    arquivos.reserve(lido.arquivos.size() + 1);
    for (const auto& [nome, bytes] : std::as_const(lido.arquivos))
        arquivos.append({projetoNovo.filePath(nome), bytes});
    arquivos.append({projetoNovo.filePath(QStringLiteral("pranchas.pra")), escritas.bytes});
    const QStringList falhas = gravaArquivosSeguros(arquivos);
    if (!falhas.isEmpty()) {
        r.erro = QStringLiteral("O projeto importado não pôde ser gravado em %1 (o disco está "
                                "cheio ou não aceita gravação?). Nada foi criado.")
                     .arg(pai);
        return r;
    }
    if (destino.exists()) QDir().rmdir(destino.filePath());
    if (!QDir().rename(projetoNovo.path(), destino.filePath())) {
        r.erro = QStringLiteral("A pasta %1 não pôde ser criada. Nada foi importado.").arg(pasta);
        return r;
    }
    sincronizaPasta(pai);
    static_cast<ContasDoPacote&>(r) = lido;
    r.ok = true;
    r.pranchas = lido.projeto.nPranchas();
    r.caracteresTrocados = escritas.trocados;
    return r;
}
