// Runs a fuzz target once per file named on the command line (a folder: every file in it), for
// builds without libFuzzer. Every test build compiles the targets this way, so they cannot rot,
// and a crash file found by scripts/fuzz.sh can be replayed under a debugger.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);
// Defined by the targets that set something up first, as libFuzzer would call it.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void roda(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "não abre: %s\n", qPrintable(caminho));
        return;
    }
    const QByteArray bytes = f.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                           size_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    int entradas = 0;
    for (int i = 1; i < argc; ++i) {
        const QString caminho = QFile::decodeName(argv[i]);
        if (!QFileInfo(caminho).isDir()) {
            roda(caminho);
            ++entradas;
            continue;
        }
        QDirIterator it(caminho, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            roda(it.next());
            ++entradas;
        }
    }
    std::printf("%d entradas\n", entradas);
    return 0;
}
