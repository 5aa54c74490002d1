// The board file read the way INI profile functions read it. One pass over the text builds an
// index of its sections and KEY=value lines as views into that text, so reading a key costs no
// allocation of its own.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class ArquivoIni {
public:
    // One KEY=value line: the key without its blanks, the value without its blanks and without
    // one pair of enclosing quotes. Views into the index's own text.
    struct Par {
        QStringView chave;
        QStringView valor;
    };
    // The lines of one section, in file order; a repeated key appears as often as it is written.
    struct Pares {
        const Par* inicio;
        const Par* fim;
        const Par* begin() const { return inicio; }
        const Par* end() const { return fim; }
    };

    ArquivoIni() = default;
    // Bytes in Windows-1252.
    static ArquivoIni deBytes(const QByteArray& bytes);

    // Section names in file order, one per section line, duplicates included.
    const QStringList& secoes() const { return nomes; }
    Pares pares(qsizetype secao) const;
    // The first section at or after `desde` named as section `secao` (letter case ignored), -1
    // when none. Lookups by name find the first section of that name; `desde` lets a reader
    // leave out sections that are not boards.
    qsizetype primeiraDoNome(qsizetype secao, qsizetype desde = 0) const;
    // The first section of that name, letter case ignored; -1 when there is none.
    qsizetype achaSecao(QStringView nome) const;

    // The first value of the key (letter case ignored) in that section; empty when absent.
    QStringView valorEm(qsizetype secao, QStringView chave) const;
    // The same in the first section of that name.
    QStringView valor(QStringView secao, QStringView chave) const;

private:
    struct Secao {
        qsizetype primeiroPar;
        qsizetype fimPares;
        qsizetype primeiraDoNome; // the first section of the same name
        qsizetype proximaDoNome;  // the next section of the same name, -1 after the last
    };
    void abreSecao(QStringView nome);

    QString texto;
    QStringList nomes;
    std::vector<Secao> secoes_;
    std::vector<Par> pares_;
    QHash<QString, qsizetype> ultimaDoNome; // lower-case name -> last section of that name
};
