// A TCP client on the system's own sockets, for a thread that talks to a local server with
// blocking calls (the eye tracker's link). Qt Network would do it too, but its libraries and
// theirs (Kerberos, the resolver, the proxy library) would then be loaded by every start. Every
// wait here is bounded, so a thread using it can always be told to stop.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class ConexaoTcp {
public:
    // Connected to `porta` of `host` (an address, or a name looked up first, whose addresses
    // are tried in turn), or null when every address refuses, the name is unknown, limiteMs go
    // by, or `continua` (asked every 20 ms) turns false.
    static std::unique_ptr<ConexaoTcp> conecta(const QString& host, quint16 porta, int limiteMs,
                                               const std::function<bool()>& continua = {});
    ~ConexaoTcp(); // closes at once; what was not sent yet is dropped
    ConexaoTcp(const ConexaoTcp&) = delete;
    ConexaoTcp& operator=(const ConexaoTcp&) = delete;

    // Sends the bytes, waiting up to limiteMs for room; how many went out.
    qint64 envia(const QByteArray& bytes, int limiteMs);
    // Waits up to `ms` for bytes; true when some are there or the connection has ended
    // (recebe then tells which).
    bool prontaEm(int ms);
    // Up to `max` of the bytes that have arrived; 0 when the connection has ended or failed.
    qint64 recebe(char* destino, qint64 max);

private:
    explicit ConexaoTcp(int descritor) : descritor(descritor) {}
    const int descritor;
};

// A server could listen on 127.0.0.1: false on a broken loopback or a system without sockets.
bool tcpLocalFunciona();
