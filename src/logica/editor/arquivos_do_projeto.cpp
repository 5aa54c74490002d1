#include "logica/editor/arquivos_do_projeto.h"

#include "logica/editor/biblioteca_figuras.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString pastaLimpa(const QString& pasta) {
    return QDir::cleanPath(QFileInfo(pasta).absoluteFilePath());
}

// A name that stays inside the folder it is joined to.
bool nomeSimples(const QString& nome) {
    return !nome.isEmpty() && !nome.contains(u'/') && nome != u"." && nome != u"..";
}

} // namespace

QStringList arquivosDoProjeto(std::initializer_list<const char*> extensoes) {
    QStringList nomes;
    for (const char* e : extensoes)
        listaArquivos(nomes, QString::fromLatin1(e));
    nomes.sort(Qt::CaseInsensitive);
    return nomes;
}

std::optional<QString> importaParaProjeto(const QString& escolhido) {
    const QFileInfo origem(escolhido);
    const QString nome = origem.fileName();
    if (!nomeSimples(nome) || !origem.isFile()) return std::nullopt;
    if (pastaLimpa(origem.absolutePath()) == pastaLimpa(pastaProjeto)) return nome;
    if (!copiaArquivoSeguro(origem.absoluteFilePath(), pastaProjeto + u'/' + nome))
        return std::nullopt;
    return nome;
}

QString nomeParaExecutar(const QString& escolhido) {
    const QFileInfo f(escolhido);
    if (pastaLimpa(f.absolutePath()) == pastaLimpa(pastaProjeto)) return f.fileName();
    return f.absoluteFilePath();
}

QString arquivoDaBiblioteca(const QString& nome) {
    const QDir pasta(bibliotecaFiguras());
    const QString comum = pasta.filePath(nome + QStringLiteral(".jpg"));
    if (QFileInfo(comum).isFile()) return comum;
    // The listing took any letter case of the extension.
    const QStringList entradas = pasta.entryList({nome + QStringLiteral(".*")}, QDir::Files);
    for (const QString& e : entradas)
        if (e.size() == nome.size() + 4 && e.right(4).toUpper() == QLatin1String(".JPG"))
            return pasta.filePath(e);
    return comum;
}

bool copiaDaBiblioteca(const QString& nome, const QString& novoNome) {
    if (!nomeSimples(novoNome)) return false;
    return copiaArquivoSeguro(arquivoDaBiblioteca(nome), pastaProjeto + u'/' + novoNome);
}

QStringList copiaFigurasDaBiblioteca(const QStringList& arquivos, const QString& pasta) {
    QStringList falhas;
    QList<QPair<QString, QByteArray>> copias;
    for (const QString& nome : arquivos) {
        const QString destino = pasta + u'/' + nome;
        if (!nomeSimples(nome) || !nome.endsWith(QLatin1String(".jpg"))) {
            falhas << nome;
            continue;
        }
        if (QFileInfo::exists(destino)) continue;
        QFile origem(arquivoDaBiblioteca(nome.chopped(4)));
        QByteArray bytes;
        if (origem.open(QIODevice::ReadOnly)) bytes = origem.readAll();
        if (origem.isOpen() && origem.error() == QFile::NoError)
            copias.append({destino, bytes});
        else
            falhas << nome;
    }
    // Together: a transcription may bring hundreds of pictures at once.
    for (const QString& destino : gravaArquivosSeguros(copias))
        falhas << QFileInfo(destino).fileName();
    return falhas;
}
