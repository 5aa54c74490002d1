#include "logica/execucao/execucao_logica.h"

#include "logica/execucao/barra_mensagem.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/relogio.h"

#include <QtGlobal>
#include <algorithm>
#include <utility>

namespace {

int naoNegativo(int ms) {
    return ms < 0 ? 0 : ms;
}

} // namespace

bool mesmoDito(const QString& a, const QString& b) {
    const QString x = a.trimmed(), y = b.trimmed();
    return !x.isEmpty() && !y.isEmpty() &&
           nomeDeSom(x).compare(nomeDeSom(y), Qt::CaseInsensitive) == 0;
}

QList<Saida> saidasDoItem(const TItem& it, bool falaRotulo) {
    // Empty names are passed on too: the queue skips them, and an empty speech text is the
    // queue's way to silence what is being said.
    QList<Saida> r{{false, it.som}, {false, it.fala}};
    // A label already said by the item's recording or speech text would be heard twice.
    if (falaRotulo && !mesmoDito(it.rotulo, it.som) && !mesmoDito(it.rotulo, it.fala))
        r.append({true, it.rotulo});
    return r;
}

MotorExecucao::MotorExecucao(TProjeto& projeto, PortasExecucao portas)
    : projeto_(projeto), p_(std::move(portas)) {}

MotorExecucao::~MotorExecucao() = default;

bool MotorExecucao::procuraPrancha(const QString& texto, bool avisa) {
    const int alvo = destinoDoLink(projeto_, texto, pranchaAnterior);
    if (!linkParaAnterior(texto)) pranchaAnterior = pranchaAtual;
    if (alvo >= 0) {
        pranchaAtual = alvo;
        posVarredura = 0;
        return true;
    }
    if (avisa)
        this->avisa(QStringLiteral("Prancha ") + separaDeslocamento(texto.trimmed()).texto +
                    QStringLiteral(" não foi encontrada"));
    return false;
}

bool MotorExecucao::preparaExecucao(const QString& nome) {
    // A start board that names nothing would leave an index from another project: no run.
    pranchaAtual = 0;
    pranchaAnterior = 0;
    const bool achou = procuraPrancha(nome, true);
    pranchaInicialIdx = pranchaAnterior = pranchaAtual;
    intervaloGuardado = 0;
    defineVarredura(naoNegativo(projeto_.tempoVarredura));
    intervaloHisterese_ = naoNegativo(projeto_.tempoHisterese);
    ultimoAutoClique = -1;
    pendente = semPendente;
    emHisterese_ = false;
    teclas_.esquece();
    teclaSelecionaApertada_ = false;
    barra_ = projeto_.acesso.barraMensagem ? std::make_unique<BarraMensagem>() : nullptr;
    return achou;
}

void MotorExecucao::mostraPranchaExec(int k) {
    if (k < 0 || k >= projeto_.nPranchas()) return;
    p_.desenha(k);
    pranchaAtual = k;
    posVarredura = 0;
    varredura_.reinicia();
    voltas_ = 0;
    varreduraEsgotada = false;
    armada_ = false;
    pontoNaTroca_ = p_.posicaoCursor();
    pontoAposTroca_ = QPoint(32, 32);
    p_.moveCursor(pontoAposTroca_);
    const TPrancha& pr = projeto_.pranchas[k];
    // A board named after the item that led to it would repeat the word just heard.
    const auto jaDito = [&](const QString& e) {
        return std::any_of(ditoPeloItem_.cbegin(), ditoPeloItem_.cend(),
                           [&](const QString& d) { return mesmoDito(e, d); });
    };
    if (!jaDito(pr.som)) p_.enfileiraSom(pr.som);
    if (!jaDito(pr.fala)) p_.enfileiraSom(pr.fala);
    ditoPeloItem_.clear();
}

void MotorExecucao::paraVarredura() {
    varreduraParada = true;
    p_.timerVarredura(false);
    p_.escondeMoldura();
}

void MotorExecucao::marcaOcupado() {
    ocupado = true;
    p_.cursor(FormaCursor::ampulheta);
}

void MotorExecucao::desmarcaOcupado() {
    ocupado = false;
    p_.cursor(FormaCursor::padrao);
}

void MotorExecucao::retomaAposSaida() {
    // The dead time is simply the interval in milliseconds; below 100 ms there is none.
    if (intervaloHisterese_ >= 100) {
        emHisterese_ = true;
        p_.timerHisterese(true);
        p_.cursor(FormaCursor::setasDivididas);
        return;
    }
    desmarcaOcupado();
    varreduraParada = false;
    retomaVarredura();
}

