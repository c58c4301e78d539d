#pragma once
// Character tables: Windows-1252 (for the {c,n} markup, which inserts
// character n of the Windows character set) and the letters of the Symbol
// font (drawn as Unicode Greek in the normal face).

#include <QByteArray>
#include <QChar>
#include <QString>

namespace vb {

// Character n (0..255) of Windows-1252. The five unassigned codes (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as
// Windows does. Outside 0..255: raises 5.
QChar cp1252ToUnicode(int n);
// VB's Chr(n) for 0..255 (same table).
QString Chr(int n);
// VB's Asc: the Windows-1252 code of the first character (raises 5 for "");
// characters outside the code page give '?' (63).
int Asc(const QString& s);
// Whole texts.
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);   // unmappable characters become '?'

// The character the Symbol font shows for a character typed in a text
// set in that font: Latin letters give Greek letters (a α, b β, g γ, d δ,
// e ε, f φ, j ϕ, s σ, t τ, w ω, D Δ, S Σ, F Φ, W Ω ...); the other positions
// of the font give their mathematical signs (" ∀, $ ∃, ' ∋, * ∗, - −, @ ≅,
// \ ∴, ^ ⊥, ` ‾ ...). Characters the font leaves as they are (digits and most
// punctuation) come back unchanged; so do codes the table does not hold.
QChar symbolToUnicode(QChar c);
// A whole text in the Symbol font.
QString symbolToUnicode(const QString& text);

} // namespace vb
