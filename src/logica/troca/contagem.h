// "1 figura", "3 figuras": the counts in what an exchange tells the user.
#pragma once

#include <QString>

inline QString contagem(int n, const char* um, const char* varios) {
    return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? um : varios);
}
