#include "nomes.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

// Refused by Windows, or by the desktop file systems that follow its rules (FAT, NTFS, SMB).
bool proibido(char32_t c) {
    return c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' ||
           c == '\\' || c == '|' || c == '?' || c == '*';
}

bool reservadoNoWindows(const QString& nome) {
    static const QRegularExpression re(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                       QRegularExpression::CaseInsensitiveOption);
    // Windows ignores the extension when it checks: "nul.txt" is a device as well.
    const QString base = nome.section(QLatin1Char('.'), 0, 0).trimmed();
    return re.match(base).hasMatch();
}

} // namespace

QString nomeDeArquivo(const QString& palavra) {
    const QString nfc = palavra.normalized(QString::NormalizationForm_C);
    QString limpo;
    limpo.reserve(nfc.size());
    for (const char32_t c : nfc.toUcs4()) {
        if (proibido(c)) continue;
        limpo += QString::fromUcs4(&c, 1);
    }
    limpo = limpo.simplified();
    while (limpo.endsWith(QLatin1Char('.')) || limpo.endsWith(QLatin1Char(' ')))
        limpo.chop(1);
    if (limpo.isEmpty()) return {};
    if (reservadoNoWindows(limpo)) limpo += QLatin1Char('_');
    return limpo;
}

QString codigosDoEmoji(const QString& emoji) {
    QStringList partes;
    for (const char32_t c : emoji.toUcs4())
        partes << QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return partes.join(QLatin1Char(' '));
}

Montagem montaBiblioteca(const QList<Palavra>& vocabulario, const QList<Palavra>& cldr) {
    Montagem m;
    QHash<QString, qsizetype> porNome; // exact file name -> index in m.figuras
    const auto acrescenta = [&](const Palavra& p) {
        const QString nome = nomeDeArquivo(p.palavra);
        if (nome.isEmpty()) {
            m.avisos << QStringLiteral("\"%1\" não dá nome de arquivo").arg(p.palavra);
            return;
        }
        const QString arquivo = nome + QStringLiteral(".jpg");
        if (porNome.contains(arquivo)) {
            const Figura& antes = m.figuras.at(porNome.value(arquivo));
            if (antes.origem == Origem::vocabulario && p.origem == Origem::vocabulario)
                m.erros << QStringLiteral("a palavra \"%1\" aparece duas vezes no vocabulário")
                               .arg(p.palavra);
            else if (p.origem == Origem::cldr && antes.origem == Origem::cldr)
                m.avisos << QStringLiteral("%1 (%2) fica de fora: %3 já é de %4")
                                .arg(p.palavra, codigosDoEmoji(p.emoji), arquivo,
                                     codigosDoEmoji(antes.emoji));
            return;
        }
        porNome.insert(arquivo, m.figuras.size());
        m.figuras.append(
            {p.palavra.normalized(QString::NormalizationForm_C), arquivo, p.emoji, p.origem});
    };
    // The core words go first, so that a CLDR name giving the same file finds it taken.
    for (const Palavra& p : vocabulario)
        acrescenta(p);
    for (const Palavra& p : cldr)
        acrescenta(p);

    std::sort(m.figuras.begin(), m.figuras.end(),
              [](const Figura& a, const Figura& b) { return a.arquivo < b.arquivo; });

    // Sorting by the case-folded name puts the names that differ only by case side by side.
    QList<const Figura*> dobradas;
    for (const Figura& f : m.figuras)
        dobradas << &f;
    const auto dobra = [](const Figura* f) { return f->arquivo.toCaseFolded(); };
    std::stable_sort(dobradas.begin(), dobradas.end(),
                     [&](const Figura* a, const Figura* b) { return dobra(a) < dobra(b); });
    for (qsizetype i = 1; i < dobradas.size(); ++i)
        if (dobra(dobradas[i - 1]) == dobra(dobradas[i]))
            m.erros << QStringLiteral("\"%1\" e \"%2\" só diferem por maiúsculas e minúsculas")
                           .arg(dobradas[i - 1]->arquivo, dobradas[i]->arquivo);
    return m;
}
