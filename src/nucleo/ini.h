// The board file read the way INI profile functions read it. One pass over the bytes finds the
// sections; a section's KEY=value lines are read when it is, as views into those bytes, so
// reading a key costs no allocation of its own and each line is looked at while it is in the
// cache. Windows-1252 has one byte per character: a view of bytes is a view of characters,
// decoded only where a text is kept.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class ArquivoIni {
public:
    // One KEY=value line: the key without its blanks, the value without its blanks and without
    // one pair of enclosing quotes. Views into the index's own bytes.
    struct Par {
        QByteArrayView chave;
        QByteArrayView valor;
    };
    // The lines of one section, in file order; a repeated key appears as often as it is written.
    class Pares {
    public:
        class Iterador {
        public:
            Iterador(const char* de, const char* ate) : proxima(de), fim(ate) { avanca(); }
            const Par& operator*() const { return par; }
            const Par* operator->() const { return &par; }
            Iterador& operator++() {
                avanca();
                return *this;
            }
            bool operator!=(const Iterador& o) const { return linha != o.linha; }

        private:
            void avanca(); // to the next KEY=value line; linha is null after the last
            const char* proxima;
            const char* fim;
            const char* linha = nullptr;
            Par par;
        };
        Pares(const char* de, const char* ate) : inicio(de), fim(ate) {}
        Iterador begin() const { return {inicio, fim}; }
        Iterador end() const { return {fim, fim}; }

    private:
        const char* inicio;
        const char* fim;
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

    // The bytes of the first value of the key (letter case ignored) in that section; empty when
    // absent.
    QByteArrayView valorEm(qsizetype secao, QStringView chave) const;
    // The text of that value in the first section of that name.
    QString valor(QStringView secao, QStringView chave) const;

private:
    struct Secao {
        qsizetype inicio; // its lines' bytes: after the section line, up to the next one
        qsizetype fim;
        qsizetype primeiraDoNome; // the first section of the same name
        qsizetype proximaDoNome;  // the next section of the same name, -1 after the last
    };
    void abreSecao(QByteArrayView nome, qsizetype inicio);

    QByteArray bytes;
    QStringList nomes;
    std::vector<Secao> secoes_;
    QHash<QString, qsizetype> ultimaDoNome; // lower-case name -> last section of that name
};
