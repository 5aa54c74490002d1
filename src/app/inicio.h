// Program start-up: the application, its translations and messages, every window, the
// command line.
#pragma once

int executaZelvana(int argc, char* argv[]);

// Message boxes, questions and the quick message on screen (what the program shows the user).
void instalaAvisosDeTela();
