#include "model/arquivo_seguro.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (!arquivo || confirmado) return false;
    bool ok = !dispositivo_->falhou && arquivo->flush() && arquivo->error() == QFile::NoError;
    const int fd = arquivo->handle();
    struct stat st {};
    ok = ok && ::fsync(fd) == 0 && ::fstat(fd, &st) == 0 && st.st_size == dispositivo_->tamanho;
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
    ok = ok && ::rename(QFile::encodeName(temporario).constData(),
                        QFile::encodeName(destino_).constData()) == 0;
    if (!ok) {
        descarta();
        return false;
    }
    const int pasta =
        ::open(QFile::encodeName(QFileInfo(destino_).absolutePath()).constData(), O_RDONLY);
    if (pasta >= 0) {
        ::fsync(pasta); // some file systems refuse a folder sync; the rename itself is done
        ::close(pasta);
    }
    confirmado = true;
    dispositivo_.reset();
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
    if (!arquivo.abre() || arquivo.dispositivo()->write(bytes) != bytes.size() ||
        !arquivo.confirma())
        return false;
    QFile lido(caminho);
    return lido.open(QIODevice::ReadOnly) && lido.readAll() == bytes;
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
