#include "logica/editor/documento_projeto.h"

#include "logica/editor/operacoes_projeto.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/pranchas_valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The boards `sai` at `inicio` of `atual` replaced by `entra`.
QList<TPrancha> troca(const QList<TPrancha>& atual, qsizetype inicio, qsizetype sai,
                      const QList<TPrancha>& entra) {
    QList<TPrancha> r;
    r.reserve(atual.size() - sai + entra.size());
    r.append(atual.mid(0, inicio));
    r.append(entra);
    r.append(atual.mid(inicio + sai));
    return r;
}

// A step kept as the boards it changed (the run between the first and the last board that
// differ, before and after) and the project's few other fields: a hundred steps on a large
// project keep little more than what they changed.
class PassoDoProjeto : public QUndoCommand {
public:
    PassoDoProjeto(DocumentoProjeto& d, const QString& nome, DocumentoProjeto::Estado antes_,
                   QList<DocumentoProjeto::ArquivoNovo> arquivos)
        : QUndoCommand(nome), d(d), antes(std::move(antes_)), depois(d.estado()),
          arquivos(std::move(arquivos)) {
        const QList<TPrancha>& a = antes.pranchas;
        const QList<TPrancha>& b = depois.pranchas;
        qsizetype fimA = a.size(), fimB = b.size();
        while (inicio < fimA && inicio < fimB && a[inicio] == b[inicio])
            ++inicio;
        while (fimA > inicio && fimB > inicio && a[fimA - 1] == b[fimB - 1]) {
            --fimA;
            --fimB;
        }
        antes.pranchas = a.mid(inicio, fimA - inicio);
        depois.pranchas = b.mid(inicio, fimB - inicio);
    }
    void undo() override {
        for (const auto& a : std::as_const(arquivos))
            QFile::remove(a.caminho);
        aplica(antes, depois);
    }
    void redo() override {
        if (primeira) {
            primeira = false; // done already, as the author did it
            return;
        }
        for (const auto& a : std::as_const(arquivos))
            if (!QFileInfo::exists(a.caminho)) gravaArquivoSeguro(a.caminho, a.bytes);
        aplica(depois, antes);
    }

private:
    // The project now holds `de`'s boards at `inicio`: they become `para`'s.
    void aplica(const DocumentoProjeto::Estado& para, const DocumentoProjeto::Estado& de) {
        DocumentoProjeto::Estado e = para;
        e.pranchas = troca(d.projeto().pranchas, inicio, de.pranchas.size(), para.pranchas);
        d.aplica(e);
    }

    DocumentoProjeto& d;
    DocumentoProjeto::Estado antes, depois;
    qsizetype inicio = 0;
    QList<DocumentoProjeto::ArquivoNovo> arquivos;
    bool primeira = true;
};

// The board file and its backup are the project itself, not files a step brought in.
QStringList arquivosDaPasta(const QString& pasta) {
    if (pasta.isEmpty()) return {};
    QStringList r = QDir(pasta).entryList(QDir::Files | QDir::NoDotAndDotDot);
    r.removeIf([](const QString& n) {
        return n.compare(QLatin1String("pranchas.pra"), Qt::CaseInsensitive) == 0 ||
               n.compare(QLatin1String("pranchas.bak"), Qt::CaseInsensitive) == 0;
    });
    return r;
}

} // namespace

DocumentoProjeto::DocumentoProjeto(TProjeto& projeto, QObject* pai)
    : QObject(pai), p(projeto), conhecido(estado()) {
    historico_.setUndoLimit(200);
}

DocumentoProjeto& documentoProjeto() {
    static DocumentoProjeto documento(projeto);
    return documento;
}

void abreProjeto(const QString& pasta) {
    carregaPranchas(pasta);
    documentoProjeto().recarrega();
}

bool salvaDocumento() {
    if (!salvarProjeto()) return false;
    documentoProjeto().historico().setClean();
    return true;
}

void abreProjetoNovo() {
    iniciaProjetoNovo(projeto);
    documentoProjeto().recarrega();
}

bool DocumentoProjeto::Estado::mesmoProjeto(const Estado& o) const {
    return resto == o.resto && pranchas == o.pranchas;
}

