#include "logica/rascunho/config_rascunho.h"

ConfigRascunho configRascunho;