void MotorExecucao::tickHisterese() {
    emHisterese_ = false;
    p_.timerHisterese(false);
    p_.cursor(FormaCursor::padrao);
    desmarcaOcupado();
    varreduraParada = false;
    retomaVarredura();
}

void MotorExecucao::avisa(const QString& texto) {
    ++mensagensAbertas_;
    avisoErro(texto);
    --mensagensAbertas_;
    voltaDeMensagem_ = true; // until the run is in front again
}

void MotorExecucao::ativacao() {
    paraVarredura();
    if (dentroDeMensagem()) {
        voltaDeMensagem_ = mensagensAbertas_ > 0;
        return;
    }
    pendente = pranchaAtual;
}

void MotorExecucao::redimensiona() {
    pendente = pranchaAtual;
}

void MotorExecucao::fechamento() {
    paraVarredura();
    p_.timerHisterese(false);
    emHisterese_ = false;
    pendente = semPendente;
    // The message belongs to this run only.
    if (barra_) {
        barra_->limpa();
        if (p_.barraMudou) p_.barraMudou();
    }
}

void MotorExecucao::tickSerializacao() {
    if (!p_.emPrimeiroPlano()) {
        instantePermanencia_ = -1;
        if (!varreduraParada) paraVarredura();
        if (!dentroDeMensagem()) pendente = pranchaAtual;
        return;
    }
    voltaDeMensagem_ = false;
    // Hovering follows the pointer without a click filter; a dwell needs it whatever the filter
    // (which then only spaces the selections).
    const bool permanencia = autoCliqueLigado(projeto_);
    if (intervaloHisterese_ == 0 || permanencia) acompanhaCursor(permanencia);
    aplicaPendente();
}

void MotorExecucao::aplicaPendente() {
    if (!p_.saidaLivre() || pendente < 0) return;
    if (!p_.emPrimeiroPlano()) return;
    if (pendente != soRetomar) mostraPranchaExec(pranchaAtual);
    retomaAposSaida();
    pendente = semPendente;
}

void MotorExecucao::pressiona() {
    instanteClique = agoraMs();
    if (!ocupado) paraVarredura();
}

bool MotorExecucao::verificaSocorro() {
    if (projeto_.tempoSocorro <= 0 || instanteClique < 0) return false;
    if (qAbs(agoraMs() - instanteClique) < projeto_.tempoSocorro) return false;
    pranchaAtual = pranchaInicialIdx;
    if (!projeto_.pranchaSocorro.isEmpty()) procuraPrancha(projeto_.pranchaSocorro, true);
    pendente = pranchaAtual;
    return true;
}

void MotorExecucao::solta(int item) {
    if (ocupado) return;
    if (verificaSocorro()) return;
    if (acessoNovo() && soltaNaVarredura(item)) return;
    if (item < 0) return; // off the items: nothing to select
    marcaOcupado();
    paraVarredura();
    seleciona(item, true);
}

void MotorExecucao::seleciona(int item, bool porClique) {
    if (const int c = celulaDaBarra(item); c >= 0) {
        // Nothing the last item said is left for the board this one stays on.
        ditoPeloItem_.clear();
        acionaBarra(CelulaBarra(c));
        pendente = soRetomar;
        return;
    }
    if (pranchaAtual < 0 || pranchaAtual >= projeto_.pranchas.size()) return;
    const TPrancha& pr = projeto_.pranchas[pranchaAtual];
    if (item < 0 || item >= pr.itens.size()) return;
    // Copy: procuraPrancha may change the current board while we still read the item.
    const TItem it = pr.itens[item];
    const QString linkPrancha = pr.link;
    // A dwell plays the item's files but not its label, and starts no program.
    ditoPeloItem_.clear();
    for (const Saida& s : saidasDoItem(it, porClique && projeto_.falando && p_.vozExiste())) {
        s.fala ? p_.enfileiraFala(s.texto) : p_.enfileiraSom(s.texto);
        ditoPeloItem_.append(s.texto);
    }
    // In the message as a click plays it, whichever way it was chosen.
    if (barra_ && barra_->anota(it, projeto_.falando && p_.vozExiste()) && p_.barraMudou)
        p_.barraMudou();
    if (porClique && !it.executar.isEmpty()) p_.executaPrograma(it.executar);
    const QString link = it.link.isEmpty() ? linkPrancha : it.link;
    pendente = soRetomar;
    if (!link.isEmpty() && procuraPrancha(link, true)) {
        pendente = pranchaAtual;
        if (!porClique) ultimoAutoClique = -1;
        // The board comes now, its own sound after the item's; scanning and the click filter
        // still wait for the outputs to end.
        if (projeto_.acesso.trocaSemEsperar && p_.emPrimeiroPlano()) {
            mostraPranchaExec(pranchaAtual);
            pendente = soRetomar;
        }
    }
}