DocumentoProjeto::Estado DocumentoProjeto::estado() const {
    TProjeto resto = p;
    // Not clear(): on a shared list that keeps a fresh buffer of the same capacity, and every
    // step would hold one the size of the whole board list.
    resto.pranchas = QList<TPrancha>();
    return Estado{p.pranchas, std::move(resto), pranchaSelecionada(), itemSelecionado()};
}

void DocumentoProjeto::aplica(const Estado& e) {
    const bool configuracaoIgual = conhecido.resto == e.resto;
    p = e.resto;
    p.pranchas = e.pranchas;
    conhecido = e;
    if (!configuracaoIgual) emit configuracaoMudou();
    emit pranchasMudaram();
    escolhePrancha(existePrancha(e.prancha) ? e.prancha : -1);
    item = e.item;
    if (prancha >= 0) emit itensMudaram(prancha);
}

DocumentoProjeto::Passo::Passo(DocumentoProjeto& d, const QString& nome, const QString& pasta)
    : d(d), nome(nome), externo(d.passosAbertos++ == 0), pasta(pasta) {
    if (!externo) return;
    antes = d.estado();
    arquivosAntes = arquivosDaPasta(pasta);
}

void DocumentoProjeto::Passo::descartaArquivosNovos() {
    for (const QString& n : arquivosDaPasta(pasta))
        if (!arquivosAntes.contains(n)) QFile::remove(QDir(pasta).filePath(n));
}

DocumentoProjeto::Passo::~Passo() {
    --d.passosAbertos;
    if (!externo) return;
    QList<ArquivoNovo> novos;
    for (const QString& n : arquivosDaPasta(pasta)) {
        if (arquivosAntes.contains(n)) continue;
        QFile f(QDir(pasta).filePath(n));
        if (f.open(QIODevice::ReadOnly)) novos.append({f.fileName(), f.readAll()});
    }
    if (novos.isEmpty() && antes.mesmoProjeto(d.estado())) return;
    d.conhecido = d.estado();
    d.historico_.push(new PassoDoProjeto(d, nome, std::move(antes), std::move(novos)));
}

bool DocumentoProjeto::existePrancha(int i) const {
    return i >= 0 && i < p.nPranchas();
}

int DocumentoProjeto::pranchaSelecionada() const {
    return existePrancha(prancha) ? prancha : -1;
}

int DocumentoProjeto::itemSelecionado() const {
    const int i = pranchaSelecionada();
    return (i >= 0 && item >= 0 && item < p.pranchas[i].itens.size()) ? item : -1;
}

void DocumentoProjeto::recarrega() {
    if (passosAbertos == 0) {
        historico_.clear();
        conhecido = estado();
        emit configuracaoMudou();
    }
    prancha = p.nPranchas() > 0 ? 0 : -1;
    item = -1;
    emit pranchasMudaram();
    emit selecaoMudou(prancha);
}

void DocumentoProjeto::selecionaPrancha(int i) {
    escolhePrancha(existePrancha(i) ? i : -1);
}

void DocumentoProjeto::selecionaItem(int j) {
    item = j;
}

void DocumentoProjeto::escolhePrancha(int i) {
    prancha = i;
    item = -1;
    emit selecaoMudou(i);
}

int DocumentoProjeto::novaPrancha(const QString& nome, bool copiaSelecionada) {
    const int sel = pranchaSelecionada();
    if (copiaSelecionada && sel < 0) return -1;
    const int pos = inserePranchaNoProjeto(p, sel, nome);
    if (copiaSelecionada) copiaPranchaAnterior(p, pos);
    prancha = pos;
    emit pranchasMudaram();
    escolhePrancha(pos);
    return pos;
}

int DocumentoProjeto::inserePrancha(const QString& nome) {
    const Passo passo(*this, QStringLiteral("Nova prancha"));
    return novaPrancha(nome, false);
}

int DocumentoProjeto::duplicaPrancha(const QString& nome) {
    const Passo passo(*this, QStringLiteral("Duplicar prancha"));
    return novaPrancha(nome, true);
}

int DocumentoProjeto::novoItem(const QString& nome, bool copiaSelecionado) {
    const int i = pranchaSelecionada();
    const int sel = itemSelecionado();
    if (i < 0 || (copiaSelecionado && sel < 0)) return -1;
    const int pos = insereItemNaPrancha(p.pranchas[i], sel, nome);
    if (copiaSelecionado) copiaItemAnterior(p.pranchas[i], pos);
    item = pos;
    emit itensMudaram(i);
    return pos;
}

