#include "scratchpad/config_rascunho.h"

ConfigRascunho configRascunho;