QRect MotorExecucao::moldura(int pos) const {
    return p_.retanguloCelula(pos).adjusted(-10, -10, 10, 10);
}

void MotorExecucao::tickVarredura() {
    if (acessoNovo()) {
        passoNovo();
        return;
    }
    p_.escondeMoldura();
    const int n = p_.nCelulas() + (barra_ ? celulasDaBarra : 0);
    bool achou = false;
    for (int tentativa = 0; n > 0 && tentativa < 1000; ++tentativa) {
        posVarredura = ((posVarredura % n) + n) % n;
        if (mostrada(posVarredura)) {
            achou = true;
            break;
        }
        posVarredura = (posVarredura + 1) % n;
    }
    if (!achou) {
        paraVarredura();
        avisoErro(QStringLiteral("Erro de execução: esta prancha contém itens não alocados"));
        p_.fecha();
        return;
    }
    const QRect r = moldura(posVarredura);
    p_.mostraMoldura(r);
    p_.moveCursor(r.topLeft() + QPoint(56, 56));
    if (projeto_.falaVarredura && p_.saidaLivre()) p_.enfileiraFala(rotuloDe(posVarredura));
    posVarredura = (posVarredura + 1) % n;
}

void MotorExecucao::acompanhaCursor(bool permanenciaPermitida) {
    if (pendente >= 0) return;
    const int i = p_.itemSobCursor();
    // Once the pointer has left the item dwell chose, that item can be chosen again.
    if (i != ultimoAutoClique) ultimoAutoClique = -1;
    // A row or a step highlight owns the frame; hovering must not take it away.
    const bool molduraDaVarredura =
        acessoNovo() && varredura_.destaque().tipo != Destaque::Tipo::nenhum;
    if (i < 0) {
        instantePermanencia_ = -1;
        if (!molduraDaVarredura) p_.escondeMoldura();
        return;
    }
    if (mostrada(i) && !ocupado && !molduraDaVarredura) p_.mostraMoldura(moldura(i));
    if (!permanenciaPermitida) {
        instantePermanencia_ = -1;
        return;
    }
    // No dwell counts while outputs play, during the dead time, or before the pointer has
    // moved on a board just shown.
    const bool livre = p_.saidaLivre() && !emHisterese_ && permanenciaArmada();
    if (!livre || i != itemPermanencia || i == ultimoAutoClique) {
        tempoPermanencia = 0;
        itemPermanencia = i;
        if (!emHisterese_) p_.cursor(FormaCursor::padrao);
        instantePermanencia_ = livre && i != ultimoAutoClique ? agoraMs() : -1;
        return;
    }
    tempoPermanencia += intervaloSerializacao;
    instantePermanencia_ = agoraMs();
    if (tempoPermanencia >= intervaloSerializacao / 2) p_.cursor(FormaCursor::maoApontando);
    if (ocupado || tempoPermanencia <= projeto_.tempoAutoClique) return;
    paraVarredura();
    ultimoAutoClique = i;
    seleciona(i, false);
    tempoPermanencia = 0;
    itemPermanencia = -1;
    instantePermanencia_ = -1;
}

bool MotorExecucao::permanenciaArmada() {
    if (!armada_) {
        const QPoint agora = p_.posicaoCursor();
        armada_ = (agora - pontoNaTroca_).manhattanLength() > distanciaParaArmar &&
                  (agora - pontoAposTroca_).manhattanLength() > distanciaParaArmar;
    }
    return armada_;
}

void MotorExecucao::defineVarredura(int ms) {
    intervaloVarredura_ = ms;
    p_.intervaloVarredura(ms);
}

void MotorExecucao::tecla(QChar c) {
    paraVarredura();
    switch (c.unicode()) {
    case 16: // Ctrl+P
        p_.imprimeTela();
        break;
    case ' ':
        if (intervaloGuardado != 0) {
            defineVarredura(intervaloGuardado);
            intervaloGuardado = 0;
        } else {
            intervaloGuardado = intervaloVarredura_;
            defineVarredura(0);
        }
        break;
    case '*':
        mostraPranchaExec(pranchaAtual);
        ocupado = false;
        break;
    case '+':
        defineVarredura(intervaloVarredura_ + 1000);
        break;
    case '-':
        defineVarredura(intervaloVarredura_ <= 1000 ? 0 : intervaloVarredura_ - 1000);
        break;
    case '/':
        if (procuraPrancha(pranchaInicialExec, true)) mostraPranchaExec(pranchaAtual);
        ocupado = false;
        break;
    case '?':
        p_.mostraDicas();
        break;
    default:
        break;
    }
    // With timed scanning switched off a row highlight is gone: a click selects what it lands
    // on. Stepping needs no timer and keeps its place.
    if (intervaloVarredura_ == 0 && !projeto_.acesso.passoAPasso) varredura_.reinicia();
    retomaAposSaida();
}

