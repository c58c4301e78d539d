// The page windows' status-bar commands: Anzeigen (panel 10), Drucken (11),
// Kopie (12) and Word (13).
#include "shell/frmMAIN.h"

void frmMAIN::PANEL10() {}
void frmMAIN::PANEL11() {}
void frmMAIN::PANEL12() {}
void frmMAIN::PANEL13() {}
