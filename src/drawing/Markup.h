#pragma once
// The inline style markup of drawn texts: a directive "{code,n}" styles the
// n characters after its "}" ("g" Greek, "t" subscript, "h" superscript,
// "gt"/"gh" Greek sub-/superscript, "s" point symbol) or inserts character n
// of the single-byte code page ("c"). There is no escape for "{"; "}" and
// "," outside a directive are plain characters.

#include <QString>
#include <exception>
#include <vector>

namespace drawing {

struct MarkupPiece {
    enum class Kind { Plain, Directive, Inserted };
    Kind kind = Kind::Plain;
    QString code;       // directive code ("g", "t", ...; "c" for an inserted character)
    QString text;       // the characters of the piece
};

// Split a text into its pieces as the engine draws them. Empty plain pieces
// between two directives are kept (they draw nothing). A "{" without a later
// "," ends the text quietly (`stopped` is set). Malformed directives raise:
// a "}" before the ",", a missing "}", a count that is not a whole number
// (13) or is negative (5), a "c" code outside 0..255 (5).
// With `failure` given, a malformed directive ends the list instead and the
// error is stored there (the pieces before it are returned).
std::vector<MarkupPiece> splitMarkup(const QString& text, bool* stopped = nullptr,
                                     std::exception_ptr* failure = nullptr);

// The text with every directive (from "{" to the next "}") removed; stops at
// a "{" that has no "}" after it (it and the rest stay).
QString plainText(const QString& text);

// A text that reads as a number and contains an "E"/"e" gets its exponent
// set as a power of ten: 1.5E+03 -> 1.5*10{h,3}+03. Other texts unchanged.
QString exponentMarkup(const QString& text);

// Character n (0..255) of the single-byte code page (Windows-1252) as Unicode.
QChar ansiChar(int n);
// A text drawn in the face "Symbol": the Greek letters its characters stand
// for (other characters unchanged).
QString symbolText(const QString& s);

} // namespace drawing
