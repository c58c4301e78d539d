#pragma once
// FlxWert — a per-column setting of the grid editor as its host passes it: a
// plain value (Empty, Null, a number of a given width, a text), a list of such
// settings (one entry per column; an entry may itself be a list, as the choice
// list of a column is), or the error value that an omitted optional argument
// has (it means "no formatting" in a format list).

#include "platform/Variant.h"

#include <QStringList>
#include <initializer_list>
#include <vector>

namespace grid {

class FlxWert {
public:
    enum class Art { Wert, Liste, Fehler };

    FlxWert() = default;                                // Empty
    FlxWert(const vb::Variant& v) : m_wert(v) {}
    FlxWert(const char* utf8) : m_wert(utf8) {}
    FlxWert(const QString& s) : m_wert(s) {}
    FlxWert(int16_t i) : m_wert(i) {}
    // A whole-number literal is an Integer (16-bit), as in the host's lists;
    // outside the 16-bit range it raises 6. Pass a vb::Variant for a Long.
    FlxWert(int i);
    FlxWert(float f) : m_wert(f) {}
    FlxWert(double d) : m_wert(d) {}

    static FlxWert fehler();
    static FlxWert liste(std::initializer_list<FlxWert> eintraege);
    static FlxWert liste(std::vector<FlxWert> eintraege);
    // A list of Integer entries / of text entries.
    static FlxWert ganzzahlen(std::initializer_list<int> werte);
    static FlxWert texte(const QStringList& werte);

    Art art() const { return m_art; }
    bool istListe() const { return m_art == Art::Liste; }
    bool istFehler() const { return m_art == Art::Fehler; }
    bool istLeer() const { return m_art == Art::Wert && m_wert.isEmpty(); }
    // The plain value (Empty for lists and the error value).
    const vb::Variant& wert() const { return m_wert; }

    // Lists: highest index (-1 for an empty list) and entries. Indexing a value
    // that is no list raises 13, an index outside the list 9.
    int obergrenze() const;
    const FlxWert& operator[](int i) const;
    FlxWert& operator[](int i);
    const std::vector<FlxWert>& eintraege() const { return m_liste; }

    // The entry as a Variant (the error value raises 13, a list 13).
    vb::Variant alsVariant() const;

    bool operator==(const FlxWert& o) const;
    bool operator!=(const FlxWert& o) const { return !(*this == o); }

private:
    Art m_art = Art::Wert;
    vb::Variant m_wert;
    std::vector<FlxWert> m_liste;
};

} // namespace grid
