#include "shell/clsADRESSE.h"

#include "database/SharedState.h"

namespace {
QString nachSprache(const char* englisch, const char* deutsch)
{
    switch (db::sharedState().SPRACHE) {
    case 1:
        return QString::fromUtf8(englisch);
    case 3:
        return QString::fromUtf8(deutsch);
    default:
        return QString();
    }
}
} // namespace

QString clsADRESSE::FIRMA1() const
{
    return nachSprache("KAVELOR Engineering Software", "KAVELOR Ingenieursoftware");
}

QString clsADRESSE::FIRMA2() const
{
    return nachSprache("Ground Investigation Software Group", "Arbeitsgruppe Baugrundsoftware");
}

QString clsADRESSE::PLZ() const
{
    return nachSprache("D-12345 Musterstadt", "12345 Musterstadt");
}

QString clsADRESSE::STR() const { return QStringLiteral("Bohrweg 7"); }
QString clsADRESSE::VORSITZ() const { return QStringLiteral("Dr.-Ing. A. Beispiel"); }
QString clsADRESSE::TEL() const { return QStringLiteral("+49 (0)1234 567890"); }
QString clsADRESSE::FAX() const { return QStringLiteral("+49 (0)1234 567899"); }
QString clsADRESSE::EMAIL() const { return QStringLiteral("info@kavelor.example"); }
QString clsADRESSE::URL() const { return QStringLiteral("www.kavelor.example"); }
