// Record exchange: Datei/Export-Import and Datei/Export-Inf.system.
#include "shell/frmMAIN.h"

void frmMAIN::mnuEXPIMP_Click() {}
void frmMAIN::mnuEXPINF_Click() {}
