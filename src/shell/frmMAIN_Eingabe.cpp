// Data entry from the main window: Datei/Neu, Datei/Öffnen and the input
// window's status-bar commands OK (panel 8) and Abbrechen (panel 9).
#include "shell/frmMAIN.h"

void frmMAIN::mnuNEU_Click() {}
void frmMAIN::mnuOEFFNEN_Click() {}
void frmMAIN::PANEL8() {}
void frmMAIN::PANEL9() {}
