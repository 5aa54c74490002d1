#include "fontes.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

const QChar seletorEmoji(0xFE0F);

QString semSeletor(QString s) {
    return s.remove(seletorEmoji);
}

bool tomDePele(char32_t c) {
    return c >= 0x1F3FB && c <= 0x1F3FF;
}

bool abre(QFile& f, QString& erro) {
    if (f.open(QIODevice::ReadOnly)) return true;
    erro = QStringLiteral("não foi possível ler %1").arg(f.fileName());
    return false;
}

} // namespace

bool leListaDeEmoji(const QString& emojiTest, ListaDeEmoji& lista, QString& erro) {
    QFile f(emojiTest);
    if (!abre(f, erro)) return false;
    while (!f.atEnd()) {
        const QString linha = QString::fromUtf8(f.readLine());
        if (linha.startsWith(QLatin1Char('#')) || !linha.contains(QLatin1Char(';'))) continue;
        const QString estado =
            linha.section(QLatin1Char(';'), 1).section(QLatin1Char('#'), 0, 0).trimmed();
        if (estado != QLatin1String("fully-qualified") && estado != QLatin1String("component"))
            continue;
        QList<char32_t> codigos;
        bool pele = false;
        for (const QString& h :
             linha.section(QLatin1Char(';'), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool ok = false;
            const char32_t c = h.toUInt(&ok, 16);
            if (!ok) {
                erro = QStringLiteral("linha inválida em %1: %2").arg(emojiTest, linha.trimmed());
                return false;
            }
            pele = pele || tomDePele(c);
            codigos << c;
        }
        const QString e = QString::fromUcs4(codigos.constData(), codigos.size());
        if (!lista.qualificado.contains(semSeletor(e))) lista.qualificado.insert(semSeletor(e), e);
        if (!pele) lista.emoji << e;
    }
    if (lista.emoji.isEmpty()) {
        erro = QStringLiteral("nenhum emoji em %1").arg(emojiTest);
        return false;
    }
    return true;
}

bool leVocabulario(const QString& arquivo, const ListaDeEmoji& lista, QList<Palavra>& saida,
                   QString& erro) {
    QFile f(arquivo);
    if (!abre(f, erro)) return false;
    int numero = 0;
    while (!f.atEnd()) {
        ++numero;
        const QString linha =
            QString::fromUtf8(f.readLine()).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        if (linha.trimmed().isEmpty() || linha.startsWith(QLatin1Char('#'))) continue;
        const QStringList col = linha.split(QLatin1Char('\t'));
        if (col.size() < 4) {
            erro = QStringLiteral("%1:%2: são esperadas 4 colunas").arg(arquivo).arg(numero);
            return false;
        }
        const QString ajuste = col.at(3).trimmed();
        if (ajuste == QLatin1String("none")) continue;
        const QString emoji = col.at(2).trimmed();
        if (emoji.isEmpty()) {
            erro = QStringLiteral("%1:%2: \"%3\" não tem emoji")
                       .arg(arquivo)
                       .arg(numero)
                       .arg(col.at(0));
            return false;
        }
        saida.append({col.at(0).trimmed(), lista.qualificado.value(semSeletor(emoji), emoji),
                      Origem::vocabulario});
    }
    return true;
}

bool leNomesCldr(const QStringList& arquivos, QHash<QString, QString>& nomes, QString& erro) {
    for (const QString& arquivo : arquivos) {
        QFile f(arquivo);
        if (!abre(f, erro)) return false;
        QXmlStreamReader xml(&f);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement ||
                xml.name() != QLatin1String("annotation") ||
                xml.attributes().value(QLatin1String("type")) != QLatin1String("tts"))
                continue;
            const QString cp = semSeletor(xml.attributes().value(QLatin1String("cp")).toString());
            const QString nome = xml.readElementText().trimmed();
            if (!cp.isEmpty() && !nome.isEmpty() && !nomes.contains(cp)) nomes.insert(cp, nome);
        }
        if (xml.hasError()) {
            erro = QStringLiteral("%1: %2").arg(arquivo, xml.errorString());
            return false;
        }
    }
    return true;
}

QList<Palavra> palavrasCldr(const ListaDeEmoji& lista, const QHash<QString, QString>& nomes) {
    QList<Palavra> saida;
    for (const QString& e : lista.emoji) {
        const QString nome = nomes.value(semSeletor(e));
        if (!nome.isEmpty()) saida.append({nome, e, Origem::cldr});
    }
    return saida;
}
