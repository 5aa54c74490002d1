#include "nucleo/arquivo_seguro.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Counts what the writer on top hands over and remembers any write the file refused, so a
// writer that ignores a failed write (an image or PDF writer) cannot make a short file pass.
class ArquivoSeguro::Dispositivo : public QIODevice {
public:
    explicit Dispositivo(QFile& f) : arquivo(f) {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return false; }
    bool seek(qint64 pos) override {
        if (!arquivo.seek(pos)) {
            falhou = true;
            return false;
        }
        return QIODevice::seek(pos);
    }
    qint64 size() const override { return tamanho; }
    qint64 tamanho = 0;
    bool falhou = false;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 n) override {
        const qint64 escritos = arquivo.write(dados, n);
        if (escritos != n) {
            falhou = true;
            return -1;
        }
        tamanho = std::max(tamanho, arquivo.pos());
        return n;
    }

private:
    QFile& arquivo;
};

namespace {

// Brings a folder's entries to disk, or, with todoOSistema, everything written to the file
// system that holds it. Some file systems refuse a folder sync: the rename itself is done.
bool sincroniza(const QString& pasta, bool todoOSistema) {
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    bool ok = true;
    if (!todoOSistema)
        ::fsync(fd);
    else
#ifdef __linux__
        ok = ::syncfs(fd) == 0;
#else
        ::sync();
#endif
    ::close(fd);
    return ok;
}

// Block by block into one buffer: reading a large file back whole would hold it twice in
// memory and fault in as many fresh pages as it has bytes.
bool lidoIgual(const QString& caminho, const QByteArray& bytes) {
    QFile lido(caminho);
    if (!lido.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || lido.size() != bytes.size())
        return false;
    constexpr qint64 bloco = 1 << 20;
    QByteArray espaco(int(qMin<qint64>(bloco, qMax<qint64>(bytes.size(), 1))), Qt::Uninitialized);
    for (qint64 feito = 0; feito < bytes.size();) {
        const qint64 n =
            lido.read(espaco.data(), qMin<qint64>(espaco.size(), bytes.size() - feito));
        if (n <= 0 || std::memcmp(espaco.constData(), bytes.constData() + feito, size_t(n)) != 0)
            return false;
        feito += n;
    }
    char mais;
    return lido.read(&mais, 1) == 0; // nothing after the bytes meant
}

} // namespace

void sincronizaPasta(const QString& pasta) {
    sincroniza(pasta, false);
}

ArquivoSeguro::ArquivoSeguro(const QString& destino) : destino_(destino) {}

ArquivoSeguro::~ArquivoSeguro() {
    descarta();
}

bool ArquivoSeguro::abre() {
    descarta();
    const QFileInfo info(destino_);
    auto tmp = std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.") +
                                                info.fileName() + QStringLiteral(".XXXXXX"));
    if (!tmp->open()) return false;
    tmp->setAutoRemove(false); // removed by descarta() unless confirmed
    temporario = tmp->fileName();
    arquivo = std::move(tmp);
    dispositivo_ = std::make_unique<Dispositivo>(*arquivo);
    confirmado = false;
    return true;
}

QIODevice* ArquivoSeguro::dispositivo() {
    return dispositivo_.get();
}

bool ArquivoSeguro::confirma() {
    return fecha(true) && coloca(true);
}

bool ArquivoSeguro::fecha(bool sincronizaArquivo) {
    if (!arquivo || !dispositivo_ || confirmado) return false;
    bool ok = !dispositivo_->falhou && arquivo->flush() && arquivo->error() == QFile::NoError;
    const int fd = arquivo->handle();
    struct stat st {};
    ok = ok && (!sincronizaArquivo || ::fsync(fd) == 0) && ::fstat(fd, &st) == 0 &&
         st.st_size == dispositivo_->tamanho;
    if (ok) {
        // Keep what the old file allowed; a new file is readable by all, as any other would be.
        const QFileInfo antigo(destino_);
        const auto permissoes = antigo.exists()
                                    ? antigo.permissions()
                                    : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                       QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        arquivo->setPermissions(permissoes);
    }
    arquivo->close();
    dispositivo_.reset();
    if (!ok) descarta();
    return ok;
}

bool ArquivoSeguro::coloca(bool sincronizaPasta) {
    if (!arquivo || dispositivo_ || confirmado) return false;
    if (::rename(QFile::encodeName(temporario).constData(),
                 QFile::encodeName(destino_).constData()) != 0) {
        descarta();
        return false;
    }
    if (sincronizaPasta) sincroniza(QFileInfo(destino_).absolutePath(), false);
    confirmado = true;
    arquivo.reset();
    return true;
}

void ArquivoSeguro::descarta() {
    dispositivo_.reset();
    if (arquivo) {
        arquivo->close();
        arquivo.reset();
        if (!confirmado) QFile::remove(temporario);
    }
}

bool gravaArquivoSeguro(const QString& caminho, const QByteArray& bytes) {
    ArquivoSeguro arquivo(caminho);
    return arquivo.abre() && arquivo.dispositivo()->write(bytes) == bytes.size() &&
           arquivo.confirma() && lidoIgual(caminho, bytes);
}

QStringList gravaArquivosSeguros(const QList<QPair<QString, QByteArray>>& arquivos) {
    QStringList falhas;
    std::vector<std::pair<std::unique_ptr<ArquivoSeguro>, const QByteArray*>> escritos;
    QStringList pastas;
    for (const auto& [caminho, bytes] : arquivos) {
        auto a = std::make_unique<ArquivoSeguro>(caminho);
        if (a->abre() && a->dispositivo()->write(bytes) == bytes.size() && a->fecha(false)) {
            const QString pasta = QFileInfo(caminho).absolutePath();
            if (!pastas.contains(pasta)) pastas << pasta;
            escritos.emplace_back(std::move(a), &bytes);
        } else {
            falhas << caminho;
        }
    }
    // The hidden files lie beside their destinations: one flush per folder's file system
    // brings them all to disk before any of them takes its place.
    QStringList naoSincronizadas;
    for (const QString& pasta : pastas)
        if (!sincroniza(pasta, true)) naoSincronizadas << pasta;
    std::vector<std::pair<QString, const QByteArray*>> colocados;
    for (auto& [a, bytes] : escritos) {
        const QString destino = a->destino();
        if (!naoSincronizadas.contains(QFileInfo(destino).absolutePath()) && a->coloca(false))
            colocados.emplace_back(destino, bytes);
        else
            falhas << destino;
        a.reset(); // an unconfirmed file removes its hidden file
    }
    for (const QString& pasta : pastas)
        sincroniza(pasta, false);
    for (const auto& [destino, bytes] : colocados)
        if (!lidoIgual(destino, *bytes)) falhas << destino;
    return falhas;
}

bool copiaArquivoSeguro(const QString& origem, const QString& destino) {
    QFile fonte(origem);
    if (!fonte.open(QIODevice::ReadOnly)) return false;
    ArquivoSeguro arquivo(destino);
    if (!arquivo.abre()) return false;
    QByteArray bloco;
    while (!fonte.atEnd()) {
        bloco = fonte.read(1 << 16);
        if (bloco.isEmpty() || arquivo.dispositivo()->write(bloco) != bloco.size()) return false;
    }
    return fonte.error() == QFileDevice::NoError && arquivo.confirma();
}
