// The eye-tracker link. A companion program ("TobiiVex" beside the program), or any other source
// of gaze points, serves text lines over TCP on this machine; a reader on a thread of its own
// turns them into pointer moves, clicks and beeps, which all happen on the window thread. The
// lines are described in the README ("O sensor de olhos").
#pragma once

#include "logica/execucao/tobii_linhas.h"
#include "plataforma/conexao_tcp.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

extern const QString textoSemTcpLocal;
extern const QString textoSemTobiiVex;

// What the link does, on the window thread; the runner plugs in the real pointer.
struct PortasTobii {
    std::function<void(QPoint global)> movePonteiro;
    std::function<void(QPoint global)> clicaEm;
    std::function<void()> bipe;
    std::function<void(const QString& texto)> aviso; // tells the user why there is no link
};

// Starts the link for a run, after ending any link still running. Connects to what listens on
// the link's address; when nothing does, starts the companion (when it is there) and gives it
// up to 1 s to listen. A failure is told to the user once, and the run goes on without it.
void iniciaTobii(PortasTobii portas);
// Ends the link at once: the reader stops, its socket is closed, its thread joined, and
// nothing it read reaches the pointer any more.
void encerraTobii();
// The link is connected and reading.
bool tobiiAtivo();

// A connection, or null when the connection is refused, takes over a second, or `continua`
// turns false.
std::unique_ptr<ConexaoTcp> conectaTcp(const QString& host, quint16 porta,
                                       const std::function<bool()>& continua = {});
// Sends the text and CR LF; true when something went out.
bool enviaLinha(ConexaoTcp& conexao, const QByteArray& texto);

// Where the link connects and which companion it starts when nothing listens there.
struct EnderecoTobii {
    QString host;
    quint16 porta = 0;
    QString companheiro; // an executable; empty: none
};
// 127.0.0.1:3491 and "TobiiVex" beside the program, unless a test said otherwise.
EnderecoTobii enderecoTobii();
void defineEnderecoTobii(const EnderecoTobii& endereco);

// The reader: connects, switches the tracker on, and acts on each line until the link is ended,
// the connection closes or a gaze point cannot be read.
class TThreadTobii : public QThread {
public:
    TThreadTobii(EnderecoTobii endereco, PortasTobii portas);
    ~TThreadTobii() override;

    // Asks the reader to stop and wakes it from its waits; join with wait().
    void para();
    bool ativo() const { return ativo_; }

protected:
    void run() override;

private:
    std::unique_ptr<ConexaoTcp> conecta();
    void leLinhas(ConexaoTcp& conexao);
    // Sleeps up to `ms`; false at once when the reader is asked to stop.
    bool espera(int ms);
    // Runs `f` on the window thread, unless the link has been ended by then.
    void posta(std::function<void()> f);

    const EnderecoTobii endereco;
    const PortasTobii portas;
    SuavizacaoDoOlhar suavizacao;
    std::atomic<bool> ativo_{false};
    std::atomic<bool> parar{false};
    std::mutex trava;
    std::condition_variable acorda;
    // Shared with the calls posted to the window thread: cleared when the link is ended.
    std::shared_ptr<std::atomic<bool>> vivo;
};
