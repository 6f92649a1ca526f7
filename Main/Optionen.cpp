#include "Main/Optionen.h"

TEinstellungen Einstellungen;
TOptionen& Optionen = Einstellungen.Optionen;
TTastenkuerzel& Tastenkuerzel = Einstellungen.Tastenkuerzel;
