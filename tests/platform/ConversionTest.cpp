// Conversions, Null/Empty rules, arithmetic checks and dates of the VB runtime.
#include "platform/Services.h"
#include "platform/VbRuntime.h"
#include "../common/GermanCLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vb;

namespace {

// Runs f and returns the VB error number it raised (0: none).
int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.number;
    }
    return 0;
}

} // namespace

TEST(Conversion, CIntAndCLngRoundHalvesToEvenAndOverflow)
{
    ScopedLocale de(QStringLiteral("de_DE"));
    struct Case {
        Variant in;
        int cint;      // expected CInt; ignored when cintError is set
        int cintError;
        qint64 clng;
        int clngError;
    };
    const Case cases[] = {
        {Variant(0.5), 0, 0, 0, 0},
        {Variant(1.5), 2, 0, 2, 0},
        {Variant(2.5), 2, 0, 2, 0},
        {Variant(3.5), 4, 0, 4, 0},
        {Variant(-0.5), 0, 0, 0, 0},
        {Variant(-1.5), -2, 0, -2, 0},
        {Variant(-2.5), -2, 0, -2, 0},
        {Variant(2.5000001), 3, 0, 3, 0},
        {Variant(2.4999999), 2, 0, 2, 0},
        {Variant(2.5f), 2, 0, 2, 0},
        {Variant(32767.4), 32767, 0, 32767, 0},
        {Variant(32767.5), 0, 6, 32768, 0},          // rounds to 32768: overflow for Integer
        {Variant(-32768.5), -32768, 0, -32768, 0},    // half to even: -32768
        {Variant(-32769.0), 0, 6, -32769, 0},
        {Variant(40000), 0, 6, 40000, 0},
        {Variant(2147483647.4), 0, 6, 2147483647, 0},
        {Variant(2147483647.5), 0, 6, 0, 6},
        {Variant(-2147483648.5), 0, 6, -2147483648LL, 0},
        {Variant(1e20), 0, 6, 0, 6},
        {Variant("2,5"), 2, 0, 2, 0},                 // text in the locale
        {Variant(" 7 "), 7, 0, 7, 0},
        {Variant("abc"), 0, 13, 0, 13},
        {Variant(""), 0, 13, 0, 13},
        {Variant(true), -1, 0, -1, 0},
        {Variant(), 0, 0, 0, 0},                      // Empty is 0
        {Variant::null(), 0, 94, 0, 94},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.debugText().toStdString());
        int16_t i = 0;
        EXPECT_EQ(errorOf([&] { i = CInt(c.in); }), c.cintError);
        if (!c.cintError) {
            EXPECT_EQ(i, c.cint);
        }
        int32_t l = 0;
        EXPECT_EQ(errorOf([&] { l = CLng(c.in); }), c.clngError);
        if (!c.clngError) {
            EXPECT_EQ(l, c.clng);
        }
    }
}

TEST(Conversion, NumbersFromTextFollowTheLocale)
{
    struct Case {
        const char* locale;
        const char* text;
        bool numeric;
        double value;
    };
    const Case cases[] = {
        {"de_DE", "1,5", true, 1.5},
        {"de_DE", "-1,25", true, -1.25},
        {"de_DE", "1.000,5", true, 1000.5},
        {"de_DE", "1.234.567", true, 1234567},
        {"de_DE", "1.5", false, 0},        // a point is no decimal sign here, and no valid grouping
        {"de_DE", "1,5E3", true, 1500},
        {"de_DE", "  42  ", true, 42},
        {"de_DE", "&HFF", true, 255},
        {"de_DE", ",5", true, 0.5},
        {"de_DE", "", false, 0},
        {"de_DE", "-", false, 0},
        {"de_DE", "12a", false, 0},
        {"de_DE", "1,2,3", false, 0},
        {"en_US", "1.5", true, 1.5},
        {"en_US", "1,000.5", true, 1000.5},
        {"en_US", "1,5", false, 0},
        {"fr_FR", "2,75", true, 2.75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " '" + c.text + "'");
        ScopedLocale loc(QString::fromLatin1(c.locale));
        EXPECT_EQ(IsNumeric(Variant(c.text)), c.numeric);
        double d = 0;
        const int e = errorOf([&] { d = CDbl(Variant(c.text)); });
        if (c.numeric) {
            EXPECT_EQ(e, 0);
            EXPECT_DOUBLE_EQ(d, c.value);
        } else {
            EXPECT_EQ(e, 13);
        }
    }
}

