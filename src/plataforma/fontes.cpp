#include "plataforma/fontes.h"

#include "plataforma/biblioteca_tardia.h"

LeituraDeFontes::LeituraDeFontes()
    : fio([] {
          // The library Qt itself reads fonts with; Qt's own call then finds it ready.
          static BibliotecaTardia fontconfig("fontconfig", 1);
          int (*inicia)() = nullptr;
          fontconfig.liga(inicia, "FcInit");
          if (inicia) inicia();
      }) {}

LeituraDeFontes::~LeituraDeFontes() {
    espera();
}

void LeituraDeFontes::espera() {
    if (fio.joinable()) fio.join();
}
