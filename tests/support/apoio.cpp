#include "support/apoio.h"

#include "nucleo/pranchas_arquivo.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <memory>

void noProximoModal(std::function<void(QWidget*)> acao) {
    QTimer::singleShot(0, [acao] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) qFatal("noProximoModal: nenhuma janela modal foi aberta");
        acao(w);
    });
}

QString copiaDadosDeTeste(const QTemporaryDir& destino, const QString& pastaDeDados) {
    const QString alvo = destino.path();
    if (pastaDeDados.isEmpty()) return alvo;
    const QString origem = QStringLiteral(ZELVANA_TEST_DATA "/") + pastaDeDados;
    QDirIterator it(origem, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = QDir(origem).relativeFilePath(f);
        QDir().mkpath(QFileInfo(alvo + "/" + rel).path());
        QFile::copy(f, alvo + "/" + rel);
    }
    return alvo;
}

QByteArray leArquivo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool escreveArquivo(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

PastaAtual::PastaAtual()
    : antes(QDir::currentPath()), entrou(dir.isValid() && QDir::setCurrent(dir.path())) {}

PastaAtual::~PastaAtual() {
    QDir::setCurrent(antes);
}

QString novaPastaDeProjeto(const QTemporaryDir& dir) {
    static int n = 0;
    const QString pasta = dir.filePath(QStringLiteral("projeto%1").arg(++n));
    QDir().mkpath(pasta);
    definePastaProjeto(pasta);
    return pastaProjeto;
}

QStringList rotulosDosItens(const TPrancha& b) {
    QStringList r;
    for (const TItem& it : b.itens)
        r << it.rotulo;
    return r;
}
