#include "logica/execucao/tobii.h"

#include "plataforma/pastas.h"
#include "plataforma/shell.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <optional>

const QString textoSemTcpLocal =
    QStringLiteral("TCP-IP local não está funcionando.  Tobii não será usado.");
const QString textoSemTobiiVex =
    QStringLiteral("TobiiVex não pode ser ativado.  Tobii não será usado.");

namespace {

constexpr quint16 portaTobii = 3491;
constexpr int limiteConexaoMs = 1000;
constexpr int prazoCompanheiroMs = 1000;
constexpr int limiteLinha = 60000; // as the tracker's own program waits; ending comes sooner
constexpr int limiteEnvioMs = 100;

std::optional<EnderecoTobii> enderecoDefinido;
std::unique_ptr<TThreadTobii> leitor;

// The companion beside the program: in its data folder, or beside the executable itself when
// the program is installed apart from its data.
QString companheiroAoLado() {
    const QString nome = QStringLiteral("/TobiiVex");
    const QString aoLado = pastaDoPrograma() + nome;
    if (QFileInfo(aoLado).isExecutable()) return aoLado;
    const QString doExecutavel = QCoreApplication::applicationDirPath() + nome;
    return QFileInfo(doExecutavel).isExecutable() ? doExecutavel : aoLado;
}

} // namespace

EnderecoTobii enderecoTobii() {
    if (enderecoDefinido) return *enderecoDefinido;
    return {QStringLiteral("127.0.0.1"), portaTobii, companheiroAoLado()};
}

void defineEnderecoTobii(const EnderecoTobii& endereco) {
    enderecoDefinido = endereco;
}

std::unique_ptr<ConexaoTcp> conectaTcp(const QString& host, quint16 porta,
                                       const std::function<bool()>& continua) {
    return ConexaoTcp::conecta(host, porta, limiteConexaoMs, continua);
}

bool enviaLinha(ConexaoTcp& conexao, const QByteArray& texto) {
    return conexao.envia(texto + "\r\n", limiteEnvioMs) > 0;
}

TThreadTobii::TThreadTobii(EnderecoTobii e, PortasTobii p)
    : endereco(std::move(e)), portas(std::move(p)),
      vivo(std::make_shared<std::atomic<bool>>(true)) {}

TThreadTobii::~TThreadTobii() {
    para();
    wait();
}

void TThreadTobii::para() {
    vivo->store(false);
    {
        std::lock_guard<std::mutex> g(trava);
        parar = true;
    }
    acorda.notify_all();
}

bool TThreadTobii::espera(int ms) {
    std::unique_lock<std::mutex> g(trava);
    acorda.wait_for(g, std::chrono::milliseconds(ms), [this] { return parar.load(); });
    return !parar;
}

void TThreadTobii::posta(std::function<void()> f) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [vivo = vivo, f = std::move(f)] {
            if (*vivo) f();
        },
        Qt::QueuedConnection);
}

std::unique_ptr<ConexaoTcp> TThreadTobii::conecta() {
    const auto continua = [this] { return !parar; };
    // A gaze server already listening (the companion of an earlier run, or a service).
    if (auto s = conectaTcp(endereco.host, endereco.porta, continua)) return s;
    const QFileInfo companheiro(endereco.companheiro);
    if (endereco.companheiro.isEmpty() || !companheiro.isFile() || !companheiro.isExecutable())
        return nullptr;
    if (!iniciaPrograma(companheiro.absoluteFilePath(), {}, companheiro.absolutePath()))
        return nullptr;
    const QDeadlineTimer prazo(prazoCompanheiroMs);
    while (espera(50)) {
        if (auto s = conectaTcp(endereco.host, endereco.porta, continua)) return s;
        if (prazo.hasExpired()) break;
    }
    return nullptr;
}

void TThreadTobii::run() {
    std::unique_ptr<ConexaoTcp> s = conecta();
    if (!s) {
        if (!parar) posta([p = portas] { p.aviso(textoSemTobiiVex); });
        return;
    }
    ativo_ = true;
    suavizacao = SuavizacaoDoOlhar();
    for (const char* comando : {"E+", "G+", "H+"})
        enviaLinha(*s, comando);
    leLinhas(*s);
    ativo_ = false;
    s.reset(); // closed; the companion keeps running for the next run
}

void TThreadTobii::leLinhas(ConexaoTcp& s) {
    FonteDeBytes fonte;
    fonte.prontaEm = [&s](int ms) { return s.prontaEm(ms); };
    fonte.recebe = [&s](char* destino, qint64 max) { return s.recebe(destino, max); };
    fonte.espera = [this](int ms) { return espera(ms); };
    LeitorDeLinhas linhas(std::move(fonte));
    const PortasTobii& p = portas;
    while (!parar) {
        const std::optional<QByteArray> linha = linhas.leLinha(limiteLinha);
        if (!linha) return;
        const ComandoDoOlhar c = interpretaLinha(*linha);
        switch (c.tipo) {
        case ComandoDoOlhar::nada:
            break;
        case ComandoDoOlhar::bipe:
            posta([p] { p.bipe(); });
            break;
        case ComandoDoOlhar::doisBipes:
            posta([p] {
                p.bipe();
                p.bipe();
            });
            break;
        case ComandoDoOlhar::clique: {
            const QPoint onde = suavizacao.pontoOlhar;
            posta([p, onde] {
                p.bipe();
                p.clicaEm(onde);
            });
            break;
        }
        case ComandoDoOlhar::ponto: {
            const QPoint onde = suavizacao.passo(c.onde);
            posta([p, onde] { p.movePonteiro(onde); });
            break;
        }
        case ComandoDoOlhar::pontoInvalido:
            return; // a gaze point that is not two whole numbers ends the link
        }
    }
}

void iniciaTobii(PortasTobii portas) {
    encerraTobii();
    if (!tcpLocalFunciona()) {
        portas.aviso(textoSemTcpLocal);
        return;
    }
    static const bool registrado = [] {
        // A program ending in the middle of a run still joins the reader first.
        qAddPostRoutine(encerraTobii);
        return true;
    }();
    Q_UNUSED(registrado);
    leitor = std::make_unique<TThreadTobii>(enderecoTobii(), std::move(portas));
    leitor->start();
}

void encerraTobii() {
    if (!leitor) return;
    leitor->para();
    leitor->wait();
    leitor.reset();
}

bool tobiiAtivo() {
    return leitor && leitor->ativo();
}
