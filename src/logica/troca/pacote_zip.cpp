#include "logica/troca/pacote_zip.h"

#include "plataforma/biblioteca_tardia.h"

#include <QFile>
#include <QHash>
#include <zip.h>

namespace {

// libzip's functions, from the library opened on the first package; null when it or one of
// them is missing.
struct Libzip {
    decltype(&zip_close) close;
    decltype(&zip_discard) discard;
    decltype(&zip_error_code_zip) error_code_zip;
    decltype(&zip_error_fini) error_fini;
    decltype(&zip_error_init) error_init;
    decltype(&zip_fclose) fclose;
    decltype(&zip_file_add) file_add;
    decltype(&zip_file_get_error) file_get_error;
    decltype(&zip_file_set_mtime) file_set_mtime;
    decltype(&zip_fopen_index) fopen_index;
    decltype(&zip_fread) fread;
    decltype(&zip_get_error) get_error;
    decltype(&zip_get_name) get_name;
    decltype(&zip_get_num_entries) get_num_entries;
    decltype(&zip_open_from_source) open_from_source;
    decltype(&zip_set_file_compression) set_file_compression;
    decltype(&zip_source_buffer) source_buffer;
    decltype(&zip_source_buffer_create) source_buffer_create;
    decltype(&zip_source_close) source_close;
    decltype(&zip_source_free) source_free;
    decltype(&zip_source_keep) source_keep;
    decltype(&zip_source_open) source_open;
    decltype(&zip_source_read) source_read;
    decltype(&zip_source_stat) source_stat;
    decltype(&zip_stat_index) stat_index;
    decltype(&zip_stat_init) stat_init;
};

const Libzip* libzip() {
    static const Libzip* const z = []() -> const Libzip* {
        static BibliotecaTardia b("zip", 4);
        static Libzip f;
        b.liga(f.close, "zip_close");
        b.liga(f.discard, "zip_discard");
        b.liga(f.error_code_zip, "zip_error_code_zip");
        b.liga(f.error_fini, "zip_error_fini");
        b.liga(f.error_init, "zip_error_init");
        b.liga(f.fclose, "zip_fclose");
        b.liga(f.file_add, "zip_file_add");
        b.liga(f.file_get_error, "zip_file_get_error");
        b.liga(f.file_set_mtime, "zip_file_set_mtime");
        b.liga(f.fopen_index, "zip_fopen_index");
        b.liga(f.fread, "zip_fread");
        b.liga(f.get_error, "zip_get_error");
        b.liga(f.get_name, "zip_get_name");
        b.liga(f.get_num_entries, "zip_get_num_entries");
        b.liga(f.open_from_source, "zip_open_from_source");
        b.liga(f.set_file_compression, "zip_set_file_compression");
        b.liga(f.source_buffer, "zip_source_buffer");
        b.liga(f.source_buffer_create, "zip_source_buffer_create");
        b.liga(f.source_close, "zip_source_close");
        b.liga(f.source_free, "zip_source_free");
        b.liga(f.source_keep, "zip_source_keep");
        b.liga(f.source_open, "zip_source_open");
        b.liga(f.source_read, "zip_source_read");
        b.liga(f.source_stat, "zip_source_stat");
        b.liga(f.stat_index, "zip_stat_index");
        b.liga(f.stat_init, "zip_stat_init");
        return b.completa() ? &f : nullptr;
    }();
    return z;
}

// The functions, where a package is already open or abre/montaZip found the library.
const Libzip& lz() {
    return *libzip();
}

QString semLibzip() {
    return QStringLiteral("a biblioteca zip (libzip) não está instalada neste computador");
}

} // namespace

struct PacoteZip::Estado {
    zip_t* zip = nullptr;
    QByteArray memoria; // the bytes a package in memory is read from
    QHash<QString, zip_uint64_t> indices;
    QStringList nomes;
    qint64 lidos = 0;
    ~Estado() {
        if (zip) lz().discard(zip);
    }
};

