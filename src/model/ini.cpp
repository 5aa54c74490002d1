#include "model/ini.h"

#include "model/cp1252.h"

#include <QFile>

namespace {

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
        const QStringView linha = tudo.mid(inicio, fim - inicio).trimmed();
        inicio = fim + 1;
        if (linha.isEmpty() || linha.front() == u';') continue;
        if (linha.front() == u'[') {
            qsizetype fecha = linha.indexOf(u']');
            if (fecha < 0) fecha = linha.size();
            const QString nome = linha.mid(1, fecha - 1).trimmed().toString();
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
        QString chave = linha.left(igual).trimmed().toString().toLower();
        Secao& sec = ini.conteudos[atual];
        if (sec.contains(chave)) continue;
        sec.insert(std::move(chave), semAspas(linha.mid(igual + 1).trimmed()).toString());
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
