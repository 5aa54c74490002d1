#include "support/montagens.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
QByteArray caminho(const QString& p) {
    return QFile::encodeName(p);
}
} // namespace

Montagem::~Montagem() {
    if (montada) ::umount2(caminho(dir.path()).constData(), MNT_DETACH);
}

bool Montagem::montaTmpfs(int kib) {
    const QByteArray opcoes = "size=" + QByteArray::number(kib) + "k";
    if (::mount("tmpfs", caminho(dir.path()).constData(), "tmpfs", 0, opcoes.constData()) != 0) {
        motivo = QStringLiteral("tmpfs não montado (é preciso ser root): ") +
                 QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    montada = true;
    return true;
}

bool Montagem::montaSomenteLeitura(const QString& origem) {
    const QByteArray alvo = caminho(dir.path());
    if (::mount(caminho(origem).constData(), alvo.constData(), nullptr, MS_BIND, nullptr) != 0) {
        motivo = QStringLiteral("montagem não permitida (é preciso ser root): ") +
                 QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    montada = true;
    if (::mount(nullptr, alvo.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) !=
        0) {
        motivo = QStringLiteral("remontagem somente leitura recusada: ") +
                 QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool Montagem::montaLigacao(const QString& origem) {
    if (::mount(caminho(origem).constData(), caminho(dir.path()).constData(), nullptr, MS_BIND,
                nullptr) != 0) {
        motivo = QStringLiteral("montagem não permitida (é preciso ser root): ") +
                 QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    montada = true;
    return true;
}

bool Montagem::arranca() {
    const QByteArray alvo = caminho(dir.path());
    if (!montada || ::umount2(alvo.constData(), MNT_DETACH) != 0) return false;
    montada = false;
    return ::rmdir(alvo.constData()) == 0;
}

bool Montagem::enche() {
    const QByteArray nome = caminho(dir.path() + QStringLiteral("/enchimento"));
    const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return false;
    const QByteArray bloco(4096, 'x');
    while (::write(fd, bloco.constData(), size_t(bloco.size())) > 0) {
    }
    while (::write(fd, "x", 1) > 0) {
    }
    const bool cheio = errno == ENOSPC;
    ::close(fd);
    return cheio;
}
