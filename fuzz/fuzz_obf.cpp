// The Open Board Format board reader on arbitrary bytes, in memory: reading never crashes or
// hangs, a board read is one the board file can hold (its grid within the file's limits, one
// item per cell), and written to the board file and read back it keeps its shape and labels.
// Run: scripts/fuzz.sh [SECONDS]
#include "logica/troca/obf_leitura.h"
#include "logica/troca/obf_para_prancha.h"
#include "nucleo/pranchas_formato.h"
#include "nucleo/pranchas_valores.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void falha(const char* motivo) {
    std::fprintf(stderr, "%s\n", motivo);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const QuadroLido lido = leQuadroObf(bytes);
    if (!lido.erro.isEmpty()) return 0;
    const QuadroObf& q = lido.quadro;
    if (q.linhas < 1 || q.colunas < 1 || q.linhas > maxLinhasColunas ||
        q.colunas > maxLinhasColunas || q.linhas * q.colunas > maxItens)
        falha("grade fora dos limites do arquivo de pranchas");
    if (q.celulas.size() != q.linhas * q.colunas) falha("celulas nao cobrem a grade");

    LigacoesObf lig;
    lig.pranchaInicial = QStringLiteral("INICIO");
    TProjeto p;
    p.pranchas.append(pranchaDoQuadro(q, QStringLiteral("OBF"), lig));
    const TPrancha& b = p.pranchas.constFirst();
    if (b.nItens() != q.linhas * q.colunas) falha("itens nao correspondem a grade");
    // A cell that holds a button keeps a label, so the board file keeps the cell.
    for (qsizetype k = 0; k < b.itens.size(); ++k)
        if (q.botoes.contains(q.celulas.at(k)) &&
            semBrancosNasPontas(b.itens.at(k).rotulo).isEmpty())
            falha("botao sem rotulo seria perdido");

    const PranchasEscritas escritas = textoPranchas(p);
    const PranchasLidas relidas = lePranchas(escritas.bytes, agora);
    if (relidas.projeto.nPranchas() != 1) falha("prancha perdida no arquivo");
    const TPrancha& r = relidas.projeto.pranchas.constFirst();
    if (r.nLinhas != b.nLinhas || r.nColunas != b.nColunas) falha("grade mudou no arquivo");
    if (escritas.trocados == 0)
        for (qsizetype k = 0; k < b.itens.size(); ++k)
            if (r.itens.at(k).rotulo != semBrancosNasPontas(b.itens.at(k).rotulo) &&
                !b.itens.at(k).rotulo.startsWith(u'"') && !b.itens.at(k).rotulo.startsWith(u'\''))
                falha("rotulo mudou no arquivo");
    return 0;
}
