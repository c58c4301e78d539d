#pragma once
// clsADRESSE — the maker's address block, shown by the start screen and the
// about box. The name lines and the town follow the interface language
// (SPRACHE of the shared state, read on each access): English for 1, German
// for 3, "" for any other value.
#include <QString>

class clsADRESSE
{
public:
    QString FIRMA1() const;
    QString FIRMA2() const;
    QString PLZ() const;
    QString STR() const;
    QString VORSITZ() const;
    QString TEL() const;
    QString FAX() const;
    QString EMAIL() const;
    QString URL() const;
};
