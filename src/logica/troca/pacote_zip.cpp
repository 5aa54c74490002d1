#include "logica/troca/pacote_zip.h"

#include <QFile>
#include <QHash>
#include <zip.h>

struct PacoteZip::Estado {
    zip_t* zip = nullptr;
    QByteArray memoria; // the bytes a package in memory is read from
    QHash<QString, zip_uint64_t> indices;
    QStringList nomes;
    qint64 lidos = 0;
    ~Estado() {
        if (zip) zip_discard(zip);
    }
};

namespace {

// libzip's reason in Portuguese: its own texts are English.
QString textoZip(zip_error_t* erro) {
    switch (zip_error_code_zip(erro)) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("não é um arquivo zip");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return QStringLiteral("o arquivo zip está incompleto ou danificado");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
        return QStringLiteral("os dados comprimidos estão danificados");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("usa um tipo de compressão que o programa não lê");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("está protegido por senha");
    case ZIP_ER_MEMORY:
        return QStringLiteral("falta memória");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return QStringLiteral("erro de leitura");
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
        return QStringLiteral("erro de gravação");
    default:
        return QStringLiteral("erro %1 da biblioteca zip").arg(zip_error_code_zip(erro));
    }
}

QString tamanhoEmMb(qint64 bytes) {
    return QString::number(bytes / (1024 * 1024));
}

} // namespace

bool nomeDeEntradaSeguro(const QString& nome) {
    if (nome.isEmpty() || nome.startsWith(u'/') || nome.contains(u'\\') || nome.contains(u'\0'))
        return false;
    if (nome.size() >= 2 && nome.at(1) == u':') return false;
    for (const QStringView parte : QStringView(nome).split(u'/'))
        if (parte == u"..") return false;
    return true;
}

PacoteZip::PacoteZip(std::unique_ptr<Estado> estado) : e(std::move(estado)) {}
PacoteZip::~PacoteZip() = default;

std::unique_ptr<PacoteZip> PacoteZip::abre(const QString& arquivo, QString& erro) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        erro = QStringLiteral("O arquivo %1 não pôde ser lido.").arg(arquivo);
        return nullptr;
    }
    return abre(f.readAll(), erro);
}

std::unique_ptr<PacoteZip> PacoteZip::abre(const QByteArray& bytes, QString& erro) {
    auto e = std::make_unique<Estado>();
    e->memoria = bytes;
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* fonte =
        zip_source_buffer_create(e->memoria.constData(), zip_uint64_t(e->memoria.size()), 0, &ze);
    if (fonte) e->zip = zip_open_from_source(fonte, ZIP_RDONLY, &ze);
    if (!e->zip) {
        if (fonte) zip_source_free(fonte);
        erro = zip_error_code_zip(&ze) == ZIP_ER_NOZIP
                   ? QStringLiteral("O arquivo não é um pacote zip.")
                   : QStringLiteral("O arquivo não é um pacote zip que se possa abrir (%1).")
                         .arg(textoZip(&ze));
        zip_error_fini(&ze);
        return nullptr;
    }
    zip_error_fini(&ze);
    const zip_int64_t n = zip_get_num_entries(e->zip, 0);
    if (n > maxEntradasZip) {
        erro = QStringLiteral("O pacote tem %1 arquivos, mais do que os %2 que um pacote pode "
                              "ter: não será aberto.")
                   .arg(n)
                   .arg(maxEntradasZip);
        return nullptr;
    }
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* bruto = zip_get_name(e->zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString nome = bruto ? QString::fromUtf8(bruto) : QString();
        if (!nomeDeEntradaSeguro(nome)) {
            erro = QStringLiteral("O pacote tem um arquivo de nome perigoso (\"%1\"): não será "
                                  "aberto.")
                       .arg(nome);
            return nullptr;
        }
        if (nome.endsWith(u'/')) continue; // a folder's own entry
        // What the package declares is checked before anything is inflated; what it inflates
        // to is counted again as it is read (le), since a declared size may lie.
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(e->zip, zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
            st.size > zip_uint64_t(maxTamanhoEntradaZip)) {
            erro = QStringLiteral("O arquivo \"%1\" do pacote passa de %2 MB ao ser "
                                  "descompactado: o pacote não será aberto.")
                       .arg(nome, tamanhoEmMb(maxTamanhoEntradaZip));
            return nullptr;
        }
        if (e->indices.contains(nome)) {
            erro = QStringLiteral("O pacote tem dois arquivos chamados \"%1\".").arg(nome);
            return nullptr;
        }
        e->indices.insert(nome, zip_uint64_t(i));
        e->nomes << nome;
    }
    return std::unique_ptr<PacoteZip>(new PacoteZip(std::move(e)));
}

