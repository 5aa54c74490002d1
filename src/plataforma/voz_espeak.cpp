#include "plataforma/voz_espeak.h"

#include "plataforma/biblioteca_tardia.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <espeak-ng/speak_lib.h>
#include <future>
#include <mutex>
#include <thread>

namespace sintetizador {
namespace {

struct Pedido {
    QByteArray utf8;
    quint64 geracao;
};

// Everything shared between the caller and the worker, under one lock.
struct Estado {
    std::mutex trava;
    std::condition_variable temPedido;
    std::condition_variable temResultado;
    std::deque<Pedido> pedidos;
    std::deque<std::function<void()>> tarefas; // engine calls that are not synthesis
    std::deque<QByteArray> prontos;
    int emSintese = 0; // taken by the worker, not yet finished
    bool iniciado = false;
    bool ok = false;
    bool sair = false;
    int taxa = 22050;
    EscolhaDeVoz escolha;
    quint64 versaoEscolha = 0; // raised by every defineEscolha
    std::function<void()> aviso;
    QPointer<QObject> contexto;
};

Estado& estado() {
    static Estado e;
    return e;
}

// The engine's functions, from its library opened on the worker's first need; null when the
// library or one of them is missing.
struct Motor {
    decltype(&espeak_Initialize) Initialize;
    decltype(&espeak_SetVoiceByName) SetVoiceByName;
    decltype(&espeak_SetParameter) SetParameter;
    decltype(&espeak_SetSynthCallback) SetSynthCallback;
    decltype(&espeak_Synth) Synth;
    decltype(&espeak_ListVoices) ListVoices;
    decltype(&espeak_Terminate) Terminate;
};

const Motor* motor() {
    static const Motor* const m = []() -> const Motor* {
        static BibliotecaTardia biblioteca("espeak-ng", 1);
        static Motor f;
        biblioteca.liga(f.Initialize, "espeak_Initialize");
        biblioteca.liga(f.SetVoiceByName, "espeak_SetVoiceByName");
        biblioteca.liga(f.SetParameter, "espeak_SetParameter");
        biblioteca.liga(f.SetSynthCallback, "espeak_SetSynthCallback");
        biblioteca.liga(f.Synth, "espeak_Synth");
        biblioteca.liga(f.ListVoices, "espeak_ListVoices");
        biblioteca.liga(f.Terminate, "espeak_Terminate");
        return biblioteca.completa() ? &f : nullptr;
    }();
    return m;
}

// Raised to abandon work: a synthesis whose generation is older is cut short and dropped.
std::atomic<quint64> geracaoAtual{0};
QByteArray* destinoAtual = nullptr; // only touched on the worker thread
quint64 geracaoEmCurso = 0;

int recebeAmostras(short* amostras, int n, espeak_EVENT*) {
    if (geracaoEmCurso != geracaoAtual.load()) return 1;
    if (amostras && n > 0 && destinoAtual)
        destinoAtual->append(reinterpret_cast<const char*>(amostras), n * int(sizeof(short)));
    return 0;
}

void avisaChamador() {
    Estado& e = estado();
    QObject* ctx = nullptr;
    {
        std::lock_guard<std::mutex> g(e.trava);
        ctx = e.contexto.data();
    }
    if (!ctx) return;
    QMetaObject::invokeMethod(
        ctx,
        [] {
            std::function<void()> aviso;
            {
                std::lock_guard<std::mutex> g(estado().trava);
                aviso = estado().aviso;
            }
            if (aviso) aviso();
        },
        Qt::QueuedConnection);
}

void trabalha(std::promise<bool>* partida);

// On the worker: the chosen voice and speed, or the Brazilian voice when the engine lacks it.
void aplicaEscolha(const EscolhaDeVoz& e) {
    QString nome = e.voz;
    if (!e.variante.isEmpty()) nome += QLatin1Char('+') + e.variante;
    if (motor()->SetVoiceByName(nome.toUtf8().constData()) != EE_OK)
        motor()->SetVoiceByName("pt-br");
    motor()->SetParameter(espeakRATE, e.velocidade, 0);
}

// A variant's name as the user reads it: "female3" is "Feminina 3"; proper names stay.
QString nomeDaVariante(const char* nome) {
    static const QRegularExpression genero(QStringLiteral("^(female|male)(\\d*)$"));
    const QString n = QString::fromUtf8(nome);
    const QRegularExpressionMatch m = genero.match(n);
    if (!m.hasMatch()) return n;
    const QString palavra = m.captured(1) == QLatin1String("female") ? QStringLiteral("Feminina")
                                                                     : QStringLiteral("Masculina");
    return m.captured(2).isEmpty() ? palavra : palavra + QLatin1Char(' ') + m.captured(2);
}

// A variant a person would speak with. The engine also ships its own test ("fast"), the
// samples of its other synthesis method ("klatt"...), robots and effects: a communicator's
// voice is none of those.
bool varianteHumana(const QString& arquivo) {
    static const QRegularExpression outras(
        QStringLiteral("^(fast|klatt\\d*|robosoft\\d*|unirobot|anikarobot|demonic|croak|tweaky|"
                       "announcer|whisperf?)$"),
        QRegularExpression::CaseInsensitiveOption);
    return !outras.match(arquivo).hasMatch();
}

// The first language a voice speaks ("pt-br"), from the engine's priority-prefixed list.
QString linguaDaVoz(const espeak_VOICE* v) {
    return v->languages && v->languages[0] ? QString::fromUtf8(v->languages + 1) : QString();
}

class Trabalhador {
public:
    Trabalhador() {
        std::promise<bool> partida;
        auto pronto = partida.get_future();
        fio = std::thread(trabalha, &partida);
        ok = pronto.get();
    }
    ~Trabalhador() {
        {
            std::lock_guard<std::mutex> g(estado().trava);
            estado().sair = true;
            geracaoAtual++;
        }
        estado().temPedido.notify_all();
        fio.join();
    }
    bool ok = false;

private:
    std::thread fio;
};

void trabalha(std::promise<bool>* partida) {
    if (!motor()) {
        partida->set_value(false);
        return;
    }
    const int taxa =
        motor()->Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    bool ok = taxa > 0 && motor()->SetVoiceByName("pt-br") == EE_OK;
    if (ok) {
        motor()->SetSynthCallback(recebeAmostras);
        std::lock_guard<std::mutex> g(estado().trava);
        estado().taxa = taxa;
    }
    partida->set_value(ok);
    if (!ok) {
        if (taxa > 0) motor()->Terminate();
        return;
    }
    Estado& e = estado();
    quint64 versaoAplicada = quint64(-1);
    for (;;) {
        Pedido p;
        std::function<void()> tarefa;
        EscolhaDeVoz escolha;
        bool novaEscolha = false;
        {
            std::unique_lock<std::mutex> g(e.trava);
            e.temPedido.wait(g, [&] { return e.sair || !e.tarefas.empty() || !e.pedidos.empty(); });
            if (e.sair) break;
            if (!e.tarefas.empty()) {
                tarefa = std::move(e.tarefas.front());
                e.tarefas.pop_front();
            } else {
                p = std::move(e.pedidos.front());
                e.pedidos.pop_front();
                e.emSintese++;
                novaEscolha = e.versaoEscolha != versaoAplicada;
                versaoAplicada = e.versaoEscolha;
                escolha = e.escolha;
            }
        }
        if (tarefa) {
            tarefa();
            versaoAplicada = quint64(-1); // listing voices may leave another one loaded
            continue;
        }
        if (novaEscolha) aplicaEscolha(escolha);
        QByteArray amostras;
        destinoAtual = &amostras;
        geracaoEmCurso = p.geracao;
        if (p.geracao == geracaoAtual.load())
            motor()->Synth(p.utf8.constData(), size_t(p.utf8.size()) + 1, 0, POS_CHARACTER, 0,
                           espeakCHARS_UTF8, nullptr, nullptr);
        destinoAtual = nullptr;
        bool entrega = false;
        {
            std::lock_guard<std::mutex> g(e.trava);
            e.emSintese--;
            if (p.geracao == geracaoAtual.load() && !amostras.isEmpty()) {
                e.prontos.push_back(std::move(amostras));
                entrega = true;
            }
        }
        e.temResultado.notify_all();
        if (entrega) avisaChamador();
    }
    motor()->Terminate();
}

} // namespace

bool inicia() {
    // Started once and kept until the process ends; a failed start is not retried.
    static Trabalhador trabalhador;
    return trabalhador.ok;
}

int taxaDeAmostragem() {
    std::lock_guard<std::mutex> g(estado().trava);
    return estado().taxa;
}

void pede(const QString& texto) {
    if (!inicia()) return;
    Estado& e = estado();
    {
        std::lock_guard<std::mutex> g(e.trava);
        e.pedidos.push_back({texto.toUtf8(), geracaoAtual.load()});
    }
    e.temPedido.notify_one();
}

void abandona() {
    Estado& e = estado();
    std::lock_guard<std::mutex> g(e.trava);
    geracaoAtual++;
    e.pedidos.clear();
    e.prontos.clear();
}

bool ocupado() {
    Estado& e = estado();
    std::lock_guard<std::mutex> g(e.trava);
    return !e.pedidos.empty() || e.emSintese > 0 || !e.prontos.empty();
}

void esperaResultado(int ms) {
    Estado& e = estado();
    std::unique_lock<std::mutex> g(e.trava);
    e.temResultado.wait_for(g, std::chrono::milliseconds(ms), [&] {
        return !e.prontos.empty() || (e.pedidos.empty() && e.emSintese == 0);
    });
}

bool colhe(QByteArray& amostras) {
    Estado& e = estado();
    std::lock_guard<std::mutex> g(e.trava);
    if (e.prontos.empty()) return false;
    amostras = std::move(e.prontos.front());
    e.prontos.pop_front();
    return true;
}

namespace {

// Runs `tarefa` on the worker and waits for it; false without the engine.
bool noTrabalhador(std::function<void()> tarefa) {
    if (!inicia()) return false;
    Estado& e = estado();
    std::promise<void> feita;
    std::future<void> fim = feita.get_future();
    {
        std::lock_guard<std::mutex> g(e.trava);
        e.tarefas.push_back([&tarefa, &feita] {
            tarefa();
            feita.set_value();
        });
    }
    e.temPedido.notify_one();
    fim.wait();
    return true;
}

} // namespace

QList<VozDoSintetizador> vozesPortuguesas() {
    QList<VozDoSintetizador> vozes;
    noTrabalhador([&vozes] {
        for (const espeak_VOICE** v = motor()->ListVoices(nullptr); v && *v; ++v) {
            const QString lingua = linguaDaVoz(*v);
            if (lingua != QLatin1String("pt") && !lingua.startsWith(QLatin1String("pt-"))) continue;
            QString descricao = QString::fromUtf8((*v)->name);
            if (lingua == QLatin1String("pt-br"))
                descricao = QStringLiteral("Português (Brasil)");
            else if (lingua == QLatin1String("pt"))
                descricao = QStringLiteral("Português (Portugal)");
            vozes.append({lingua, descricao});
        }
    });
    std::stable_sort(vozes.begin(), vozes.end(), [](const auto& a, const auto& b) {
        return (a.nome == QLatin1String("pt-br")) > (b.nome == QLatin1String("pt-br"));
    });
    return vozes;
}

QList<VozDoSintetizador> variantes() {
    QList<VozDoSintetizador> lista;
    noTrabalhador([&lista] {
        espeak_VOICE pedido{};
        pedido.languages = "variant";
        for (const espeak_VOICE** v = motor()->ListVoices(&pedido); v && *v; ++v) {
            // The identifier is the variant's file, "!v/name"; the engine takes "voice+name".
            const QString id = QString::fromUtf8((*v)->identifier);
            const QString nome = id.mid(id.lastIndexOf(QLatin1Char('/')) + 1);
            if (!nome.isEmpty() && varianteHumana(nome))
                lista.append({nome, nomeDaVariante((*v)->name)});
        }
    });
    // The female and male timbres first, then the named ones, each in alphabetical order.
    const auto genero = [](const VozDoSintetizador& v) {
        return v.descricao.startsWith(QLatin1String("Feminina")) ||
               v.descricao.startsWith(QLatin1String("Masculina"));
    };
    std::stable_sort(lista.begin(), lista.end(), [&genero](const auto& a, const auto& b) {
        if (genero(a) != genero(b)) return genero(a);
        return a.descricao.compare(b.descricao, Qt::CaseInsensitive) < 0;
    });
    return lista;
}

void defineEscolha(const EscolhaDeVoz& escolha) {
    EscolhaDeVoz e = escolha;
    if (e.voz.trimmed().isEmpty()) e.voz = EscolhaDeVoz().voz;
    e.velocidade =
        qBound(EscolhaDeVoz::velocidadeMinima, e.velocidade, EscolhaDeVoz::velocidadeMaxima);
    std::lock_guard<std::mutex> g(estado().trava);
    estado().escolha = e;
    estado().versaoEscolha++;
}

EscolhaDeVoz escolhaAtual() {
    std::lock_guard<std::mutex> g(estado().trava);
    return estado().escolha;
}

void aoFicarPronto(std::function<void()> aviso) {
    Estado& e = estado();
    std::lock_guard<std::mutex> g(e.trava);
    e.aviso = std::move(aviso);
    e.contexto = QCoreApplication::instance();
}

} // namespace sintetizador
