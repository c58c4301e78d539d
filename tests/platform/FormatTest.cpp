// Format with number and date patterns under German and English locales.
#include "platform/Services.h"
#include "platform/VbRuntime.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vb;

namespace {
struct FormatCase {
    Variant value;
    const char* pattern;
    const char* de;   // under de_DE
    const char* en;   // under en_US
};

void check(const FormatCase* cases, size_t n)
{
    for (size_t k = 0; k < n; ++k) {
        const FormatCase& c = cases[k];
        SCOPED_TRACE(c.value.debugText().toStdString() + " with \"" + c.pattern + "\"");
        {
            ScopedLocale de(QStringLiteral("de_DE"));
            EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.de)) << "de_DE";
        }
        {
            ScopedLocale en(QStringLiteral("en_US"));
            EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.en)) << "en_US";
        }
    }
}

template <class F>
void erwarteUeberlauf(const F& f)
{
    try {
        f();
        ADD_FAILURE() << "no error raised";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number, err::Overflow);
    } catch (...) {
        ADD_FAILURE() << "an error other than VbError";
    }
}
} // namespace

TEST(Format, NumberPatternsOfTheDrawings)
{
    const FormatCase cases[] = {
        {Variant(2.3), "0.00", "2,30", "2.30"},
        {Variant(2.3f), "0.00", "2,30", "2.30"},
        {Variant(-1.005), "0.00", "-1,01", "-1.01"},          // halves away from zero
        {Variant(2.675), "0.00", "2,68", "2.68"},             // decimal, not binary, half
        {Variant(0.125f), "0.00", "0,13", "0.13"},
        {Variant(0.5), "#0.00", "0,50", "0.50"},
        {Variant(0.5), "#.00", ",50", ".50"},
        {Variant(1234.5), "#0.000", "1234,500", "1234.500"},
        {Variant(12.4), "0", "12", "12"},
        {Variant(12.5), "0", "13", "13"},
        {Variant(-12.5), "0", "-13", "-13"},
        {Variant(0.0), "0", "0", "0"},
        {Variant(-0.001), "0.00", "0,00", "0.00"},           // no minus before a zero
        {Variant(5), "#0", "5", "5"},
        {Variant(int16_t(7)), "00", "07", "07"},
        {Variant(12345.6), "####0", "12346", "12346"},
        {Variant(0.0), "####0", "0", "0"},
        {Variant(50.0), "#0", "50", "50"},
        {Variant(1.25), "#0.0", "1,3", "1.3"},
        {Variant(1.0), "0.##", "1,", "1."},
        {Variant(1.5), "0.##", "1,5", "1.5"},
        {Variant(1234567.891), "#,##0.00", "1.234.567,89", "1,234,567.89"},
        {Variant(0.256), "0.0%", "25,6%", "25.6%"},
        {Variant(12345.0), "0.00E+00", "1,23E+04", "1.23E+04"},
        {Variant(0.00012), "0.0E-00", "1,2E-04", "1.2E-04"},
        {Variant(-3.0), "0.0;(0.0)", "(3,0)", "(3.0)"},
        {Variant(0.0), "0.0;-0.0;\"null\"", "null", "null"},
        {Variant(3.5), "0.0\" m\"", "3,5 m", "3.5 m"},
        {Variant(50), "\"1:\"#0", "1:50", "1:50"},
        {Variant(true), "0", "-1", "-1"},
        {Variant("2,5"), "0.00", "2,50", "2,5"},              // numeric text is read in the locale
        {Variant("abc"), "0.00", "abc", "abc"},
        {Variant::null(), "0.00", "", ""},
        {Variant(1234.5), "Standard", "1.234,50", "1,234.50"},
        {Variant(2.0), "Fixed", "2,00", "2.00"},
        {Variant(0.5), "Percent", "50,00%", "50.00%"},
        {Variant(1.5), "", "1,5", "1.5"},
    };
    check(cases, std::size(cases));
}

