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
// and drop. Lengths count UTF-16 code units, as the database does, but a
// text is only ever cut between whole characters as the user sees them (a
// letter with its accents, an emoji of two code units): what does not fit
// is left out whole. Of a text that arrives in one piece, as much as fits is
// taken; an edit that cannot bring in anything of what it inserts is not
// applied at all, so a selection is never removed without its replacement.
// Text the program itself puts into the box (a stored identifier longer than
// the limit) stays whole: the limit only stops the user's edits from making
// the text longer than the longer of the limit and the text before the edit.
// Undo gives back the text as it was before a shortened edit.

#include <QString>

class QLineEdit;

namespace vb {

// The text without its control characters.
QString ohneSteuerzeichen(const QString& text);

// The longest start of `text` made of whole characters as the user sees
// them (grapheme clusters) that is at most `grenze` UTF-16 code units long.
QString ganzeZeichen(const QString& text, qsizetype grenze);

// `text` without its first `anzahl` UTF-16 code units, removed as whole
// characters: a character the cut would split is removed with them.
QString ohneAnfang(const QString& text, qsizetype anzahl);

// Makes `box` drop control characters from what the user enters and, with a
// limit above 0, keep what the user enters within that many characters.
// The box's validator is replaced; its maximum length is left as it is.
void eingabeBegrenzen(QLineEdit* box, int grenze = 0);

} // namespace vb
