#include "Optionen.h"

TOptionen Optionen;
TTastenkuerzel Tastenkuerzel;