int DocumentoProjeto::insereItem(const QString& nome) {
    const Passo passo(*this, QStringLiteral("Novo item"));
    return novoItem(nome, false);
}

int DocumentoProjeto::duplicaItem(const QString& nome) {
    const Passo passo(*this, QStringLiteral("Duplicar item"));
    return novoItem(nome, true);
}

bool DocumentoProjeto::removePrancha() {
    const Passo passo(*this, QStringLiteral("Remover prancha"));
    const int i = pranchaSelecionada();
    if (!removePranchaDoProjeto(p, i)) return false;
    prancha = i < p.nPranchas() ? i : -1;
    emit pranchasMudaram();
    escolhePrancha(prancha);
    return true;
}

bool DocumentoProjeto::removeItem() {
    const Passo passo(*this, QStringLiteral("Remover item"));
    const int i = pranchaSelecionada();
    const int j = itemSelecionado();
    if (j < 0 || !removeItemDaPrancha(p.pranchas[i], j)) return false;
    item = j < p.pranchas[i].itens.size() ? j : -1;
    emit itensMudaram(i);
    return true;
}

// The items shown stay those of the moved board, with their selection.
bool DocumentoProjeto::movePrancha(int para) {
    const int i = pranchaSelecionada();
    if (i < 0 || !trocaPranchas(p, i, para)) return false;
    prancha = para;
    emit pranchasMudaram();
    return true;
}

bool DocumentoProjeto::sobePrancha() {
    const Passo passo(*this, QStringLiteral("Mover prancha"));
    return movePrancha(pranchaSelecionada() - 1);
}

bool DocumentoProjeto::descePrancha() {
    const Passo passo(*this, QStringLiteral("Mover prancha"));
    return movePrancha(pranchaSelecionada() + 1);
}

bool DocumentoProjeto::moveItem(int para) {
    const int i = pranchaSelecionada();
    const int j = itemSelecionado();
    if (j < 0 || !trocaItens(p.pranchas[i], j, para)) return false;
    item = para;
    emit itensMudaram(i);
    return true;
}

bool DocumentoProjeto::sobeItem() {
    const Passo passo(*this, QStringLiteral("Mover item"));
    return moveItem(itemSelecionado() - 1);
}

bool DocumentoProjeto::desceItem() {
    const Passo passo(*this, QStringLiteral("Mover item"));
    return moveItem(itemSelecionado() + 1);
}

void DocumentoProjeto::removeTodasAsPranchas() {
    const Passo passo(*this, QStringLiteral("Remover todas as pranchas"));
    ::removeTodasAsPranchas(p);
    prancha = -1;
    emit pranchasMudaram();
    escolhePrancha(-1);
}

bool DocumentoProjeto::guardaPrancha(int i, const TPrancha& valores) {
    const Passo passo(*this, QStringLiteral("Editar prancha"));
    if (!existePrancha(i)) return false;
    TPrancha& b = p.pranchas[i];
    TItemArray itens = std::move(b.itens);
    b = valores;
    b.itens = std::move(itens);
    emit pranchaMudou(i);
    return true;
}

bool DocumentoProjeto::guardaItem(int i, int j, const TItem& valores) {
    const Passo passo(*this, QStringLiteral("Editar item"));
    if (!existePrancha(i) || j < 0 || j >= p.pranchas[i].itens.size()) return false;
    // Kept as the file will hold it, so the dialog shows "sem rótulo" ticked at once.
    p.pranchas[i].itens[j] = comRotuloOculto(valores);
    emit itensMudaram(i);
    return true;
}

void DocumentoProjeto::guardaAutoria(const QString& autor, const QString& data,
                                     const QString& info) {
    const Passo passo(*this, QStringLiteral("Autoria"));
    p.autor = autor;
    p.data = data;
    p.info = info;
    emit configuracaoMudou();
}

void DocumentoProjeto::guardaConfiguracao(const TProjeto& valores) {
    const Passo passo(*this, QStringLiteral("Configurações de execução"));
    copiaConfiguracao(p, valores);
    emit configuracaoMudou();
}

void DocumentoProjeto::substituiPorTranscrito(const TProjeto& transcrito) {
    const Passo passo(*this, QStringLiteral("Transcrever rascunho"));
    p = transcrito;
    const int i = pranchaSelecionada();
    emit configuracaoMudou();
    emit pranchasMudaram();
    escolhePrancha(i);
}
