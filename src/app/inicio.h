// Program start-up: the application, its translations and messages, every window, the
// command line.
#pragma once

int executaZelvana(int argc, char* argv[]);

// Creates every window that exists, in the fixed order; destroiJanelas deletes them in reverse.
void criaJanelas();
// The same in two steps: the start window with the about box and quick message it shows
// first, then the others (once only, however often it is called).
void criaJanelaInicial();
void criaDemaisJanelas();
// How the program starts with no project named: the start window on screen first, the others
// built right after it has painted itself.
void mostraJanelaInicial();
void destroiJanelas();

// Message boxes, questions and the quick message on screen (what the program shows the user).
void instalaAvisosDeTela();
