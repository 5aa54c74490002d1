// Feeds arbitrary bytes to the board file reader as a project's pranchas.pra.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DZELVANA_FUZZ=ON \
//          -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined
//        cmake --build build-fuzz --target fuzz_boardfile
// Run:   build-fuzz/fuzz/fuzz_boardfile -max_total_time=180 -rss_limit_mb=1024 CORPUS
#include "model/avisos.h"
#include "model/pranchas_arquivo.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    static QTemporaryDir pasta;
    static const Avisos calado = instalaAvisos(
        {[](const QString&) {}, [](const QString&, int) {}, [](const QString&) { return false; }});
    {
        QFile f(pasta.filePath("pranchas.pra"));
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char*>(dados), qint64(tamanho));
    }
    carregaPranchas(pasta.path());
    // what was read must also be writable
    gravaPranchas(pasta.path(), "saida.pra");
    return 0;
}
