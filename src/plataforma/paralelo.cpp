#include "plataforma/paralelo.h"

#include <QSemaphore>
#include <QThreadPool>

#include <atomic>

void emParalelo(qsizetype n, const std::function<void(qsizetype)>& tarefa) {
    if (n <= 0) return;
    std::atomic<qsizetype> proxima{0};
    const auto trabalha = [&] {
        for (qsizetype i; (i = proxima.fetch_add(1)) < n;)
            tarefa(i);
    };
    QSemaphore terminadas;
    int ajudantes = 0;
    QThreadPool* const pool = QThreadPool::globalInstance();
    for (qsizetype k = 1; k < n && k < pool->maxThreadCount(); ++k) {
        if (!pool->tryStart([&] {
                trabalha();
                terminadas.release();
            }))
            break;
        ++ajudantes;
    }
    trabalha();
    terminadas.acquire(ajudantes);
}
