#include "nucleo/pranchas_arquivo.h"

#include "nucleo/arquivo_seguro.h"
#include "nucleo/avisos.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString arquivoPranchas = QStringLiteral("pranchas.pra");
const QString arquivoBackup = QStringLiteral("pranchas.bak");

} // namespace

void definePastaProjeto(const QString& pasta) {
    pastaProjeto = QDir::cleanPath(QFileInfo(pasta).absoluteFilePath());
    QDir::setCurrent(pastaProjeto);
}

void carregaPranchas(const QString& pasta) {
    limpaPranchas(projeto);
    const QString caminho = pasta + u'/' + arquivoPranchas;
    QFile f(caminho);
    if (!QFileInfo(caminho).isFile() || !f.open(QIODevice::ReadOnly)) {
        avisoErro(QStringLiteral("Arquivo de pranchas não foi achado"));
        return;
    }
    PranchasLidas lidas = lePranchas(f.readAll(), QDateTime::currentDateTime());
    if (lidas.semSecoes)
        avisoErro(QStringLiteral("O arquivo ") + caminho +
                  QStringLiteral(" não é um arquivo de pranchas: nenhuma prancha foi encontrada "
                                 "nele."));
    // A file without [CONFIG] leaves the settings as they were; the eye tracker's switch is
    // never in the file.
    if (!lidas.comConfig) copiaAjustes(projeto, lidas.projeto);
    lidas.projeto.acionaTobii = projeto.acionaTobii;
    projeto = std::move(lidas.projeto);
    if (!lidas.consertadas.isEmpty())
        avisoErro(QStringLiteral("Algumas pranchas tinham o modelo ou uma cor ilegível e foram "
                                 "corrigidas com valores padrão: ") +
                  lidas.consertadas.join(QStringLiteral(", ")));
}

bool gravaPranchas(const QString& pasta, const QString& nomeArquivo) {
    const PranchasEscritas escritas = textoPranchas(projeto);
    if (!gravaArquivoSeguro(pasta + u'/' + nomeArquivo, escritas.bytes)) {
        avisoErro(QStringLiteral("Arquivo de pranchas não pode ser gravado"));
        return false;
    }
    mensagemRapida(QStringLiteral("Pranchas gravadas"), 1000);
    if (escritas.trocados > 0)
        avisoErro(QStringLiteral("Alguns caracteres que o arquivo de pranchas não comporta "
                                 "(como emojis) foram gravados como \"?\"."));
    return true;
}

bool garanteBackupDasPranchas(const QString& pasta) {
    const QDir dir(pasta);
    const QString atual = dir.filePath(arquivoPranchas);
    const QString backup = dir.filePath(arquivoBackup);
    // The backup keeps the first file this program replaced; once there, it is never replaced.
    if (!QFileInfo(atual).isFile() || QFileInfo::exists(backup)) return true;
    QFile f(atual);
    return f.open(QIODevice::ReadOnly) && gravaArquivoSeguro(backup, f.readAll());
}

bool salvarProjeto() {
    // Without the backup in place the new file must not replace the old one either.
    if (!garanteBackupDasPranchas(pastaProjeto)) {
        avisoErro(QStringLiteral("Arquivo de pranchas não pode ser gravado"));
        return false;
    }
    return gravaPranchas(pastaProjeto, arquivoPranchas);
}

void listaArquivos(QStringList& lista, const QString& extensao) {
    const QString fim = u'.' + extensao;
    const QStringList nomes =
        QDir(pastaProjeto).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& n : nomes)
        if (n.endsWith(fim, Qt::CaseInsensitive)) lista.append(n);
}
