#include "comum/janelas.h"

Janelas janelas;
