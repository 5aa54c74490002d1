#include "logica/troca/midias_exportadas.h"

#include "desenho/figura.h"
#include "nucleo/nomes.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <cmath>

namespace {

QByteArray leBytes(const QString& caminho, bool& ok) {
    QFile f(caminho);
    ok = f.open(QIODevice::ReadOnly);
    return ok ? f.readAll() : QByteArray();
}

// A name a zip reader on any system takes as one file: no folders, no hidden file, nothing a
// shell or another system would read otherwise.
bool nomeSimples(const QString& nome) {
    if (nome.isEmpty() || nome.startsWith(u'.')) return false;
    for (const QChar c : nome)
        if (c < u' ' || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
            c == u'"' || c == u'<' || c == u'>' || c == u'|')
            return false;
    return true;
}

QString caminhoNoPacote(const QString& pasta, const QString& arquivo, const QString& id) {
    if (nomeSimples(arquivo)) return pasta + u'/' + arquivo;
    const QString ext = QFileInfo(arquivo).suffix();
    return pasta + u'/' + id + (ext.isEmpty() || !nomeSimples(ext) ? QString() : u'.' + ext);
}

quint32 le32(const QByteArray& b, qsizetype i) {
    return qFromLittleEndian<quint32>(b.constData() + i);
}

int duracaoWav(const QByteArray& b) {
    quint32 bytesPorSegundo = 0;
    for (qsizetype i = 12; i + 8 <= b.size();) {
        const QByteArray id = b.mid(i, 4);
        const quint32 tamanho = le32(b, i + 4);
        if (id == "fmt " && i + 16 <= b.size()) bytesPorSegundo = le32(b, i + 16);
        if (id == "data") {
            if (bytesPorSegundo == 0) return -1;
            const qint64 dados = qMin<qint64>(tamanho, b.size() - i - 8);
            return int(std::lround(double(dados) / bytesPorSegundo));
        }
        i += 8 + qint64(tamanho) + (tamanho & 1);
    }
    return -1;
}

// From the first frame's bit rate, as if every frame had it.
int duracaoMp3(const QByteArray& b) {
    qsizetype i = 0;
    if (b.startsWith("ID3") && b.size() >= 10)
        i = 10 + ((b[6] & 0x7F) << 21 | (b[7] & 0x7F) << 14 | (b[8] & 0x7F) << 7 | (b[9] & 0x7F));
    for (; i + 4 <= b.size(); ++i) {
        const uchar a = uchar(b[i]), c = uchar(b[i + 1]), d = uchar(b[i + 2]);
        if (a != 0xFF || (c & 0xE0) != 0xE0) continue;
        const int versao = (c >> 3) & 3; // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
        const int camada = (c >> 1) & 3; // 1: layer III
        const int indice = d >> 4;
        if (versao == 1 || camada != 1 || indice == 0 || indice == 15) continue;
        static const int mpeg1[] = {0,   32,  40,  48,  56,  64,  80, 96,
                                    112, 128, 160, 192, 224, 256, 320};
        static const int mpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
        const int kbps = versao == 3 ? mpeg1[indice] : mpeg2[indice];
        return int(std::lround(double(b.size() - i) * 8 / (kbps * 1000.0)));
    }
    return -1;
}

} // namespace

int duracaoDoSom(const QByteArray& bytes) {
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE") return duracaoWav(bytes);
    return duracaoMp3(bytes);
}

QString tipoDoSom(const QByteArray& bytes, const QString& arquivo) {
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE") return QStringLiteral("audio/wav");
    if (bytes.startsWith("OggS")) return QStringLiteral("audio/ogg");
    if (bytes.startsWith("ID3") ||
        (bytes.size() > 1 && uchar(bytes[0]) == 0xFF && (uchar(bytes[1]) & 0xE0) == 0xE0))
        return QStringLiteral("audio/mpeg");
    const QString ext = QFileInfo(arquivo).suffix().toLower();
    if (ext == QLatin1String("mp3")) return QStringLiteral("audio/mpeg");
    if (ext == QLatin1String("ogg")) return QStringLiteral("audio/ogg");
    return QStringLiteral("audio/wav");
}

MidiasDoProjeto::MidiasDoProjeto(const QString& p)
    : pasta(p), arquivos(ArquivosDaPasta::listada(p)) {}

int MidiasDoProjeto::figura(const TItem& item) {
    if (item.figura.isEmpty() && item.rotulo.isEmpty()) return -1;
    const QString caminho = resolveFigura(item.figura, item.rotulo, arquivos);
    // Only files of the project folder travel: a name reaching elsewhere is not packed.
    if (caminho.isEmpty() || caminho.contains(u'/') || caminho.contains(u'\\')) {
        if (!item.figura.isEmpty()) faltandoFiguras.insert(item.figura);
        return -1;
    }
    const QString arquivo = QFileInfo(caminho).fileName();
    const auto ja = figuraPorArquivo.constFind(arquivo);
    if (ja != figuraPorArquivo.constEnd()) return *ja;
    bool ok = false;
    MidiaExportada m;
    m.bytes = leBytes(arquivos.caminho(caminho), ok);
    QBuffer buffer(&m.bytes);
    QImageReader leitor(&buffer);
    const QSize tamanho = leitor.size();
    const QByteArray formato = leitor.format();
    if (!ok || !tamanho.isValid() || formato.isEmpty() || QImage::fromData(m.bytes).isNull()) {
        figuraPorArquivo.insert(arquivo, -1);
        faltandoFiguras.insert(arquivo);
        return -1;
    }
    m.id = QStringLiteral("figura_%1").arg(figuras_.size() + 1);
    m.arquivo = arquivo;
    m.caminho = caminhoNoPacote(QStringLiteral("images"), arquivo, m.id);
    m.tipo = QStringLiteral("image/") + QString::fromLatin1(formato == "jpg" ? "jpeg" : formato);
    m.largura = tamanho.width();
    m.altura = tamanho.height();
    figuraPorArquivo.insert(arquivo, int(figuras_.size()));
    figuras_.append(std::move(m));
    return int(figuras_.size()) - 1;
}

int MidiasDoProjeto::som(const QString& nome, bool contaFalta) {
    if (nome.trimmed().isEmpty()) return -1;
    const QString arquivo = nomeDeSom(nome);
    const auto ja = somPorArquivo.constFind(arquivo);
    if (ja != somPorArquivo.constEnd()) {
        if (*ja < 0 && contaFalta) faltandoSons.insert(arquivo);
        return *ja;
    }
    bool ok = !arquivo.contains(u'/') && !arquivo.contains(u'\\') && arquivos.existe(arquivo);
    MidiaExportada m;
    if (ok) m.bytes = leBytes(arquivos.caminho(arquivo), ok);
    if (!ok) {
        somPorArquivo.insert(arquivo, -1);
        if (contaFalta) faltandoSons.insert(arquivo);
        return -1;
    }
    m.id = QStringLiteral("som_%1").arg(sons_.size() + 1);
    m.arquivo = QFileInfo(arquivo).fileName();
    m.caminho = caminhoNoPacote(QStringLiteral("sounds"), m.arquivo, m.id);
    m.tipo = tipoDoSom(m.bytes, m.arquivo);
    m.duracao = duracaoDoSom(m.bytes);
    somPorArquivo.insert(arquivo, int(sons_.size()));
    sons_.append(std::move(m));
    return int(sons_.size()) - 1;
}
