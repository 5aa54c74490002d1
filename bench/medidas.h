// What every benchmark measures with: the median of its runs, and a wait that keeps the event
// loop turning.
#pragma once

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
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
