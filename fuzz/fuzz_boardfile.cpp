// The board file's codec on arbitrary bytes, in memory: reading never fails, and a project read,
// written and read again is the project that was read.
// Run: scripts/fuzz.sh [SECONDS]
#include "model/pranchas_formato.h"

#include <cstdio>
#include <cstdlib>

namespace {

// What the file keeps of a project: the boards in use (a load after [CONFIG] keeps a spare
// entry) and items with a label; an item without one is never written.
TProjeto comoNoArquivo(TProjeto p) {
    p.pranchas.resize(qMin<qsizetype>(p.nPranchas, p.pranchas.size()));
    for (TPrancha& prancha : p.pranchas)
        for (TItem& item : prancha.itens)
            if (item.rotulo.isEmpty()) item = TItem();
    return p;
}

[[noreturn]] void falha(const char* motivo, const TProjeto& lido, const TProjeto& relido) {
    std::fprintf(
        stderr, "%s\n--- escrito do que foi lido:\n%s\n--- escrito do que foi relido:\n%s\n",
        motivo, textoPranchas(lido).bytes.constData(), textoPranchas(relido).bytes.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const PranchasLidas lidas = lePranchas(bytes, agora);
    const PranchasEscritas escritas = textoPranchas(lidas.projeto);
    const PranchasLidas relidas = lePranchas(escritas.bytes, agora);
    const TProjeto lido = comoNoArquivo(lidas.projeto);
    const TProjeto relido = comoNoArquivo(relidas.projeto);
    if (escritas.trocados > 0) {
        // Characters the file cannot hold came back as "?" (and the user was told): the texts
        // differ, the boards must still be all there.
        if (relido.nPranchas != lido.nPranchas) falha("pranchas perdidas", lido, relido);
        return 0;
    }
    if (relido.pranchas.size() != lido.pranchas.size())
        falha("numero de pranchas difere", lido, relido);
    for (qsizetype i = 0; i < lido.pranchas.size(); ++i)
        if (relido.pranchas.at(i) != lido.pranchas.at(i)) {
            std::fprintf(stderr, "prancha %lld difere\n", static_cast<long long>(i));
            falha("ida e volta mudou uma prancha", lido, relido);
        }
    if (relido != lido) falha("ida e volta mudou os ajustes", lido, relido);
    return 0;
}
