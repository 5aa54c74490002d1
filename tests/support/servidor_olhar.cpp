#include "support/servidor_olhar.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

ServidorOlhar::ServidorOlhar(QObject* pai) : QObject(pai), servidor(new QTcpServer(this)) {
    relogio.start();
    connect(servidor, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = servidor->nextPendingConnection()) {
            if (cliente) cliente->abort();
            cliente = s;
            ++conexoes;
            pendente.clear();
            proxima = 0;
            repeticoes = 0;
            connect(s, &QTcpSocket::readyRead, this, &ServidorOlhar::chegou);
            connect(s, &QTcpSocket::disconnected, this, [this, s] {
                if (s == cliente) {
                    desconexaoEm = relogio.elapsed();
                    emit desconectou();
                }
                s->deleteLater();
            });
        }
    });
}

ServidorOlhar::~ServidorOlhar() {
    fecha();
}

bool ServidorOlhar::escuta(quint16 porta) {
    return servidor->listen(QHostAddress::LocalHost, porta);
}

quint16 ServidorOlhar::porta() const {
    return servidor->serverPort();
}

void ServidorOlhar::fecha() {
    servidor->close();
    if (cliente) cliente->abort();
}

bool ServidorOlhar::conectado() const {
    return cliente && cliente->state() == QAbstractSocket::ConnectedState;
}

void ServidorOlhar::envia(const QByteArray& linha) {
    if (!conectado()) return;
    cliente->write(linha + "\r\n");
    cliente->flush();
}

void ServidorOlhar::tocaAoLigar(const QStringList& r) {
    roteiro = r;
}

void ServidorOlhar::chegou() {
    if (!cliente) return;
    pendente += cliente->readAll();
    for (qsizetype fim; (fim = pendente.indexOf('\n')) >= 0;) {
        QByteArray linha = pendente.left(fim);
        pendente.remove(0, fim + 1);
        if (linha.endsWith('\r')) linha.chop(1);
        recebidas << linha;
        if (linha == "H+" && !roteiro.isEmpty())
            QTimer::singleShot(0, this, [this] {
                proxima = 0;
                tocaProxima();
            });
    }
}

void ServidorOlhar::tocaProxima() {
    while (conectado() && proxima < roteiro.size()) {
        const QString linha = roteiro[proxima];
        const QStringList partes = linha.split(' ');
        if (linha.startsWith(QLatin1String("%espera ")) && partes.size() >= 2) {
            ++proxima;
            QTimer::singleShot(partes[1].toInt(), this, &ServidorOlhar::tocaProxima);
            return;
        }
        if (linha.startsWith(QLatin1String("%repete ")) && partes.size() >= 4) {
            const int vezes = partes[1].toInt();
            if (repeticoes >= vezes) {
                repeticoes = 0;
                ++proxima;
                continue;
            }
            ++repeticoes;
            envia(linha.section(' ', 3).toLatin1());
            QTimer::singleShot(partes[2].toInt(), this, &ServidorOlhar::tocaProxima);
            return;
        }
        envia(linha.toLatin1());
        ++proxima;
    }
}

quint16 portaFechada() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}