namespace {

// libzip's reason in Portuguese: its own texts are English.
QString textoZip(zip_error_t* erro) {
    switch (lz().error_code_zip(erro)) {
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
        return QStringLiteral("erro %1 da biblioteca zip").arg(lz().error_code_zip(erro));
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
    if (!libzip()) {
        erro = QStringLiteral("O pacote não pôde ser aberto: %1.").arg(semLibzip());
        return nullptr;
    }
    auto e = std::make_unique<Estado>();
    e->memoria = bytes;
    zip_error_t ze;
    lz().error_init(&ze);
    zip_source_t* fonte =
        lz().source_buffer_create(e->memoria.constData(), zip_uint64_t(e->memoria.size()), 0, &ze);
    if (fonte) e->zip = lz().open_from_source(fonte, ZIP_RDONLY, &ze);
    if (!e->zip) {
        if (fonte) lz().source_free(fonte);
        erro = lz().error_code_zip(&ze) == ZIP_ER_NOZIP
                   ? QStringLiteral("O arquivo não é um pacote zip.")
                   : QStringLiteral("O arquivo não é um pacote zip que se possa abrir (%1).")
                         .arg(textoZip(&ze));
        lz().error_fini(&ze);
        return nullptr;
    }
    lz().error_fini(&ze);
    const zip_int64_t n = lz().get_num_entries(e->zip, 0);
    if (n > maxEntradasZip) {
        erro = QStringLiteral("O pacote tem %1 arquivos, mais do que os %2 que um pacote pode "
                              "ter: não será aberto.")
                   .arg(n)
                   .arg(maxEntradasZip);
        return nullptr;
    }
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* bruto = lz().get_name(e->zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
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
        lz().stat_init(&st);
        if (lz().stat_index(e->zip, zip_uint64_t(i), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
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
    lz().stat_init(&st);
    if (lz().stat_index(e->zip, *i, 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        st.size > zip_uint64_t(maxTamanhoEntradaZip))
        return grande();
    zip_file_t* f = lz().fopen_index(e->zip, *i, 0);
    if (!f) {
        erro = QStringLiteral("O arquivo \"%1\" do pacote não pôde ser lido (%2).")
                   .arg(nome, textoZip(lz().get_error(e->zip)));
        return std::nullopt;
    }
    QByteArray bytes;
    // The sizes the package declares may lie: the bytes are counted as they come.
    char bloco[64 * 1024];
    for (;;) {
        const zip_int64_t lidos = lz().fread(f, bloco, sizeof bloco);
        if (lidos < 0) {
            erro = QStringLiteral("O arquivo \"%1\" do pacote está danificado (%2).")
                       .arg(nome, textoZip(lz().file_get_error(f)));
            lz().fclose(f);
            return std::nullopt;
        }
        if (lidos == 0) break;
        if (bytes.size() + lidos > maxTamanhoEntradaZip) {
            lz().fclose(f);
            return grande();
        }
        e->lidos += lidos;
        if (e->lidos > maxTamanhoTotalZip) {
            lz().fclose(f);
            erro = QStringLiteral("O pacote passa de %1 MB ao ser descompactado: não será "
                                  "aberto.")
                       .arg(tamanhoEmMb(maxTamanhoTotalZip));
            return std::nullopt;
        }
        bytes.append(bloco, qsizetype(lidos));
    }
    lz().fclose(f);
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
    if (!libzip()) {
        erro = QStringLiteral("O pacote não pôde ser montado (%1).").arg(semLibzip());
        return QByteArray();
    }
    zip_error_t ze;
    lz().error_init(&ze);
    zip_source_t* saida = lz().source_buffer_create(nullptr, 0, 0, &ze);
    zip_t* zip = saida ? lz().open_from_source(saida, ZIP_TRUNCATE, &ze) : nullptr;
    const auto falha = [&](const QString& motivo) {
        erro = QStringLiteral("O pacote não pôde ser montado (%1).").arg(motivo);
        if (zip) lz().discard(zip);
        if (saida) lz().source_free(saida);
        lz().error_fini(&ze);
        return QByteArray();
    };
    if (!zip) return falha(textoZip(&ze));
    // The archive is written into `saida`, which must outlive zip_close.
    lz().source_keep(saida);
    for (const auto& [nome, bytes] : arquivos) {
        zip_source_t* fonte =
            lz().source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t i =
            fonte ? lz().file_add(zip, nome.toUtf8().constData(), fonte, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0) {
            if (fonte) lz().source_free(fonte);
            return falha(textoZip(lz().get_error(zip)));
        }
        // A fixed time: the same project gives the same package.
        lz().file_set_mtime(zip, zip_uint64_t(i), 1262304000, 0);
        if (jaCompactado(nome)) lz().set_file_compression(zip, zip_uint64_t(i), ZIP_CM_STORE, 0);
    }
    if (lz().close(zip) < 0) {
        const QString motivo = textoZip(lz().get_error(zip));
        return falha(motivo);
    }
    zip = nullptr;
    QByteArray resultado;
    zip_stat_t st;
    lz().stat_init(&st);
    if (lz().source_stat(saida, &st) < 0 || lz().source_open(saida) < 0)
        return falha(QStringLiteral("leitura do pacote montado"));
    resultado.resize(qsizetype(st.size));
    const zip_int64_t lidos = lz().source_read(saida, resultado.data(), st.size);
    lz().source_close(saida);
    if (lidos != zip_int64_t(st.size)) return falha(QStringLiteral("leitura do pacote montado"));
    lz().source_free(saida);
    lz().error_fini(&ze);
    return resultado;
}
