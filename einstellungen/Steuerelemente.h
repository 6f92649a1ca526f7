/* The options dialog's template and control identifiers. The resource compiler reads this file as
   well as C++, so it holds plain #define lines only. The identifiers are stable: the end-to-end
   tests set the controls by these numbers. */
#pragma once

#define IDD_OPTIONEN 100

/* Method: a drop-down list, entry i is method code i. */
#define IDC_METHODE 1001
/* Caesar shift 0-25: an edit with an up-down control beside it. */
#define IDC_CAESAR 1002
#define IDC_CAESAR_PFEILE 1003
/* "Quadratische Matrix": check box. */
#define IDC_QUADRATISCH 1004
/* Column count 1-100: an edit with an up-down control. */
#define IDC_SPALTENZAHL 1005
#define IDC_SPALTENZAHL_PFEILE 1006
/* Vigenère key: an edit. */
#define IDC_SCHLUESSEL 1007
/* "Sonderzeichen ignorieren": check box. */
#define IDC_SONDERZEICHEN 1008
/* The four preparation filters: check boxes. */
#define IDC_UMLAUTE 1009
#define IDC_KLEINSCHRIFT 1010
#define IDC_GROSSSCHRIFT 1011
#define IDC_LEERZEICHEN 1012
/* "Optionen in Registierung speichern": check box. */
#define IDC_SPEICHERN 1013
/* The one-line reason shown when started with -firstoption; hidden otherwise. */
#define IDC_HINWEIS 1014
/* The commands' shortcuts: hotkey controls (msctls_hotkey32). */
#define IDC_KUERZEL_VERSCHLUESSELN 1015
#define IDC_KUERZEL_ENTSCHLUESSELN 1016
/* Seconds after which a decrypted text leaves the clipboard, 0-3600: an edit with an up-down control. */
#define IDC_LEEREN 1017
#define IDC_LEEREN_PFEILE 1018
/* The in-place commands' shortcuts: hotkey controls. */
#define IDC_KUERZEL_AUSWAHL_VERSCHLUESSELN 1019
#define IDC_KUERZEL_AUSWAHL_ENTSCHLUESSELN 1020
/* OK and "Abbrechen" are the dialog manager's IDOK (1) and IDCANCEL (2). */
