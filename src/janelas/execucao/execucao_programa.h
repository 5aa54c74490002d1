// Starting an item's program or document without any shell, so no text in a board file can
// become a command.
#pragma once

#include <QString>
#include <functional>

// Starts the program (an executable file, or a name found on the PATH) or opens the document in
// its desktop program (xdg-open, whose exit code is the result). Runs in the current folder.
// The answer comes through `pronto` (true on success), once, from the event loop.
void abreSemShell(const QString& texto, std::function<void(bool)> pronto);

// The whole action of a click: waits (without blocking the event loop) for the outputs to end,
// starts the program, waits for another window to come to the front, and after 4 s moves the
// pointer over the close box of that window when it is one of ours. `fim` is called at the end.
void executaPrograma(const QString& texto, std::function<bool()> saidaLivre,
                     std::function<void()> fim = {});
