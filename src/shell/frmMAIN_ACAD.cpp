// The CAD export of the active page window (panel 14).
#include "shell/frmMAIN.h"

void frmMAIN::PANEL14() {}