TEST(Format, DatePatterns)
{
    const Variant d = Variant::date(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)));
    const Variant pm = Variant::date(QDateTime(QDate(2026, 12, 24), QTime(18, 30, 0)));
    const FormatCase cases[] = {
        {d, "dd.mm.yy", "07.03.26", "07.03.26"},
        {d, "dd.mm.yyyy", "07.03.2026", "07.03.2026"},
        {d, "d.m.yyyy", "7.3.2026", "7.3.2026"},
        {d, "DD.MM.YYYY", "07.03.2026", "07.03.2026"},
        {d, "hh:mm", "09:05", "09:05"},                 // m after h is minutes
        {d, "hh:nn:ss", "09:05:03", "09:05:03"},
        {d, "h:mm:ss", "9:05:03", "9:05:03"},
        {d, "dd/mm/yyyy", "07.03.2026", "07/03/2026"},  // / is the locale's date separator
        {pm, "hh:mm AM/PM", "06:30 PM", "06:30 PM"},
        {pm, "dd. mmmm yyyy", "24. Dezember 2026", "24. December 2026"},
        {pm, "ddd", "Do.", "Thu"},
        {pm, "Short Date", "24.12.2026", "12/24/2026"},
        {pm, "Short Time", "18:30", "18:30"},
        {Variant(46000.5), "dd.mm.yyyy hh:nn", "09.12.2025 12:00", "09.12.2025 12:00"},  // a number is a day number
        {Variant("24.12.2026"), "yyyy-mm-dd", "2026-12-24", "24.12.2026"},
    };
    check(cases, std::size(cases));
}

// A number that is not finite (a division the data made infinite, a value
// the database holds as infinity) has no text: CStr and Format raise the
// overflow error 6 as every other out-of-range value does, never an error
// of another kind.
TEST(Format, NonFiniteNumbersRaiseOverflow)
{
    ScopedLocale de(QStringLiteral("de_DE"));
    const double werte[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (const double d : werte) {
        SCOPED_TRACE(d);
        erwarteUeberlauf([&] { CStr(d); });
        erwarteUeberlauf([&] { CStr(float(d)); });
        erwarteUeberlauf([&] { CStr(Variant(d)); });
        for (const char* muster : {"0.00", "#0", "0.0E+00", ""})
            erwarteUeberlauf([&] { Format(Variant(d), QString::fromLatin1(muster)); });
    }
}

// The ends of the range of doubles: the smallest (denormal) and the largest
// numbers keep their text in every pattern; a percentage beyond the largest
// number overflows like any other value out of range.
TEST(Format, ExtremeNumbers)
{
    const double groesste = std::numeric_limits<double>::max();
    const double kleinste = std::numeric_limits<double>::denorm_min();
    const FormatCase cases[] = {
        {Variant(kleinste), "0.00E+00", "4,94E-324", "4.94E-324"},
        {Variant(-kleinste), "0.00E+00", "-4,94E-324", "-4.94E-324"},
        {Variant(kleinste * 3), "0.0E-00", "1,5E-323", "1.5E-323"},
        {Variant(kleinste), "0.00", "0,00", "0.00"},
        {Variant(2.2250738585072014e-308), "0.00E+00", "2,23E-308", "2.23E-308"},
        {Variant(groesste), "0.00E+00", "1,80E+308", "1.80E+308"},
        {Variant(12345.0), ".00E+00", ",12E+05", ".12E+05"},
        {Variant(1e308), ".00E+00", ",10E+309", ".10E+309"},
        {Variant(1e306), "0.0E+00%", "1,0E+308%", "1.0E+308%"},
    };
    check(cases, std::size(cases));

    ScopedLocale de(QStringLiteral("de_DE"));
    for (const double d : {1e307, groesste, -groesste}) {
        SCOPED_TRACE(d);
        erwarteUeberlauf([&] { Format(Variant(d), QStringLiteral("0%")); });
        erwarteUeberlauf([&] { Format(Variant(d), QStringLiteral("Percent")); });
    }
    // A Single whose percentage lies beyond the range of Singles.
    erwarteUeberlauf([] { Format(Variant(3e38f), QStringLiteral("0%")); });
}
