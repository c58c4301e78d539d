#pragma once
// The program's two pictures, drawn in code: the logo at the right of the
// start screen's head band and the about box, and the borehole picture in the
// start screen's lower right corner.
#include <QPixmap>

QPixmap kavelorLogo(int hoehe);
QPixmap kavelorBohrbild(int hoehe);
