#include "figura.h"

#include <QDir>
#include <QImageReader>

#include <mutex>

#include "geometria.h"
#include "plataforma/arquivos_da_pasta.h"
#include "plataforma/paralelo.h"

namespace {

// The image plug-ins tell of damaged data (a truncated JPEG, a bad Huffman code) only through a
// logged warning, and still hand back a picture that is mostly grey. A warning logged by them
// on the thread that is decoding marks that picture as undecodable.
thread_local bool lendoFigura = false;
thread_local bool figuraDanificada = false;
QtMessageHandler tratadorAnterior = nullptr;

void observaDecodificacao(QtMsgType tipo, const QMessageLogContext& contexto,
                          const QString& texto) {
    if (lendoFigura && contexto.category &&
        qstrncmp(contexto.category, "qt.gui.imageio", 14) == 0) {
        figuraDanificada = true;
        return;
    }
    if (tratadorAnterior) tratadorAnterior(tipo, contexto, texto);
}

// While one lives, what the image plug-ins log on this thread marks the picture as damaged
// instead of reaching the log.
class Decodificacao {
public:
    Decodificacao() {
        static std::once_flag instalado;
        std::call_once(instalado,
                       [] { tratadorAnterior = qInstallMessageHandler(observaDecodificacao); });
        lendoFigura = true;
        figuraDanificada = false;
    }
    ~Decodificacao() { lendoFigura = false; }
    Decodificacao(const Decodificacao&) = delete;
    Decodificacao& operator=(const Decodificacao&) = delete;
    bool danificada() const { return figuraDanificada; }
};

} // namespace

QString resolveFigura(const QString& figura, const QString& rotulo,
                      const ArquivosDaPasta& arquivos) {
    QString escolhido;
    if (!figura.isEmpty() && arquivos.procura(figura))
        escolhido = figura;
    else if (!figura.isEmpty() && arquivos.procura(figura + QStringLiteral(".jpg")))
        escolhido = figura + QStringLiteral(".jpg");
    else if (!rotulo.isEmpty() && arquivos.procura(rotulo + QStringLiteral(".jpg")))
        escolhido = rotulo + QStringLiteral(".jpg");
    escolhido.remove(QLatin1Char('?'));
    escolhido.remove(QLatin1Char('*'));
    return escolhido;
}

QString resolveFigura(const QString& figura, const QString& rotulo) {
    return resolveFigura(figura, rotulo, ArquivosDaPasta());
}

EstadoFigura examinaFigura(const QString& caminho) {
    const Decodificacao decodificacao;
    QImageReader leitor(caminho);
    const QByteArray formato = leitor.format();
    if (formato.isEmpty() || !leitor.size().isValid()) return EstadoFigura::ilegivel;
    // Decoded small: damaged data shows all the same, and a large photo costs little.
    leitor.setScaledSize(leitor.size().scaled(QSize(32, 32), Qt::KeepAspectRatio));
    if (leitor.read().isNull() || decodificacao.danificada()) return EstadoFigura::ilegivel;
    return formato == "jpeg" || formato == "bmp" ? EstadoFigura::legivel
                                                 : EstadoFigura::outroFormato;
}

QList<EstadoFigura> examinaFiguras(const QStringList& caminhos) {
    QList<EstadoFigura> estados(caminhos.size());
    emParalelo(caminhos.size(), [&](qsizetype i) { estados[i] = examinaFigura(caminhos.at(i)); });
    return estados;
}

FiguraLida leFiguraAjustada(const QString& arquivo, QSize area) {
    FiguraLida r;
    if (arquivo.isEmpty() || area.width() <= 0 || area.height() <= 0) return r;
    const Decodificacao decodificacao;
    QImageReader leitor(QDir::current().filePath(arquivo));
    const QSize original = leitor.size();
    if (!original.isValid()) return r;
    r.destino = ajustaFigura(original, area);
    if (r.destino.isEmpty()) return r;
    leitor.setScaledSize(r.destino.size());
    QImage imagem = leitor.read();
    if (imagem.isNull() || decodificacao.danificada()) {
        r.destino = {};
        return r;
    }
    if (imagem.size() != r.destino.size())
        imagem = imagem.scaled(r.destino.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    r.imagem = imagem.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return r;
}
