// Program start-up: the application, its translations and messages, every window, the
// command line.
#pragma once

int executaZelvana(int argc, char* argv[]);

// Creates every window that exists, in the fixed order; destroiJanelas deletes them in reverse.
void criaJanelas();
void destroiJanelas();

// Message boxes, questions and the quick message on screen (what the program shows the user).
void instalaAvisosDeTela();