TEST(Conversion, CStrWritesNumbersAsTheLocaleDoes)
{
    struct Case {
        const char* locale;
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {"de_DE", Variant(2.3f), "2,3"},               // not 2,29999995231628
        {"en_US", Variant(2.3f), "2.3"},
        {"de_DE", Variant(1.5), "1,5"},
        {"de_DE", Variant(0.1 + 0.2), "0,3"},          // 15 significant digits
        {"de_DE", Variant(1.0 / 3.0), "0,333333333333333"},
        {"de_DE", Variant(100.0), "100"},
        {"de_DE", Variant(-0.25f), "-0,25"},
        {"de_DE", Variant(123456789012345.0), "123456789012345"},
        {"de_DE", Variant(1234567890123456.0), "1,23456789012346E+15"},
        {"en_US", Variant(0.00001), "1E-05"},
        {"en_US", Variant(0.0001), "0.0001"},
        {"de_DE", Variant(1e7f), "1E+07"},
        {"de_DE", Variant(1234567.0f), "1234567"},
        {"de_DE", Variant(int16_t(-12)), "-12"},
        {"de_DE", Variant(70000), "70000"},
        {"de_DE", Variant(true), "True"},
        {"de_DE", Variant(), ""},
        {"de_DE", Variant("Text"), "Text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.value.debugText().toStdString());
        ScopedLocale loc(QString::fromLatin1(c.locale));
        EXPECT_EQ(CStr(c.value), QString::fromUtf8(c.text));
    }
}

TEST(Conversion, SingleAndDoubleRoundTripThroughTheirText)
{
    const float singles[] = {2.3f, 0.1f, 1.0f / 3.0f, 12345.678f, -7.25e-6f, 3.4e38f};
    const double doubles[] = {2.3, 0.1, 12345.678, -7.25e-6, 98765.4321};
    for (const char* name : {"de_DE", "en_US"}) {
        ScopedLocale loc(QString::fromLatin1(name));
        for (float f : singles) {
            SCOPED_TRACE(f);
            EXPECT_EQ(CSng(Variant(CStr(Variant(f)))), f);
        }
        for (double d : doubles) {
            SCOPED_TRACE(d);
            EXPECT_DOUBLE_EQ(CDbl(Variant(CStr(Variant(d)))), d);
        }
    }
    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(errorOf([] { CSng(Variant(1e39)); }), 6);
    EXPECT_EQ(CSng(Variant("1,5")), 1.5f);
}

TEST(Conversion, CBoolAndCDate)
{
    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_TRUE(CBool(Variant(-1)));
    EXPECT_TRUE(CBool(Variant(0.5)));
    EXPECT_FALSE(CBool(Variant(0.0)));
    EXPECT_TRUE(CBool(Variant("True")));
    EXPECT_FALSE(CBool(Variant("falsch")));
    EXPECT_TRUE(CBool(Variant("2")));
    EXPECT_EQ(errorOf([] { CBool(Variant("ja bitte")); }), 13);
    EXPECT_EQ(errorOf([] { CBool(Variant::null()); }), 94);

    EXPECT_EQ(CDate(Variant("24.12.2026")).toDateTime(), QDateTime(QDate(2026, 12, 24), QTime(0, 0)));
    EXPECT_EQ(CDate(Variant("1.2.99 13:45")).toDateTime(), QDateTime(QDate(1999, 2, 1), QTime(13, 45)));
    EXPECT_EQ(CDate(Variant("1.2.29")).toDateTime().date(), QDate(2029, 2, 1));
    EXPECT_EQ(CDate(Variant("2026-03-04")).toDateTime().date(), QDate(2026, 3, 4));
    EXPECT_EQ(errorOf([] { CDate(Variant("31.02.2026")); }), 13);
    EXPECT_TRUE(IsDate(Variant("10.12.2026")));
    EXPECT_FALSE(IsDate(Variant("10.13.2026")));
    EXPECT_FALSE(IsDate(Variant(5)));
    {
        ScopedLocale en(QStringLiteral("en_US"));
        EXPECT_EQ(CDate(Variant("12/24/2026")).toDateTime().date(), QDate(2026, 12, 24));
        EXPECT_FALSE(IsDate(Variant("24/12/2026")));
    }
}

TEST(Conversion, DatesCountDaysFrom30December1899)
{
    struct Case {
        double ole;
        QDateTime dt;
    };
    const Case cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {1.0, QDateTime(QDate(1899, 12, 31), QTime(0, 0))},
        {2.0, QDateTime(QDate(1900, 1, 1), QTime(0, 0))},
        {0.5, QDateTime(QDate(1899, 12, 30), QTime(12, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},   // negative days, positive time
        {46000.75, QDateTime(QDate(2025, 12, 9), QTime(18, 0))},
        {36526.0, QDateTime(QDate(2000, 1, 1), QTime(0, 0))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ole);
        EXPECT_EQ(fromOleDate(c.ole), c.dt);
        EXPECT_DOUBLE_EQ(toOleDate(c.dt), c.ole);
    }
    EXPECT_EQ(errorOf([] { fromOleDate(3e6); }), 6);

    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(CStr(Variant::date(46000.75)), QStringLiteral("09.12.2025 18:00:00"));
    EXPECT_EQ(CStr(Variant::date(46000.0)), QStringLiteral("09.12.2025"));
    EXPECT_DOUBLE_EQ(CDbl(DateSerial(2000, 1, 1)), 36526.0);
    EXPECT_EQ(DateSerial(2026, 13, 1).toDateTime().date(), QDate(2027, 1, 1));   // months roll over
    EXPECT_EQ(Year(Variant::date(46000.75)), 2025);
    EXPECT_EQ(Hour(Variant::date(46000.75)), 18);
}

TEST(NullAndEmpty, NullPropagatesThroughVariantsAndRaises94WhenTyped)
{
    const Variant n = Variant::null();
    EXPECT_TRUE((n + Variant(1)).isNull());
    EXPECT_TRUE((Variant(2.5) * n).isNull());
    EXPECT_TRUE((n / Variant(0)).isNull());        // Null wins over the division check
    EXPECT_TRUE(Int(n).isNull());
    EXPECT_EQ(concat(Variant("a"), n), Variant("a"));
    EXPECT_FALSE(IsNumeric(n));
    EXPECT_FALSE(compare(n, Variant(1)).has_value());

    // Assigning Null to a typed variable raises 94.
    EXPECT_EQ(errorOf([&] { CInt(n); }), 94);
    EXPECT_EQ(errorOf([&] { CSng(n); }), 94);
    EXPECT_EQ(errorOf([&] { CDbl(n); }), 94);
    EXPECT_EQ(errorOf([&] { CStr(n); }), 94);
    EXPECT_EQ(errorOf([&] { CSng(n + Variant(1.0f)); }), 94);

    // A Null read leaves the variable alone; other values are converted.
    ScopedLocale de(QStringLiteral("de_DE"));
    float f = 7.5f;
    EXPECT_FALSE(assignUnlessNull(f, n));
    EXPECT_EQ(f, 7.5f);
    EXPECT_TRUE(assignUnlessNull(f, Variant("2,5")));
    EXPECT_EQ(f, 2.5f);
    QString s = QStringLiteral("alt");
    EXPECT_FALSE(assignUnlessNull(s, n));
    EXPECT_EQ(s, QStringLiteral("alt"));
    int16_t i = 3;
    EXPECT_EQ(errorOf([&] { assignUnlessNull(i, Variant(40000)); }), 6);

    // Empty counts as 0 or "".
    EXPECT_EQ(CInt(Variant()), 0);
    EXPECT_EQ(CStr(Variant()), QString());
    EXPECT_EQ(Variant() + Variant(int16_t(5)), Variant(int16_t(5)));
    EXPECT_EQ(Variant() + Variant("x"), Variant("x"));
    EXPECT_TRUE(IsNumeric(Variant()));
}

TEST(Arithmetic, DivisionByZeroRaises11AndOverflowRaises6)
{
    struct Case {
        std::function<void()> op;
        int error;
        const char* what;
    };
    const Case cases[] = {
        {[] { Div(1.0, 0.0); }, 11, "1 / 0"},
        {[] { Div(-3.5, 0.0); }, 11, "-3.5 / 0"},
        {[] { Div(0.0, 0.0); }, 6, "0 / 0"},
        {[] { DivS(1.0f, 0.0f); }, 11, "Single 1 / 0"},
        {[] { DivS(3e38f, 1e-3f); }, 6, "Single overflow"},
        {[] { Div(1e308, 1e-10); }, 6, "Double overflow"},
        {[] { IntDiv(7, 0.4); }, 11, "7 \\ 0.4 (divisor rounds to 0)"},
        {[] { Mod(7, 0); }, 11, "7 Mod 0"},
        {[] { Variant(1) / Variant(0); }, 11, "Variant 1 / 0"},
        {[] { Variant(1) / Variant(); }, 11, "Variant 1 / Empty"},
        {[] { addI(32767, 1); }, 6, "Integer 32767 + 1"},
        {[] { mulL(65536, 32768); }, 6, "Long 65536 * 32768"},
        {[] { Variant("x") + Variant(1); }, 13, "text + number"},
        {[] { Sqr(-1); }, 5, "Sqr(-1)"},
        {[] { Log(0); }, 5, "Log(0)"},
        {[] { Mid(QStringLiteral("abc"), 0); }, 5, "Mid start 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf(c.op), c.error);
    }
    EXPECT_DOUBLE_EQ(Div(1.0, 4.0), 0.25);
    EXPECT_EQ(IntDiv(7, 2), 3);
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(IntDiv(7.5, 2), 4);      // 7.5 rounds to 8 first
    EXPECT_EQ(Mod(-7, 3), -1);
    EXPECT_EQ(mulI(-181, 181), -32761);
}

TEST(Arithmetic, VariantResultsWidenInsteadOfOverflowing)
{
    const Variant a = Variant(int16_t(30000)) + Variant(int16_t(30000));
    EXPECT_EQ(a, Variant(60000));                       // Integer -> Long
    const Variant b = Variant(2000000000) * Variant(2);
    EXPECT_EQ(b, Variant(4000000000.0));                // Long -> Double
    EXPECT_EQ(Variant(1.5f) + Variant(int16_t(1)), Variant(2.5f));
    EXPECT_EQ(Variant(1.5f) / Variant(0.5f), Variant(3.0f));
    EXPECT_EQ(Variant(int16_t(1)) / Variant(int16_t(4)), Variant(0.25));
    EXPECT_EQ(Variant("ab") + Variant("cd"), Variant("abcd"));
    EXPECT_EQ(Variant(true) + Variant(true), Variant(int16_t(-2)));
    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(Variant("1,5") + Variant(1), Variant(2.5));
    EXPECT_EQ(concat(Variant(1.5), Variant("m")), Variant("1,5m"));
    const Variant d = Variant::date(QDate(2026, 1, 31)) + Variant(1);
    EXPECT_EQ(d.type(), VarType::Date);
    EXPECT_EQ(d.toDateTime().date(), QDate(2026, 2, 1));
}

TEST(NumberFunctions, IntFixRoundValAndText)
{
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_EQ(Int(2.7), 2.0);
    EXPECT_EQ(Int(Variant(int16_t(5))), Variant(int16_t(5)));
    EXPECT_EQ(Int(Variant(-1.5f)), Variant(-2.0f));
    EXPECT_DOUBLE_EQ(Round(2.5), 2.0);
    EXPECT_DOUBLE_EQ(Round(3.5), 4.0);
    EXPECT_DOUBLE_EQ(Round(2.345, 2), 2.34);
    EXPECT_DOUBLE_EQ(Round(2.355, 2), 2.36);
    {
        // The same under the decimal comma of a German C library locale.
        GermanCLocale c;
        struct RoundCase {
            double d;
            int digits;
            double expected;
        };
        for (const RoundCase& r : {RoundCase{1.26, 1, 1.3}, RoundCase{2.355, 2, 2.36}, RoundCase{-7.49, 1, -7.5}}) {
            SCOPED_TRACE(r.d);
            EXPECT_DOUBLE_EQ(Round(r.d, r.digits), r.expected);
        }
    }

    struct ValCase {
        const char* text;
        double value;
    };
    const ValCase vals[] = {
        {"1.5", 1.5}, {"1,5", 1.0}, {" 1 2 3abc", 123.0}, {"-4.25e2x", -425.0},
        {"abc", 0.0}, {"", 0.0},    {"&H1F", 31.0},       {".5", 0.5},
    };
    ScopedLocale de(QStringLiteral("de_DE"));   // Val ignores the locale
    for (const auto& v : vals) {
        SCOPED_TRACE(v.text);
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(v.text)), v.value);
    }

    EXPECT_EQ(Mid(QStringLiteral("Bohrung"), 3, 2), QStringLiteral("hr"));
    EXPECT_EQ(Mid(QStringLiteral("Bohrung"), 10), QString());
    EXPECT_EQ(InStr(QStringLiteral("B1,B2"), QStringLiteral(",")), 3);
    EXPECT_EQ(InStr(4, QStringLiteral("B1,B2,B3"), QStringLiteral(",")), 6);
    EXPECT_EQ(InStr(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(InStrRev(QStringLiteral("C:\\a\\b.mdb"), QStringLiteral("\\")), 5);
    EXPECT_EQ(Trim(QStringLiteral("  a b \t ")), QStringLiteral("a b \t"));
    EXPECT_EQ(Left(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    EXPECT_EQ(Split(QStringLiteral("a;;b"), QStringLiteral(";")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(Split(QString(), QStringLiteral(";")).isEmpty());
}

TEST(Comparison, VariantsCompareAsVbDoes)
{
    ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(compare(Variant(int16_t(2)), Variant(2.0)), 0);
    EXPECT_EQ(compare(Variant("10"), Variant(9)), 1);          // numeric text against a number
    EXPECT_EQ(compare(Variant("B"), Variant("a")), -1);        // binary compare
    EXPECT_EQ(compare(Variant(), Variant("")), 0);
    EXPECT_EQ(compare(Variant(), Variant(0)), 0);
    EXPECT_EQ(errorOf([] { compare(Variant("x"), Variant(1)); }), 13);
}

TEST(RandomNumbers, StayInRangeAndRepeatForASeed)
{
    Randomize(0);
    bool inRange = true;
    for (int k = 0; k < 1000; ++k) {
        const float r = Rnd();
        inRange = inRange && r >= 0.0f && r < 1.0f;
    }
    EXPECT_TRUE(inRange);
    Randomize(5);
    const float a = Rnd();
    Randomize(5);
    EXPECT_EQ(Rnd(), a) << "the same seed gives the same sequence";
}

TEST(Variant, BridgesToQVariantAndBack)
{
    const Variant values[] = {
        Variant(),
        Variant::null(),
        Variant(int16_t(-7)),
        Variant(123456),
        Variant(2.3f),
        Variant(2.3),
        Variant(true),
        Variant(false),
        Variant(QStringLiteral("Grüße")),
        Variant::date(QDateTime(QDate(2026, 12, 10), QTime(12, 30, 15))),
    };
    for (const auto& v : values) {
        SCOPED_TRACE(v.debugText().toStdString());
        EXPECT_EQ(Variant::fromQVariant(v.toQVariant()), v);
    }
    EXPECT_EQ(TypeName(Variant::fromQVariant(QVariant(qlonglong(5)))), QStringLiteral("Long"));
    EXPECT_EQ(TypeName(Variant::fromQVariant(QVariant(qlonglong(5000000000LL)))), QStringLiteral("Double"));
    EXPECT_TRUE(Variant::fromQVariant(QVariant::fromValue(nullptr)).isNull());
    EXPECT_EQ(Variant::fromQVariant(QVariant(QDate(1899, 12, 31))), Variant::date(1.0));
    EXPECT_EQ(int(Variant(int16_t(1)).type()), 2);   // VarType numbers are VB's
    EXPECT_EQ(int(Variant(true).type()), 11);
    EXPECT_EQ(Variant(true).number(), -1.0);
    int number = 0;
    try {
        Variant(40000, VarType::Integer);
    } catch (const VbError& e) {
        number = e.number;
    }
    EXPECT_EQ(number, 6);
}
