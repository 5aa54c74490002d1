// What the next save loses or changes: items past the grid, which the board file does not read
// back, and characters that Windows-1252 cannot hold, which are written as "?".
#include "logica/verificacao/regras.h"

#include "nucleo/cp1252.h"

namespace {

void cp1252(Verificacao& v, int b, int j, const QString& qual, const QString& texto) {
    const int trocas = trocasEmCp1252(texto);
    if (trocas == 0) return;
    const QString frase =
        qual + QStringLiteral(" tem ") +
        quantos(trocas, QStringLiteral("caractere"), QStringLiteral("caracteres")) +
        QStringLiteral(" que o arquivo de pranchas não guarda (como emojis ou quebras de "
                       "linha); ao salvar, ") +
        (trocas == 1 ? QStringLiteral("ele vira") : QStringLiteral("eles viram")) +
        QStringLiteral(" \"?\".");
    if (b < 0)
        v.achaNoProjeto(TipoAchado::textoForaDoCp1252, frase.at(0).toUpper() + frase.mid(1));
    else
        v.acha(TipoAchado::textoForaDoCp1252, b, j, frase);
}

} // namespace

void achaItensForaDaGrade(const TProjeto& p, QList<Achado>& achados) {
    const int n = p.nPranchas();
    for (int b = 0; b < n; ++b) {
        const TPrancha& prancha = p.pranchas[b];
        const QString grade = QString::number(prancha.nLinhas) + QStringLiteral(" × ") +
                              QString::number(prancha.nColunas);
        for (int j = Verificacao::itensNaGrade(prancha); j < prancha.itens.size(); ++j)
            achados.append(achado(p, TipoAchado::itemForaDaGrade, b, j,
                                  QStringLiteral("fica fora da grade de ") + grade +
                                      QStringLiteral(": não aparece na prancha e se perde ao "
                                                     "salvar.")));
    }
}

void verificaGravacao(Verificacao& v) {
    achaItensForaDaGrade(v.p, v.achados);
    cp1252(v, -1, -1, QStringLiteral("o autor do projeto"), v.p.autor);
    cp1252(v, -1, -1, QStringLiteral("a data do projeto"), v.p.data);
    cp1252(v, -1, -1, QStringLiteral("a informação do projeto"), v.p.info);
    cp1252(v, -1, -1, QStringLiteral("a prancha inicial"), v.p.pranchaInicial);
    cp1252(v, -1, -1, QStringLiteral("a prancha de socorro"), v.p.pranchaSocorro);
    for (int b = 0; b < v.nPranchas(); ++b) {
        const TPrancha& prancha = v.p.pranchas[b];
        cp1252(v, b, -1, QStringLiteral("o nome da prancha"), prancha.nome);
        cp1252(v, b, -1, QStringLiteral("o título"), prancha.titulo);
        cp1252(v, b, -1, QStringLiteral("o link da prancha"), prancha.link);
        cp1252(v, b, -1, QStringLiteral("o som da prancha"), prancha.som);
        cp1252(v, b, -1, QStringLiteral("a fala da prancha"), prancha.fala);
        for (int j = 0; j < Verificacao::itensNaGrade(prancha); ++j) {
            const TItem& it = prancha.itens[j];
            if (it.rotulo.isEmpty()) continue; // not written at all
            cp1252(v, b, j, QStringLiteral("o rótulo"), it.rotulo);
            cp1252(v, b, j, QStringLiteral("a figura"), it.figura);
            cp1252(v, b, j, QStringLiteral("o link"), it.link);
            cp1252(v, b, j, QStringLiteral("o som"), it.som);
            cp1252(v, b, j, QStringLiteral("a fala"), it.fala);
            cp1252(v, b, j, QStringLiteral("o programa"), it.executar);
        }
    }
}