QStringList PacoteZip::nomes() const {
    return e->nomes;
}

bool PacoteZip::contem(const QString& nome) const {
    return e->indices.contains(nome);
}

std::optional<QByteArray> PacoteZip::le(const QString& nome, QString& erro) {
    const auto i = e->indices.constFind(nome);
    if (i == e->indices.constEnd()) {
        erro = QStringLiteral("O pacote não tem o arquivo \"%1\".").arg(nome);
        return std::nullopt;
    }
    const auto grande = [&] {
        erro = QStringLiteral("O arquivo \"%1\" do pacote passa de %2 MB ao ser descompactado: "
                              "o pacote não será aberto.")
                   .arg(nome, tamanhoEmMb(maxTamanhoEntradaZip));
        return std::nullopt;
    };
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(e->zip, *i, 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        st.size > zip_uint64_t(maxTamanhoEntradaZip))
        return grande();
    zip_file_t* f = zip_fopen_index(e->zip, *i, 0);
    if (!f) {
        erro = QStringLiteral("O arquivo \"%1\" do pacote não pôde ser lido (%2).")
                   .arg(nome, textoZip(zip_get_error(e->zip)));
        return std::nullopt;
    }
    QByteArray bytes;
    // The sizes the package declares may lie: the bytes are counted as they come.
    char bloco[64 * 1024];
    for (;;) {
        const zip_int64_t lidos = zip_fread(f, bloco, sizeof bloco);
        if (lidos < 0) {
            erro = QStringLiteral("O arquivo \"%1\" do pacote está danificado (%2).")
                       .arg(nome, textoZip(zip_file_get_error(f)));
            zip_fclose(f);
            return std::nullopt;
        }
        if (lidos == 0) break;
        if (bytes.size() + lidos > maxTamanhoEntradaZip) {
            zip_fclose(f);
            return grande();
        }
        e->lidos += lidos;
        if (e->lidos > maxTamanhoTotalZip) {
            zip_fclose(f);
            erro = QStringLiteral("O pacote passa de %1 MB ao ser descompactado: não será "
                                  "aberto.")
                       .arg(tamanhoEmMb(maxTamanhoTotalZip));
            return std::nullopt;
        }
        bytes.append(bloco, qsizetype(lidos));
    }
    zip_fclose(f);
    return bytes;
}

namespace {

bool jaCompactado(const QString& nome) {
    static const char* const extensoes[] = {".jpg", ".jpeg", ".png", ".gif", ".mp3", ".ogg"};
    for (const char* ext : extensoes)
        if (nome.endsWith(QLatin1String(ext), Qt::CaseInsensitive)) return true;
    return false;
}

} // namespace

QByteArray montaZip(const QList<QPair<QString, QByteArray>>& arquivos, QString& erro) {
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* saida = zip_source_buffer_create(nullptr, 0, 0, &ze);
    zip_t* zip = saida ? zip_open_from_source(saida, ZIP_TRUNCATE, &ze) : nullptr;
    const auto falha = [&](const QString& motivo) {
        erro = QStringLiteral("O pacote não pôde ser montado (%1).").arg(motivo);
        if (zip) zip_discard(zip);
        if (saida) zip_source_free(saida);
        zip_error_fini(&ze);
        return QByteArray();
    };
    if (!zip) return falha(textoZip(&ze));
    // The archive is written into `saida`, which must outlive zip_close.
    zip_source_keep(saida);
    for (const auto& [nome, bytes] : arquivos) {
        zip_source_t* fonte =
            zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t i =
            fonte ? zip_file_add(zip, nome.toUtf8().constData(), fonte, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0) {
            if (fonte) zip_source_free(fonte);
            return falha(textoZip(zip_get_error(zip)));
        }
        // A fixed time: the same project gives the same package.
        zip_file_set_mtime(zip, zip_uint64_t(i), 1262304000, 0);
        if (jaCompactado(nome)) zip_set_file_compression(zip, zip_uint64_t(i), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) < 0) {
        const QString motivo = textoZip(zip_get_error(zip));
        return falha(motivo);
    }
    zip = nullptr;
    QByteArray resultado;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(saida, &st) < 0 || zip_source_open(saida) < 0)
        return falha(QStringLiteral("leitura do pacote montado"));
    resultado.resize(qsizetype(st.size));
    const zip_int64_t lidos = zip_source_read(saida, resultado.data(), st.size);
    zip_source_close(saida);
    if (lidos != zip_int64_t(st.size)) return falha(QStringLiteral("leitura do pacote montado"));
    zip_source_free(saida);
    zip_error_fini(&ze);
    return resultado;
}
