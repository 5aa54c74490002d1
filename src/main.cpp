#include "app/inicio.h"

int main(int argc, char* argv[]) {
    return executaZelvana(argc, argv);
}
