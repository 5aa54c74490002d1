#include "logica/acoplamento/copia_pasta.h"

#include "nucleo/arquivo_seguro.h"
#include "nucleo/avisos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The folder as the system names it once entered: two paths to one folder give one text.
QString pastaReal(const QString& pasta) {
    const QFileInfo fi(pasta);
    if (!fi.isDir() || !fi.isExecutable()) return {};
    return fi.canonicalFilePath();
}

} // namespace

QStringList arquivosDaPastaDoProjeto(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QString recusaCopia(const QString& origem, const QString& destino) {
    const QString de = pastaReal(origem);
    const QString para = pastaReal(destino);
    if (de == para) return QStringLiteral("Os arquivos não podem ser copiados sobre si mesmos");
    if (de.isEmpty()) return QStringLiteral("Não foi possível abrir a pasta ") + origem;
    if (para.isEmpty()) return QStringLiteral("Não foi possível abrir a pasta ") + destino;
    return {};
}

ResultadoCopia copiaArquivos(const QString& origem, const QString& destino,
                             const QStringList& nomes, const QHash<QString, QString>& comoSeChama) {
    ResultadoCopia r;
    const QDir de(origem);
    const QDir para(destino);
    for (const QString& nome : nomes) {
        if (copiaArquivoSeguro(de.filePath(nome), para.filePath(comoSeChama.value(nome, nome)))) {
            r.copiados << nome;
            continue;
        }
        r.naoCopiados << nome;
        if (!perguntaSimNao(QStringLiteral("Erro ao escrever o arquivo ") + nome +
                            QStringLiteral(". Continua?"))) {
            r.interrompida = true;
            break;
        }
    }
    return r;
}

ResultadoCopia copiaPasta(const QString& origem, const QString& destino) {
    ResultadoCopia r;
    r.recusa = recusaCopia(origem, destino);
    if (!r.recusa.isEmpty()) return r;
    return copiaArquivos(origem, destino, arquivosDaPastaDoProjeto(origem));
}

bool mesmosBytes(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
    if (fa.size() != fb.size()) return false;
    constexpr qint64 bloco = 1 << 16;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(bloco);
        if (x.isEmpty() || x != fb.read(bloco)) return false;
    }
    return true;
}

QString textoFimDaCopia(const ResultadoCopia& r) {
    const QString fim = QStringLiteral("Fim da cópia");
    if (r.naoCopiados.isEmpty() && !r.interrompida) return fim;
    QString t = fim + QStringLiteral(".\nArquivos não copiados: ") +
                r.naoCopiados.join(QStringLiteral(", "));
    if (r.interrompida) t += QStringLiteral("\nA cópia foi interrompida antes do fim.");
    return t;
}
