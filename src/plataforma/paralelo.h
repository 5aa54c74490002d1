// Work shared among the machine's cores, for the few jobs where it pays (decoding pictures).
#pragma once

#include <QtGlobal>

#include <functional>

// Calls tarefa(i) for every i in [0, n), on the calling thread and on whichever threads of the
// global pool are free at once, and returns when every call has returned. Never waits for a
// busy pool: what no free thread takes, the caller does.
void emParalelo(qsizetype n, const std::function<void(qsizetype)>& tarefa);
