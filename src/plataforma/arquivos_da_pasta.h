// Finding the files that a board names, as the platform's file search finds them: a bare name is
// looked for in one folder, matched exactly; where a search is asked for, "?" and "*" act as
// wildcards. The folder is either asked at each question (the run and the drawing, a few names
// at a time) or listed once and answered from memory (the project check, every name at once).
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class ArquivosDaPasta {
public:
    // The folder on disk, asked at each question; empty: the process's current folder, which
    // is the project folder while a project is open.
    explicit ArquivosDaPasta(const QString& pasta = {});
    // The folder listed now; later questions about bare names are answered from that list.
    static ArquivosDaPasta listada(const QString& pasta);

    // An ordinary file of exactly this name (a name with a folder part is asked of the disk).
    bool existe(const QString& nome) const;
    // A file that the name finds when "?" and "*" are wildcards, in any letter case; the same as
    // existe() for a name without them.
    bool procura(const QString& nome) const;
    // Where the file is: the name inside the folder (an absolute name stays as it is).
    QString caminho(const QString& nome) const;
    // A file of the listed folder whose name is this one but for letter case; empty when there
    // is none, or when the folder was not listed.
    QString comOutraCaixa(const QString& nome) const;

private:
    struct Lista {
        QSet<QString> nomes;
        QHash<QString, QString> porCaixa; // case-folded name -> a file with it
        QStringList todos;
        mutable QHash<QString, bool> buscas; // wildcard name -> found
    };
    bool listado(const QString& nome) const;

    QString pasta_;
    std::shared_ptr<const Lista> lista;
};
