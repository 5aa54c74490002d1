#include "logica/editor/regras_propriedades.h"

#include "logica/editor/biblioteca_figuras.h"

#include <QCollator>
#include <QLocale>
#include <QtGlobal>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {
constexpr int tamanhos[] = {18, 36, 72};
}

int tamanhoLetras(const QString& texto) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok, 10);
    return ok && n >= 8 && n <= 400 ? n : 8;
}

int entradaDeTamanho(int tamanho) {
    for (int k = 0; k < 3; ++k)
        if (tamanhos[k] == tamanho) return k;
    return entradaOutras;
}

int tamanhoDaEntrada(int entrada) {
    return entrada >= 0 && entrada < 3 ? tamanhos[entrada] : 0;
}

int leDimensaoGrade(const QString& texto, int anterior) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok, 10);
    return ok ? qBound(1, n, 20) : anterior;
}

QList<int> filtraFiguras(const QStringList& nomesMaiusculos, const QString& iniciais) {
    QList<int> passam;
    const QString procura = maiusculas(iniciais.trimmed());
    if (procura.isEmpty()) return passam;
    const bool umaLetra = procura.size() == 1;
    for (int k = 0; k < nomesMaiusculos.size(); ++k) {
        const QString& nome = nomesMaiusculos[k];
        if (umaLetra ? nome == procura : nome.startsWith(procura)) passam.append(k);
    }
    return passam;
}

QList<int> posicoesAlfabeticas(const QStringList& nomes) {
    QCollator ordem(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ordem.setCaseSensitivity(Qt::CaseInsensitive);
    ordem.setNumericMode(true);
    std::vector<QCollatorSortKey> chaves;
    chaves.reserve(nomes.size());
    for (const QString& n : nomes)
        chaves.push_back(ordem.sortKey(n));
    std::vector<int> indices(nomes.size());
    std::iota(indices.begin(), indices.end(), 0);
    std::stable_sort(indices.begin(), indices.end(),
                     [&](int a, int b) { return chaves[a].compare(chaves[b]) < 0; });
    QList<int> posicoes(nomes.size());
    for (int k = 0; k < int(indices.size()); ++k)
        posicoes[indices[k]] = k;
    return posicoes;
}
