// The pictures and sounds a project's boards name, each read once from the project folder and
// given one id for the whole package, however many items use it. A picture that is missing or
// cannot be decoded is left out, and counted, rather than written as a broken reference.
#pragma once

#include "nucleo/prvars.h"
#include "plataforma/arquivos_da_pasta.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

struct MidiaExportada {
    QString id;
    QString arquivo; // the file's name in the project folder
    QString caminho; // its path inside the package
    QByteArray bytes;
    QString tipo;     // MIME type
    int largura = -1; // pictures
    int altura = -1;
    int duracao = -1; // sounds, whole seconds; -1 when not known
};

class MidiasDoProjeto {
public:
    explicit MidiasDoProjeto(const QString& pasta);

    // The index in figuras() of the picture the item shows (as the drawing finds it); -1 when
    // none can be shown.
    int figura(const TItem& item);
    // The index in sons() of the file a sound name stands for; -1 when it is not in the folder,
    // counted as missing when the name was meant as a sound (a speech text may name none).
    int som(const QString& nome, bool contaFalta = true);

    const QList<MidiaExportada>& figuras() const { return figuras_; }
    const QList<MidiaExportada>& sons() const { return sons_; }
    // Pictures and sounds named by the boards but not found (or not pictures), by file name.
    int figurasFaltando() const { return faltandoFiguras.size(); }
    int sonsFaltando() const { return faltandoSons.size(); }

private:
    QString pasta;
    ArquivosDaPasta arquivos;
    QList<MidiaExportada> figuras_, sons_;
    QHash<QString, int> figuraPorArquivo, somPorArquivo; // file name -> index, -1: left out
    QSet<QString> faltandoFiguras, faltandoSons;
};

// Whole seconds of a WAV or MP3 file's bytes; -1 when they say nothing that tells.
int duracaoDoSom(const QByteArray& bytes);
// "audio/wav", "audio/mpeg", "audio/ogg" from the bytes (the name's extension when they say
// nothing).
QString tipoDoSom(const QByteArray& bytes, const QString& arquivo);
