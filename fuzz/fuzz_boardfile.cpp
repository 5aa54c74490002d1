// The board file's codec on arbitrary bytes, in memory: reading never fails, and a project read,
// written and read again is the project that was read.
// Run: scripts/fuzz.sh [SECONDS]
#include "nucleo/pranchas_formato.h"
#include "nucleo/pranchas_valores.h"

#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// An item without a label is written under a hidden one made from what it holds; one that
// holds nothing to make it from is not written and comes back empty.
bool itemComoNoArquivo(const TItem& lido, const TItem& relido) {
    static const TItem vazio;
    const TItem escrito = comRotuloOculto(lido);
    return escrito.rotulo.isEmpty() ? relido == vazio : relido == escrito;
}

// Field by field.
bool pranchaComoNoArquivo(const TPrancha& lida, const TPrancha& relida) {
    if (lida.nome != relida.nome || lida.titulo != relida.titulo ||
        lida.nLinhas != relida.nLinhas || lida.nColunas != relida.nColunas ||
        lida.cor != relida.cor || lida.som != relida.som || lida.link != relida.link ||
        lida.fala != relida.fala || lida.nItens() != relida.nItens() ||
        lida.itens.size() != relida.itens.size())
        return false;
    for (qsizetype i = 0; i < lida.itens.size(); ++i)
        if (!itemComoNoArquivo(lida.itens.at(i), relida.itens.at(i))) return false;
    return true;
}

bool ajustesIguais(TProjeto lido, TProjeto relido) {
    lido.pranchas.clear();
    relido.pranchas.clear();
    return lido == relido;
}

[[noreturn]] void falha(const char* motivo, const TProjeto& lido, const TProjeto& relido) {
    std::fprintf(
        stderr, "%s\n--- escrito do que foi lido:\n%s\n--- escrito do que foi relido:\n%s\n",
        motivo, textoPranchas(lido).bytes.constData(), textoPranchas(relido).bytes.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
#ifdef __GLIBC__
    // A damaged file can ask for a grid of thousands of cells: megabytes built and freed per
    // input. Left to its defaults the allocator hands such blocks back to the system and takes
    // them again, page by page, on the next input; keeping them makes those inputs several
    // times cheaper. (Under the address checker its own allocator is used and this does nothing.)
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const PranchasLidas lidas = lePranchas(bytes, agora);
    const PranchasEscritas escritas = textoPranchas(lidas.projeto);
    const PranchasLidas relidas = lePranchas(escritas.bytes, agora);
    const TProjeto& lido = lidas.projeto;
    const TProjeto& relido = relidas.projeto;
    if (relido.nPranchas() != lido.nPranchas()) falha("numero de pranchas difere", lido, relido);
    // Characters the file cannot hold come back as "?" (and the user is told): then the texts
    // differ, and only the count of boards above is checked.
    if (escritas.trocados == 0) {
        if (!ajustesIguais(lido, relido)) falha("ida e volta mudou os ajustes", lido, relido);
        for (qint32 i = 0; i < lido.nPranchas(); ++i)
            if (!pranchaComoNoArquivo(lido.pranchas.at(i), relido.pranchas.at(i))) {
                std::fprintf(stderr, "prancha %d difere\n", i);
                falha("ida e volta mudou uma prancha", lido, relido);
            }
    }
    // A grid far beyond the editor's 20 × 20 takes the same paths, only with thousands of empty
    // items to build and compare: checked like any other input, but asked to be kept out of the
    // corpus so such inputs do not take most of the run. The libFuzzer of clang 14 does not honour
    // the request (it keeps any input that adds coverage), so the seeds hold one such input only,
    // the smallest that reaches a grid folded past the widest the reader takes.
    for (qint32 i = 0; i < lido.nPranchas(); ++i)
        if (lido.pranchas.at(i).nItens() > 400) return -1;
    return 0;
}
