#include "model/ini.h"

#include "model/cp1252.h"

#include <QFile>

namespace {

// The blanks around keys, values and section names: space, tab and the line-end controls.
// QStringView::trimmed() would also cut U+00A0, a character the user typed.
QStringView semBrancos(QStringView v) {
    auto branco = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (!v.isEmpty() && branco(v.front()))
        v = v.mid(1);
    while (!v.isEmpty() && branco(v.back()))
        v.chop(1);
    return v;
}

QStringView semAspas(QStringView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

ArquivoIni ArquivoIni::deBytes(const QByteArray& bytes) {
    ArquivoIni ini;
    const QString texto = deCp1252(bytes);
    const QStringView tudo(texto);
    int atual = -1; // index, not pointer: conteudos grows
    qsizetype inicio = 0;
    while (inicio <= tudo.size()) {
        qsizetype fim = tudo.indexOf(u'\n', inicio);
        if (fim < 0) fim = tudo.size();
        const QStringView linha = semBrancos(tudo.mid(inicio, fim - inicio));
        inicio = fim + 1;
        if (linha.isEmpty() || linha.front() == u';') continue;
        if (linha.front() == u'[') {
            qsizetype fecha = linha.indexOf(u']');
            if (fecha < 0) fecha = linha.size();
            const QString nome = semBrancos(linha.mid(1, fecha - 1)).toString();
            ini.nomes.append(nome);
            ini.conteudos.append(Secao());
            const QString chave = nome.toLower();
            if (!ini.indice.contains(chave)) {
                ini.indice.insert(chave, int(ini.conteudos.size() - 1));
                atual = int(ini.conteudos.size() - 1);
            } else {
                atual = -1; // a later section of the same name is never looked up
            }
            continue;
        }
        if (atual < 0) continue;
        const qsizetype igual = linha.indexOf(u'=');
        if (igual <= 0) continue;
        QString chave = semBrancos(linha.left(igual)).toString().toLower();
        Secao& sec = ini.conteudos[atual];
        if (sec.contains(chave)) continue;
        sec.insert(std::move(chave), semAspas(semBrancos(linha.mid(igual + 1))).toString());
    }
    return ini;
}

ArquivoIni ArquivoIni::doArquivo(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return deBytes(f.readAll());
}

const ArquivoIni::Secao* ArquivoIni::secao(const QString& nome) const {
    const auto it = indice.constFind(nome.toLower());
    return it == indice.constEnd() ? nullptr : &conteudos.at(*it);
}

QString ArquivoIni::valorEm(const Secao* secao, const QString& chaveMinuscula) {
    if (!secao) return {};
    return secao->value(chaveMinuscula);
}

QString ArquivoIni::valor(const QString& nome, const QString& chave) const {
    return valorEm(secao(nome), chave.toLower());
}

QStringList ArquivoIni::chaves(const QString& nome) const {
    const Secao* s = secao(nome);
    return s ? s->keys() : QStringList();
}