// ---------------------------------------------------------------- more ways to select

bool MotorExecucao::acessoNovo() const {
    const TOpcoesAcesso& a = projeto_.acesso;
    return a.modoVarredura != TModoVarredura::linear || a.passoAPasso || a.pausaPrimeiro > 0 ||
           a.voltasVarredura > 0;
}

Grade MotorExecucao::grade() const {
    Grade g;
    g.nCelulas = p_.nCelulas();
    if (pranchaAtual >= 0 && pranchaAtual < projeto_.pranchas.size())
        g.nColunas = qMax(1, projeto_.pranchas[pranchaAtual].nColunas);
    g.mostrada = [this](int c) { return mostrada(c); };
    if (barra_) g.nBarra = celulasDaBarra;
    return g;
}

void MotorExecucao::retomaVarredura() {
    if (!acessoNovo()) {
        p_.timerVarredura(intervaloVarredura_ != 0);
        return;
    }
    const bool imediato = std::exchange(passoImediato_, false);
    if (projeto_.acesso.passoAPasso) {
        // No timer: the highlight comes back where it was, or on the first item.
        p_.timerVarredura(false);
        if (imediato || varredura_.destaque().tipo == Destaque::Tipo::nenhum)
            passoNovo();
        else
            mostraDestaque(varredura_.destaque());
        return;
    }
    p_.intervaloVarredura(intervaloVarredura_);
    p_.timerVarredura(intervaloVarredura_ != 0);
    if (imediato && intervaloVarredura_ != 0) passoNovo();
}

void MotorExecucao::passo() {
    if (!projeto_.acesso.passoAPasso || ocupado || varreduraParada || pendente >= 0) return;
    passoNovo();
}

MotorExecucao::PapelDaTecla MotorExecucao::papelDaTecla(int tecla) const {
    const TOpcoesAcesso& a = projeto_.acesso;
    tecla = teclaNormalizada(tecla);
    if (a.passoAPasso) {
        if (tecla == a.avanca.tecla) return PapelDaTecla::avanca;
        if (tecla == a.seleciona.tecla) return PapelDaTecla::seleciona;
        return PapelDaTecla::nenhum;
    }
    return a.selecionaVarredura.tecla != 0 && tecla == a.selecionaVarredura.tecla
               ? PapelDaTecla::seleciona
               : PapelDaTecla::nenhum;
}

bool MotorExecucao::apertaTecla(int tecla, bool repeticao) {
    const PapelDaTecla papel = papelDaTecla(tecla);
    if (papel == PapelDaTecla::nenhum) return false;
    if (!teclas_.aperta(teclaNormalizada(tecla)) || repeticao) return true; // still held
    if (papel == PapelDaTecla::avanca) {
        passo();
        return true;
    }
    // Stepping, the select switch takes the highlight; timed, it acts as a click where the
    // scan has put the pointer, and off the items only where such a click would.
    itemDaTecla_ = projeto_.acesso.passoAPasso ? -1 : p_.itemSobCursor();
    teclaSelecionaApertada_ =
        projeto_.acesso.passoAPasso || itemDaTecla_ >= 0 || aceitaToqueNoFundo();
    if (teclaSelecionaApertada_) pressiona();
    return true;
}

bool MotorExecucao::soltaTecla(int tecla) {
    if (papelDaTecla(tecla) == PapelDaTecla::nenhum) return false;
    teclas_.solta(teclaNormalizada(tecla));
    return true;
}

void MotorExecucao::confirmaSoltas() {
    for (const int tecla : teclas_.soltasConfirmadas())
        if (papelDaTecla(tecla) == PapelDaTecla::seleciona &&
            std::exchange(teclaSelecionaApertada_, false))
            solta(itemDaTecla_);
}

void MotorExecucao::passoNovo() {
    p_.escondeMoldura();
    if (!varredura_.avanca(grade(), projeto_.acesso.modoVarredura)) {
        paraVarredura();
        avisoErro(QStringLiteral("Erro de execução: esta prancha contém itens não alocados"));
        p_.fecha();
        return;
    }
    const Destaque& d = varredura_.destaque();
    const TOpcoesAcesso& a = projeto_.acesso;
    if (!a.passoAPasso && d.novaVolta && a.voltasVarredura > 0 && ++voltas_ > a.voltasVarredura) {
        // Rests until the next press, which starts it again from the first item.
        paraVarredura();
        varredura_.reinicia();
        varreduraEsgotada = true;
        return;
    }
    mostraDestaque(d);
    if (!a.passoAPasso)
        p_.intervaloVarredura(intervaloVarredura_ + (d.primeiroDaVolta ? a.pausaPrimeiro : 0));
}

