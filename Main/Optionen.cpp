#include "Optionen.h"

TOptionen Optionen;
