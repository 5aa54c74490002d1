// The machine's font configuration, read on a thread of its own while the program connects to
// the display: the first window with text would otherwise wait for it (a tenth of the start).
#pragma once

#include <thread>

class LeituraDeFontes {
public:
    LeituraDeFontes();
    ~LeituraDeFontes();
    LeituraDeFontes(const LeituraDeFontes&) = delete;
    LeituraDeFontes& operator=(const LeituraDeFontes&) = delete;

    // Waits for the reading; called before the first widget measures its text, so the reading
    // is never done twice.
    void espera();

private:
    std::thread fio;
};
