#include "logica/som/som_editado.h"

#include "nucleo/arquivo_seguro.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

bool idIgual(const char* id, const char* esperado) {
    return QByteArray(id, 4).toLower() == QByteArray(esperado);
}

// Reads exactly n bytes in pieces of the work buffer; false on a short read.
bool leTudo(QIODevice& arquivo, qint64 n, QByteArray& trabalho, QByteArray* guarda = nullptr) {
    while (n > 0) {
        const qint64 pedaco = std::min<qint64>(n, tamPedacoArquivo);
        const qint64 lidos = arquivo.read(trabalho.data(), pedaco);
        if (lidos != pedaco) return false;
        if (guarda && guarda->size() < 16) guarda->append(trabalho.constData(), int(lidos));
        n -= lidos;
    }
    return true;
}

} // namespace

SomEditado::SomEditado() : bloco(tamCabecalhoWav + 2 * qint64(capacidadeAmostras), '\0') {}

qint16 SomEditado::amostra(qint32 i) const {
    return qFromLittleEndian<qint16>(bloco.constData() + tamCabecalhoWav + 2 * qint64(i));
}

void SomEditado::defineAmostra(qint32 i, qint16 valor) {
    qToLittleEndian<qint16>(valor, bloco.data() + tamCabecalhoWav + 2 * qint64(i));
}

const char* SomEditado::imagemWav() {
    montaCabecalhoWav(bloco.data(), taxaEditor, 16, quint32(2 * nAmostras), 1);
    return bloco.constData();
}

TResultadoCarga leWav(QIODevice& arquivo, SomEditado& som) {
    QByteArray trabalho(tamPedacoArquivo, '\0');
    char cab[12];
    if (arquivo.read(cab, 12) != 12 || !idIgual(cab, "riff"))
        return TResultadoCarga::naoReconhecido;
    char pedaco[8];
    if (arquivo.read(pedaco, 8) != 8 || !idIgual(pedaco, "fmt "))
        return TResultadoCarga::naoReconhecido;
    QByteArray formato;
    const quint32 tamFormato = u32(pedaco + 4);
    if (tamFormato < 16 || !leTudo(arquivo, tamFormato, trabalho, &formato) ||
        u16(formato.constData()) != 1)
        return TResultadoCarga::naoReconhecido;
    const quint16 canais = u16(formato.constData() + 2);
    const quint32 taxa = u32(formato.constData() + 4);
    const quint16 bits = u16(formato.constData() + 14);

    for (;;) {
        if (arquivo.read(pedaco, 8) != 8) return TResultadoCarga::naoReconhecido;
        const quint32 tamanho = u32(pedaco + 4);
        if (!idIgual(pedaco, "data")) {
            if (!leTudo(arquivo, tamanho, trabalho)) return TResultadoCarga::naoReconhecido;
            continue;
        }
        som.nAmostras = 0;
        if ((bits != 8 && bits != 16) || (canais != 1 && canais != 2))
            return TResultadoCarga::incompativel;
        const int tamQuadro = (bits / 8) * canais;
        const qint64 quadros = tamanho / tamQuadro;
        if (quadros == 0) return TResultadoCarga::vazio;
        // At 11,025 Hz the samples are doubled, so half as many fit.
        if (quadros > maxQuadros || (taxa == 11025 && quadros * 2 > maxQuadros))
            return TResultadoCarga::grandeDemais;
        if (taxa != 11025 && taxa != 22050 && taxa != 44100) return TResultadoCarga::incompativel;

        qint32 n = 0;
        qint64 faltam = quadros * tamQuadro;
        while (faltam > 0) {
            const qint64 pedido = std::min<qint64>(faltam, tamPedacoArquivo);
            const qint64 lidos = arquivo.read(trabalho.data(), pedido);
            if (lidos <= 0 || lidos < pedido) {
                som.nAmostras = 0;
                return TResultadoCarga::danificado;
            }
            const char* p = trabalho.constData();
            for (qint64 q = 0; q < lidos / tamQuadro; ++q, p += tamQuadro) {
                auto valor = [&](int canal) -> int {
                    if (bits == 16) return qFromLittleEndian<qint16>(p + 2 * canal);
                    return (int(quint8(p[canal])) - 128) * 256;
                };
                const int s = canais == 1 ? valor(0) : (valor(0) + valor(1)) / 2;
                som.defineAmostra(n++, qint16(s));
            }
            faltam -= lidos;
        }
        if (taxa == 11025) {
            for (qint32 i = n - 1; i >= 0; --i) {
                const qint16 s = som.amostra(i);
                som.defineAmostra(2 * i, s);
                som.defineAmostra(2 * i + 1, s);
            }
            n *= 2;
        } else if (taxa == 44100) {
            for (qint32 i = 0; i < n / 2; ++i)
                som.defineAmostra(i, qint16((som.amostra(2 * i) + som.amostra(2 * i + 1)) / 2));
            n /= 2;
        }
        som.nAmostras = n;
        return TResultadoCarga::carregado;
    }
}

