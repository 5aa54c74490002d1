// A gaze source of the tests' own: serves the eye tracker's line protocol over TCP on this
// machine, records what the program sends, and plays scripts of lines. Used in-process by the
// tests and, wrapped in a small program named TobiiVex, as a companion the link can start.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

class ServidorOlhar : public QObject {
    Q_OBJECT
public:
    explicit ServidorOlhar(QObject* pai = nullptr);
    ~ServidorOlhar() override;

    // Listens on 127.0.0.1; porta 0 takes any free port.
    bool escuta(quint16 porta);
    quint16 porta() const;
    void fecha();

    // Sends a line and CR LF to the connected program.
    void envia(const QByteArray& linha);
    // Plays a script once the program has switched the tracker on ("H+"): each line is sent as
    // it is, except "%espera MS" (a pause) and "%repete N MS LINHA" (LINHA N times, MS apart).
    void tocaAoLigar(const QStringList& roteiro);

    bool conectado() const;
    int conexoes = 0;
    QList<QByteArray> recebidas; // every line the program sent, over all connections
    QElapsedTimer relogio;       // started at construction
    qint64 desconexaoEm = -1;    // relogio's ms at the last disconnection

signals:
    void desconectou();

private:
    void chegou();
    void tocaProxima();

    QTcpServer* servidor;
    QPointer<QTcpSocket> cliente;
    QByteArray pendente;
    QStringList roteiro;
    int proxima = 0;
    int repeticoes = 0;
};

// A port of 127.0.0.1 on which nothing listens (one that was free a moment ago).
quint16 portaFechada();
