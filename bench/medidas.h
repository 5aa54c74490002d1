// What every benchmark measures with: the median of its runs, waits that keep the event loop
// turning, and the process's memory.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

// The middle value (the mean of the two middle ones for an even count); -1 with no runs.
inline double mediana(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return (v[v.size() / 2] + v[(v.size() - 1) / 2]) / 2;
}

inline void espera(int ms) {
    QEventLoop laco;
    QTimer::singleShot(ms, &laco, &QEventLoop::quit);
    laco.exec();
}

// Turns the event loop until `condicao` holds; false after `limiteMs`. With `passoMs` 0 it looks
// after every pass of the loop (for timing how long the condition takes); otherwise it sleeps
// that long in the loop between looks, leaving the processor to what is measured.
inline bool esperaAte(const std::function<bool()>& condicao, int limiteMs, int passoMs = 0) {
    QElapsedTimer t;
    t.start();
    while (!condicao()) {
        if (t.elapsed() > limiteMs) return false;
        if (passoMs > 0)
            espera(passoMs);
        else
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A line of /proc/self/status ("VmRSS:", "VmHWM:") in KiB; -1 when it cannot be read.
inline long memoriaKb(const char* campo) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith(campo))
            return linha.mid(int(qstrlen(campo))).trimmed().split(' ')[0].toLong();
    return -1;
}
