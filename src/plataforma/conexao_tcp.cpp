#include "plataforma/conexao_tcp.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int passoConexaoMs = 20; // how often a connection in progress asks `continua`

// Longest wait of one poll: the step, cut to what is left of the limit.
int espera(const QDeadlineTimer& limite, int passo) {
    return int(std::clamp<qint64>(limite.remainingTime(), 0, passo));
}

enum class Tentativa { ligada, recusada, desistiu };

// Waits for a non-blocking connect to finish, in short steps.
Tentativa terminaConexao(int descritor, const QDeadlineTimer& limite,
                         const std::function<bool()>& continua) {
    for (;;) {
        pollfd p{descritor, POLLOUT, 0};
        const int r = ::poll(&p, 1, espera(limite, passoConexaoMs));
        if (r > 0) {
            int erro = 0;
            socklen_t tamanho = sizeof erro;
            if (::getsockopt(descritor, SOL_SOCKET, SO_ERROR, &erro, &tamanho) != 0) erro = errno;
            return erro == 0 ? Tentativa::ligada : Tentativa::recusada;
        }
        if (r < 0 && errno != EINTR) return Tentativa::recusada;
        if (limite.hasExpired() || (continua && !continua())) return Tentativa::desistiu;
    }
}

} // namespace

std::unique_ptr<ConexaoTcp> ConexaoTcp::conecta(const QString& host, quint16 porta, int limiteMs,
                                                const std::function<bool()>& continua) {
    const QDeadlineTimer limite(limiteMs);
    addrinfo dica{};
    dica.ai_family = AF_UNSPEC;
    dica.ai_socktype = SOCK_STREAM;
    dica.ai_flags = AI_NUMERICSERV;
    addrinfo* enderecos = nullptr;
    if (::getaddrinfo(host.toUtf8().constData(), QByteArray::number(porta).constData(), &dica,
                      &enderecos) != 0)
        return nullptr;
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> guarda(enderecos, ::freeaddrinfo);
    for (const addrinfo* e = enderecos; e; e = e->ai_next) {
        const int d =
            ::socket(e->ai_family, e->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, e->ai_protocol);
        if (d < 0) continue;
        std::unique_ptr<ConexaoTcp> c(new ConexaoTcp(d));
        Tentativa t = Tentativa::recusada;
        if (::connect(d, e->ai_addr, e->ai_addrlen) == 0)
            t = Tentativa::ligada;
        else if (errno == EINPROGRESS || errno == EINTR)
            t = terminaConexao(d, limite, continua);
        if (t == Tentativa::ligada) return c;
        if (t == Tentativa::desistiu) return nullptr;
    }
    return nullptr;
}

ConexaoTcp::~ConexaoTcp() {
    ::close(descritor);
}

qint64 ConexaoTcp::envia(const QByteArray& bytes, int limiteMs) {
    const QDeadlineTimer limite(limiteMs);
    qint64 enviados = 0;
    while (enviados < bytes.size()) {
        const ssize_t n = ::send(descritor, bytes.constData() + enviados,
                                 size_t(bytes.size() - enviados), MSG_NOSIGNAL);
        if (n > 0) {
            enviados += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || limite.hasExpired()) break;
        pollfd p{descritor, POLLOUT, 0};
        if (::poll(&p, 1, espera(limite, limiteMs)) < 0 && errno != EINTR) break;
    }
    return enviados;
}

bool ConexaoTcp::prontaEm(int ms) {
    pollfd p{descritor, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

qint64 ConexaoTcp::recebe(char* destino, qint64 max) {
    for (;;) {
        const ssize_t n = ::recv(descritor, destino, size_t(max), 0);
        if (n < 0 && errno == EINTR) continue;
        return n > 0 ? n : 0;
    }
}

bool tcpLocalFunciona() {
    const int d = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (d < 0) return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    local.sin_port = 0;
    const bool escuta = ::bind(d, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 &&
                        ::listen(d, 1) == 0;
    ::close(d);
    return escuta;
}
