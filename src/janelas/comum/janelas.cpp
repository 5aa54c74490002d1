#include "janelas/comum/janelas.h"

Janelas janelas;