void MotorExecucao::mostraDestaque(const Destaque& d) {
    int primeira = d.indice;
    QRect r;
    if (d.tipo == Destaque::Tipo::linha) {
        const Grade g = grade();
        for (const int c : g.celulasDaLinha(d.indice))
            r |= moldura(c);
        primeira = g.primeiraDaLinha(d.indice);
    } else if (d.tipo == Destaque::Tipo::celula) {
        r = moldura(d.indice);
    }
    if (primeira < 0) return;
    p_.mostraMoldura(r);
    p_.moveCursor(moldura(primeira).topLeft() + QPoint(56, 56));
    // Rows are named by their first label.
    if (projeto_.falaVarredura && p_.saidaLivre()) p_.enfileiraFala(rotuloDe(primeira));
}

void MotorExecucao::retomaDepois(bool imediato) {
    marcaOcupado();
    paraVarredura();
    pendente = soRetomar;
    passoImediato_ = imediato;
}

bool MotorExecucao::soltaNaVarredura(int& item) {
    if (varreduraEsgotada) {
        varreduraEsgotada = false;
        voltas_ = 0;
        varredura_.reinicia();
        retomaDepois(true);
        return true;
    }
    if (varredura_.escolheLinha()) {
        voltas_ = 0;
        retomaDepois(true);
        return true;
    }
    if (projeto_.acesso.passoAPasso) {
        const Destaque d = varredura_.destaque();
        if (d.tipo != Destaque::Tipo::celula) {
            retomaDepois(false); // nothing highlighted: show where the scan stands
            return true;
        }
        item = d.indice; // the select switch takes the highlight, wherever the pointer is
    }
    if (item < 0) return false;
    // After a selection the scan starts again from the first item (or row).
    varredura_.reinicia();
    voltas_ = 0;
    return false;
}

bool MotorExecucao::aceitaToqueNoFundo() const {
    if (!acessoNovo()) return false;
    return varreduraEsgotada || projeto_.acesso.passoAPasso ||
           varredura_.destaque().tipo == Destaque::Tipo::linha;
}

double MotorExecucao::progressoPermanencia(int itemSobCursor) const {
    if (!projeto_.acesso.progressoPermanencia || !autoCliqueLigado(projeto_)) return -1;
    if (instantePermanencia_ < 0 || itemSobCursor < 0 || itemSobCursor != itemPermanencia ||
        ocupado || pendente >= 0)
        return -1;
    // The dwell counts in ticks: the selection comes on the first tick past the dwell time.
    const qint64 duracao =
        (qint64(projeto_.tempoAutoClique) / intervaloSerializacao + 1) * intervaloSerializacao;
    // Between ticks the ring goes on filling, but never ahead of the next tick's count.
    const qint64 desdeOTique =
        qBound(qint64(0), agoraMs() - instantePermanencia_, qint64(intervaloSerializacao));
    return qBound(0.0, double(tempoPermanencia + desdeOTique) / double(duracao), 1.0);
}

// ---------------------------------------------------------------- the message bar

int MotorExecucao::celulaDaBarra(int pos) const {
    if (!barra_) return -1;
    const int c = pos - p_.nCelulas();
    return c >= 0 && c < celulasDaBarra ? c : -1;
}

bool MotorExecucao::mostrada(int pos) const {
    return celulaDaBarra(pos) >= 0 || p_.celulaMostrada(pos);
}

QString MotorExecucao::rotuloDe(int pos) const {
    const int c = celulaDaBarra(pos);
    return c >= 0 ? nomeDaCelulaBarra(CelulaBarra(c)) : p_.rotuloDesenhado(pos);
}

void MotorExecucao::acionaBarra(CelulaBarra c) {
    if (!barra_) return;
    switch (c) {
    case CelulaBarra::falar:
        for (const Saida& s : barra_->mensagemInteira())
            s.fala ? p_.enfileiraFala(s.texto) : p_.enfileiraSom(s.texto);
        return;
    case CelulaBarra::apagar:
        if (!barra_->apaga()) return;
        break;
    case CelulaBarra::limpar:
        if (barra_->entradas().isEmpty()) return;
        barra_->limpa();
        break;
    }
    if (p_.barraMudou) p_.barraMudou();
}
