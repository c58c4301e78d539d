#pragma once
// Text the user enters: what may arrive in a text box or a table cell.
//
// Boxes and cells hold printable text only. Control characters (codes below
// 32 and 127) are dropped wherever text arrives — keys, the clipboard, drag
// and drop, device files — since a tab or a delete character stored in a
// field is invisible to the user and breaks every reader after it.
//
// A box with a length limit keeps it for every way text reaches it: typing,
// Ctrl+V and Shift+Insert, the context menu, the middle mouse button, drag
// and drop. Of a text that arrives in one piece, as much as fits is taken.
// Text the program itself puts into the box (a stored identifier longer than
// the limit) stays whole: the limit only stops the user's edits from making
// the text longer than it allows.

#include <QString>

class QLineEdit;

namespace vb {

// The text without its control characters.
QString ohneSteuerzeichen(const QString& text);

// Makes `box` drop control characters from what the user enters and, with a
// limit above 0, keep what the user enters within that many characters.
// The box's validator is replaced; its maximum length is left as it is.
void eingabeBegrenzen(QLineEdit* box, int grenze = 0);

} // namespace vb
