// Opens the program's help beside the program, in whatever this machine opens it with.
#pragma once

// Shows a message and returns false when there is no help or nothing can open it.
bool abreAjuda();
