#include "grid/FlxWert.h"

#include "platform/VbError.h"

namespace grid {

FlxWert::FlxWert(int i)
{
    if (i < -32768 || i > 32767)
        vb::raise(vb::err::Overflow);
    m_wert = vb::Variant(int16_t(i));
}

FlxWert FlxWert::fehler()
{
    FlxWert w;
    w.m_art = Art::Fehler;
    return w;
}

FlxWert FlxWert::liste(std::initializer_list<FlxWert> eintraege)
{
    return liste(std::vector<FlxWert>(eintraege));
}

FlxWert FlxWert::liste(std::vector<FlxWert> eintraege)
{
    FlxWert w;
    w.m_art = Art::Liste;
    w.m_liste = std::move(eintraege);
    return w;
}

FlxWert FlxWert::ganzzahlen(std::initializer_list<int> werte)
{
    std::vector<FlxWert> l;
    for (int i : werte)
        l.emplace_back(i);
    return liste(std::move(l));
}

FlxWert FlxWert::texte(const QStringList& werte)
{
    std::vector<FlxWert> l;
    for (const QString& s : werte)
        l.emplace_back(s);
    return liste(std::move(l));
}

int FlxWert::obergrenze() const
{
    if (m_art != Art::Liste)
        vb::raise(vb::err::TypeMismatch);
    return int(m_liste.size()) - 1;
}

const FlxWert& FlxWert::operator[](int i) const
{
    if (m_art != Art::Liste)
        vb::raise(vb::err::TypeMismatch);
    if (i < 0 || size_t(i) >= m_liste.size())
        vb::raise(vb::err::SubscriptOutOfRange);
    return m_liste[size_t(i)];
}

FlxWert& FlxWert::operator[](int i)
{
    if (m_art != Art::Liste)
        vb::raise(vb::err::TypeMismatch);
    if (i < 0 || size_t(i) >= m_liste.size())
        vb::raise(vb::err::SubscriptOutOfRange);
    return m_liste[size_t(i)];
}

vb::Variant FlxWert::alsVariant() const
{
    if (m_art != Art::Wert)
        vb::raise(vb::err::TypeMismatch);
    return m_wert;
}

bool FlxWert::operator==(const FlxWert& o) const
{
    return m_art == o.m_art && m_wert == o.m_wert && m_liste == o.m_liste;
}

} // namespace grid
