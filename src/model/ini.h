// The board file read the way INI profile functions read it: parsed once into an index,
// then looked up by section and key without regard to letter case.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class ArquivoIni {
public:
    ArquivoIni() = default;
    // Bytes in Windows-1252.
    static ArquivoIni deBytes(const QByteArray& bytes);
    // Empty index when the file cannot be read.
    static ArquivoIni doArquivo(const QString& caminho);

    // Section names in file order, one per section line, duplicates included.
    const QStringList& secoes() const { return nomes; }
    // The value with surrounding blanks and one pair of quotes removed; empty when absent.
    // The first section of a name and the first key of a name count.
    QString valor(const QString& secao, const QString& chave) const;
    // Key names of the first section of that name, in lower case.
    QStringList chaves(const QString& secao) const;

    // For reading many keys of one section: find it once, then look keys up in it by their
    // lower-case names. Null when there is no such section.
    using Secao = QHash<QString, QString>; // lower-case key -> value
    const Secao* secao(const QString& nome) const;
    static QString valorEm(const Secao* secao, const QString& chaveMinuscula);

private:
    QStringList nomes;
    QVector<Secao> conteudos;
    QHash<QString, int> indice; // lower-case name -> first section
};