QString mensagemDaCarga(TResultadoCarga resultado) {
    switch (resultado) {
    case TResultadoCarga::naoReconhecido:
        return QStringLiteral("O formato de gravação deste som não foi reconhecido");
    case TResultadoCarga::vazio:
        return QStringLiteral("o Arquivo de som está vazio");
    case TResultadoCarga::grandeDemais:
        return QStringLiteral("Este som é muito grande para ser editado aqui");
    case TResultadoCarga::incompativel:
        return QStringLiteral("O modo de amostragem deste som é incompatível com este editor.\r\n"
                              "Use outro editor de som para ajustá-lo.");
    case TResultadoCarga::danificado:
        return QStringLiteral("O arquivo parece estar danificado.");
    case TResultadoCarga::carregado:
        break;
    }
    return {};
}

void cortaInicio(SomEditado& som) {
    if (som.nAmostras <= 1000) return;
    char* dados = som.bloco.data() + tamCabecalhoWav;
    std::memmove(dados, dados + 2000, 2 * size_t(som.nAmostras - 1000));
    som.nAmostras -= 1000;
}

void cortaFim(SomEditado& som) {
    som.nAmostras = std::max<qint32>(0, som.nAmostras - 1000);
}

void ajustaVolume(SomEditado& som, double fator) {
    for (qint32 i = 0; i < som.nAmostras; ++i) {
        const double v = std::trunc(som.amostra(i) * fator);
        som.defineAmostra(i, qint16(std::clamp(v, -32768.0, 32767.0)));
    }
}

void fadeOut(SomEditado& som) {
    const qint32 n = som.nAmostras;
    const qint32 inicio = std::max<qint32>(0, n - 88200);
    for (qint32 i = inicio; i < n; ++i)
        som.defineAmostra(i, qint16(qint64(som.amostra(i)) * (n - i) / (n - inicio)));
}

void limpaSom(SomEditado& som) {
    som.nAmostras = 0;
}

QString textoDuracao(qint32 nAmostras) {
    return QString::number(nAmostras / taxaEditor) + QStringLiteral(" seg.");
}

TResultadoGravacao gravaWav(const QString& nomeArquivo, SomEditado& som) {
    if (som.nAmostras <= 0) return TResultadoGravacao::semSom;
    const char* imagem = som.imagemWav();
    ArquivoSeguro arquivo(nomeArquivo);
    if (!arquivo.abre()) return TResultadoGravacao::erroAbrir;
    for (qint64 feito = 0, total = som.tamanhoImagem(); feito < total;) {
        const qint64 pedaco = std::min<qint64>(total - feito, tamPedacoArquivo);
        if (arquivo.dispositivo()->write(imagem + feito, pedaco) != pedaco)
            return TResultadoGravacao::erroEscrita;
        feito += pedaco;
    }
    return arquivo.confirma() ? TResultadoGravacao::gravado : TResultadoGravacao::erroEscrita;
}

QString mensagemDaGravacao(TResultadoGravacao resultado) {
    switch (resultado) {
    case TResultadoGravacao::gravado:
        return QStringLiteral("Arquivo gravado");
    case TResultadoGravacao::semSom:
        return QStringLiteral("O som está vazio: grave ou carregue um som antes de salvar.");
    case TResultadoGravacao::erroAbrir:
        return QStringLiteral("Erro ao abrir o espaço para gravação");
    case TResultadoGravacao::erroEscrita:
        return QStringLiteral("Erro de escrita no arquivo.");
    }
    return {};
}
