// VB's Format function for numbers and dates.
#include "platform/Digits.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"

#include <QHash>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace vb {

namespace {

// ---- Decimal digits of a value -------------------------------------------

// |value| as decimal text: integer digits (no leading zeros) and fraction
// digits. Singles use the shortest digits that read back as the same float,
// Doubles 15 significant digits, so 2.675 is 2.675 and rounds as a person
// expects.
struct Decimal {
    std::string intPart;
    std::string fracPart;
};

// The digits of |v| split at the decimal point; raises 6 when v is not finite.
Decimal decimalOf(double v, bool single)
{
    const detail::Digits dg = detail::digitsOf(v, single);
    Decimal r;
    if (dg.digits.empty())
        return r;
    if (dg.exp >= 0) {
        const size_t n = size_t(dg.exp) + 1;
        if (dg.digits.size() <= n) {
            r.intPart = dg.digits + std::string(n - dg.digits.size(), '0');
        } else {
            r.intPart = dg.digits.substr(0, n);
            r.fracPart = dg.digits.substr(n);
        }
    } else {
        r.fracPart = std::string(size_t(-dg.exp - 1), '0') + dg.digits;
    }
    return r;
}

// v / 10^e, also where 10^e itself lies beyond the range of doubles (the
// mantissas of the smallest and the largest numbers).
double durchZehnHoch(double v, int e)
{
    if (e < -300) {
        v *= 1e300;
        e += 300;
    } else if (e > 300) {
        v /= 1e300;
        e -= 300;
    }
    return v / std::pow(10.0, e);
}

// Round to `decimals` fraction digits, halves away from zero; pads with zeros.
Decimal roundDecimal(Decimal d, int decimals)
{
    const size_t n = size_t(decimals);
    if (d.fracPart.size() > n) {
        const bool up = d.fracPart[n] >= '5';
        d.fracPart.resize(n);
        if (up) {
            int i = int(n) - 1;
            for (; i >= 0; --i) {
                if (d.fracPart[size_t(i)] == '9') {
                    d.fracPart[size_t(i)] = '0';
                } else {
                    ++d.fracPart[size_t(i)];
                    break;
                }
            }
            if (i < 0) {
                int j = int(d.intPart.size()) - 1;
                for (; j >= 0; --j) {
                    if (d.intPart[size_t(j)] == '9') {
                        d.intPart[size_t(j)] = '0';
                    } else {
                        ++d.intPart[size_t(j)];
                        break;
                    }
                }
                if (j < 0)
                    d.intPart.insert(d.intPart.begin(), '1');
            }
        }
    }
    d.fracPart.resize(n, '0');
    size_t z = 0;
    while (z < d.intPart.size() && d.intPart[z] == '0')
        ++z;
    d.intPart.erase(0, z);
    return d;
}

bool allZero(const Decimal& d)
{
    for (char c : d.intPart)
        if (c != '0')
            return false;
    for (char c : d.fracPart)
        if (c != '0')
            return false;
    return true;
}

// ---- Pattern sections ------------------------------------------------------

QStringList splitSections(const QString& pattern)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QChar('"')) {
            quoted = !quoted;
        } else if (c == QChar('\\') && !quoted && i + 1 < pattern.size()) {
            cur.append(c);
            cur.append(pattern[++i]);
            continue;
        } else if (c == QChar(';') && !quoted) {
            out.append(cur);
            cur.clear();
            continue;
        }
        cur.append(c);
    }
    out.append(cur);
    return out;
}

// ---- Number patterns -------------------------------------------------------

struct Tok {
    enum Kind { Zero, Hash, Point, Group, Percent, Exp, Literal } kind;
    QString text;        // Literal: the text; Exp: "+" or "-"
    int expDigits = 0;   // Exp: digits of the exponent ('0' placeholders)
};

std::vector<Tok> tokenizeNumber(const QString& p)
{
    std::vector<Tok> toks;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QChar('"')) {
            const int close = int(p.indexOf(QChar('"'), i + 1));
            const int end = close < 0 ? int(p.size()) : close;
            toks.push_back({Tok::Literal, p.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QChar('\\')) {
            if (i + 1 < p.size())
                toks.push_back({Tok::Literal, QString(p[++i])});
        } else if (c == QChar('0')) {
            toks.push_back({Tok::Zero, {}});
        } else if (c == QChar('#')) {
            toks.push_back({Tok::Hash, {}});
        } else if (c == QChar('.')) {
            toks.push_back({Tok::Point, {}});
        } else if (c == QChar(',')) {
            toks.push_back({Tok::Group, {}});
        } else if (c == QChar('%')) {
            toks.push_back({Tok::Percent, {}});
        } else if ((c == QChar('E') || c == QChar('e')) && i + 1 < p.size() &&
                   (p[i + 1] == QChar('+') || p[i + 1] == QChar('-'))) {
            Tok t{Tok::Exp, QString(p[i + 1])};
            i += 2;
            while (i < p.size() && (p[i] == QChar('0') || p[i] == QChar('#'))) {
                if (p[i] == QChar('0'))
                    ++t.expDigits;
                ++i;
            }
            --i;
            toks.push_back(t);
        } else {
            toks.push_back({Tok::Literal, QString(c)});
        }
    }
    return toks;
}

QString groupDigits(const QString& digits)
{
    const QChar g = locale().groupSign();
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(g);
        out.append(digits[i]);
    }
    return out;
}

// A number pattern's section taken apart: its tokens and where the digits go.
struct NumberSection {
    bool empty = true;   // the section's text is empty
    std::vector<Tok> toks;
    int pointAt = -1, expAt = -1;
    bool percent = false;
    bool grouping = false;   // a comma between two integer digit placeholders
    int scale = 0;           // commas right after the last one: thousands scaled off
    std::vector<int> intSlots, fracSlots;
};

NumberSection parseNumberSection(const QString& section)
{
    NumberSection r;
    r.empty = section.isEmpty();
    r.toks = tokenizeNumber(section);
    const std::vector<Tok>& toks = r.toks;

    // Layout of the pattern.
    int& pointAt = r.pointAt;
    int& expAt = r.expAt;
    for (int i = 0; i < int(toks.size()); ++i) {
        if (toks[size_t(i)].kind == Tok::Point && pointAt < 0 && expAt < 0)
            pointAt = i;
        else if (toks[size_t(i)].kind == Tok::Exp && expAt < 0)
            expAt = i;
        else if (toks[size_t(i)].kind == Tok::Percent)
            r.percent = true;
    }
    const int intEnd = pointAt >= 0 ? pointAt : (expAt >= 0 ? expAt : int(toks.size()));
    const int fracEnd = expAt >= 0 ? expAt : int(toks.size());

    // Grouping: a comma between two digit placeholders of the integer part.
    // Commas right after the last integer placeholder scale by 1000 each.
    {
        int lastDigit = -1, firstDigit = -1;
        for (int i = 0; i < intEnd; ++i) {
            const auto k = toks[size_t(i)].kind;
            if (k == Tok::Zero || k == Tok::Hash) {
                if (firstDigit < 0)
                    firstDigit = i;
                lastDigit = i;
            }
        }
        for (int i = 0; i < intEnd; ++i) {
            if (toks[size_t(i)].kind != Tok::Group)
                continue;
            if (i > firstDigit && i < lastDigit && firstDigit >= 0)
                r.grouping = true;
            else if (i > lastDigit && lastDigit >= 0)
                ++r.scale;
        }
    }

    for (int i = 0; i < intEnd; ++i) {
        const auto k = toks[size_t(i)].kind;
        if (k == Tok::Zero || k == Tok::Hash)
            r.intSlots.push_back(i);
    }
    for (int i = intEnd + 1; i < fracEnd && pointAt >= 0; ++i) {
        const auto k = toks[size_t(i)].kind;
        if (k == Tok::Zero || k == Tok::Hash)
            r.fracSlots.push_back(i);
    }
    return r;
}

QString formatNumberSection(double v, bool single, const NumberSection& sec, bool withSign)
{
    const std::vector<Tok>& toks = sec.toks;
    const int pointAt = sec.pointAt, expAt = sec.expAt;
    const bool percent = sec.percent, grouping = sec.grouping;
    const int scale = sec.scale;
    const std::vector<int>& intSlots = sec.intSlots;
    const std::vector<int>& fracSlots = sec.fracSlots;

    if (percent)
        v *= 100.0;
    for (int s = 0; s < scale; ++s)
        v /= 1000.0;

    // Exponent: the mantissa keeps as many integer digits as the pattern has.
    int exponent = 0;
    if (expAt >= 0 && v != 0.0) {
        const int keep = int(intSlots.size());
        exponent = detail::digitsOf(v, false).exp - keep + 1;
        double m = durchZehnHoch(v, exponent);
        if (int(roundDecimal(decimalOf(m, false), int(fracSlots.size())).intPart.size()) > keep) {
            ++exponent;
            m = durchZehnHoch(v, exponent);
        }
        v = m;
        single = false;
    }

    const Decimal d = roundDecimal(decimalOf(v, single), int(fracSlots.size()));
    const bool negative = withSign && v < 0 && !allZero(d);

    // Integer digits into the slots, from the right; the leftmost slot takes
    // the rest. Digits are ASCII: each slot's text is a short std::string,
    // which needs no allocation of its own.
    std::vector<std::string> slotText(toks.size());
    QString grouped;        // with grouping: all integer digits, grouped, in the first slot
    int groupedSlot = -1;
    {
        const std::string& intDigits = d.intPart;
        const int nd = int(intDigits.size());
        const int ns = int(intSlots.size());
        for (int k = 0; k < ns; ++k) {
            const int tokIndex = intSlots[size_t(ns - 1 - k)];
            std::string t;
            if (k < nd)
                t = intDigits[size_t(nd - 1 - k)];
            else if (toks[size_t(tokIndex)].kind == Tok::Zero)
                t = "0";
            if (k == ns - 1 && nd > ns)
                t = intDigits.substr(0, size_t(nd - ns)) + t;
            slotText[size_t(tokIndex)] = std::move(t);
        }
        if (grouping && ns > 0) {
            QString all;   // digits as placed
            for (int k = 0; k < ns; ++k) {
                all += QLatin1String(slotText[size_t(intSlots[size_t(k)])]);
                slotText[size_t(intSlots[size_t(k)])].clear();
            }
            grouped = groupDigits(all);
            groupedSlot = intSlots[0];
        }
    }
    // Fraction digits from the left; trailing zeros of '#' slots are dropped.
    {
        const std::string& frac = d.fracPart;
        int keep = int(fracSlots.size());
        while (keep > 0 && toks[size_t(fracSlots[size_t(keep - 1)])].kind == Tok::Hash && frac[size_t(keep - 1)] == '0')
            --keep;
        for (int k = 0; k < int(fracSlots.size()); ++k)
            slotText[size_t(fracSlots[size_t(k)])] = k < keep ? std::string(1, frac[size_t(k)]) : std::string();
    }

    QString out;
    if (negative)
        out.append(QChar('-'));
    for (int i = 0; i < int(toks.size()); ++i) {
        const Tok& t = toks[size_t(i)];
        switch (t.kind) {
        case Tok::Zero:
        case Tok::Hash:
            if (i == groupedSlot)
                out.append(grouped);
            else
                out.append(QLatin1String(slotText[size_t(i)]));
            break;
        case Tok::Point:
            if (i == pointAt)
                out.append(locale().decimalSign());
            else
                out.append(QChar('.'));
            break;
        case Tok::Group:
            break;
        case Tok::Percent:
            out.append(QChar('%'));
            break;
        case Tok::Exp: {
            out.append(QChar('E'));
            if (exponent < 0)
                out.append(QChar('-'));
            else if (t.text == QLatin1String("+"))
                out.append(QChar('+'));
            out.append(QString::number(std::abs(exponent)).rightJustified(t.expDigits, QChar('0')));
            break;
        }
        case Tok::Literal:
            out.append(t.text);
            break;
        }
    }
    return out;
}

// A number pattern: up to three sections (positive; negative; zero).
using NumberPattern = std::vector<NumberSection>;

QString formatNumber(double v, bool single, const NumberPattern& sec)
{
    if (v < 0 && sec.size() >= 2 && !sec[1].empty)
        return formatNumberSection(-v, single, sec[1], false);
    if (v == 0 && sec.size() >= 3 && !sec[2].empty)
        return formatNumberSection(v, single, sec[2], false);
    return formatNumberSection(v, single, sec[0], true);
}

// The number patterns met so far, taken apart once: a page formats thousands
// of values with a handful of patterns. Whether a pattern is a named one, a
// date or a number pattern depends on its text alone, so only the number
// patterns are kept.
QHash<QString, std::shared_ptr<const NumberPattern>>& numberPatterns()
{
    thread_local QHash<QString, std::shared_ptr<const NumberPattern>> known;
    return known;
}

std::shared_ptr<const NumberPattern> parseNumberPattern(const QString& pattern)
{
    auto& known = numberPatterns();
    if (known.size() >= 256)
        known.clear();
    NumberPattern p;
    for (const QString& section : splitSections(pattern))
        p.push_back(parseNumberSection(section));
    auto r = std::make_shared<const NumberPattern>(std::move(p));
    known.insert(pattern, r);
    return r;
}

// ---- Date patterns ---------------------------------------------------------

bool isDatePattern(const QString& p)
{
    bool quoted = false;
    bool dateChar = false;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QChar('"')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c == QChar('\\')) {
            ++i;
            continue;
        }
        if (c == QChar('0') || c == QChar('#'))
            return false;
        const QChar l = c.toLower();
        if (l == QChar('d') || l == QChar('m') || l == QChar('y') || l == QChar('h') || l == QChar('n') ||
            l == QChar('s') || l == QChar('w') || l == QChar('q') || l == QChar('c') || l == QChar('t') ||
            c == QChar('/') || c == QChar(':'))
            dateChar = true;
    }
    return dateChar;
}

QString dateSeparator()
{
    const QString f = locale().shortDateFormat();
    for (QChar c : f) {
        if (!c.isLetter())
            return QString(c);
    }
    return QStringLiteral("/");
}

QString formatDate(const QDateTime& dt, const QString& p)
{
    const QLocale& ql = locale().qlocale();
    const QDate date = dt.date();
    const QTime time = dt.time();

    // Find whether a 12-hour marker is present.
    const QString up = p.toUpper();
    const bool ampm = up.contains(QLatin1String("AM/PM")) || up.contains(QLatin1String("A/P")) ||
                      up.contains(QLatin1String("AMPM"));

    QString out;
    bool lastWasHour = false;
    const int n = int(p.size());
    for (int i = 0; i < n;) {
        const QChar c = p[i];
        const QChar l = c.toLower();
        int run = 1;
        while (i + run < n && p[i + run].toLower() == l)
            ++run;
        if (c == QChar('"')) {
            const int close = int(p.indexOf(QChar('"'), i + 1));
            const int end = close < 0 ? n : close;
            out += p.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == QChar('\\')) {
            if (i + 1 < n)
                out += p[i + 1];
            i += 2;
            continue;
        }
        if (p.mid(i, 5).toUpper() == QLatin1String("AM/PM")) {
            const QString m = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += p[i].isLower() ? m.toLower() : m;
            i += 5;
            continue;
        }
        if (p.mid(i, 3).toUpper() == QLatin1String("A/P")) {
            const QString m = time.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += p[i].isLower() ? m.toLower() : m;
            i += 3;
            continue;
        }
        if (l == QChar('d')) {
            switch (run) {
            case 1: out += QString::number(date.day()); break;
            case 2: out += QString::number(date.day()).rightJustified(2, QChar('0')); break;
            case 3: out += ql.dayName(date.dayOfWeek(), QLocale::ShortFormat); break;
            case 4: out += ql.dayName(date.dayOfWeek(), QLocale::LongFormat); break;
            case 5: out += date.toString(locale().shortDateFormat()); break;
            default: out += ql.toString(date, QLocale::LongFormat); break;
            }
            lastWasHour = false;
        } else if (l == QChar('m')) {
            // Minutes right after an hour or before seconds.
            int k = i + run;
            while (k < n && !p[k].isLetter())
                ++k;
            const bool beforeSeconds = k < n && p[k].toLower() == QChar('s');
            if (run <= 2 && (lastWasHour || beforeSeconds)) {
                out += run == 1 ? QString::number(time.minute())
                                : QString::number(time.minute()).rightJustified(2, QChar('0'));
            } else if (run == 1) {
                out += QString::number(date.month());
            } else if (run == 2) {
                out += QString::number(date.month()).rightJustified(2, QChar('0'));
            } else if (run == 3) {
                out += ql.monthName(date.month(), QLocale::ShortFormat);
            } else {
                out += ql.monthName(date.month(), QLocale::LongFormat);
            }
            lastWasHour = false;
        } else if (l == QChar('y')) {
            if (run == 1)
                out += QString::number(date.dayOfYear());
            else if (run == 2)
                out += QString::number(date.year() % 100).rightJustified(2, QChar('0'));
            else
                out += QString::number(date.year()).rightJustified(4, QChar('0'));
            lastWasHour = false;
        } else if (l == QChar('h')) {
            int h = time.hour();
            if (ampm) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += run == 1 ? QString::number(h) : QString::number(h).rightJustified(2, QChar('0'));
            lastWasHour = true;
        } else if (l == QChar('n')) {
            out += run == 1 ? QString::number(time.minute())
                            : QString::number(time.minute()).rightJustified(2, QChar('0'));
            lastWasHour = false;
        } else if (l == QChar('s')) {
            out += run == 1 ? QString::number(time.second())
                            : QString::number(time.second()).rightJustified(2, QChar('0'));
            lastWasHour = false;
        } else if (l == QChar('w')) {
            if (run == 1)
                out += QString::number(date.dayOfWeek() % 7 + 1);   // Sunday = 1
            else
                out += QString::number(date.weekNumber());
            lastWasHour = false;
        } else if (l == QChar('q')) {
            out += QString::number((date.month() - 1) / 3 + 1);
            lastWasHour = false;
        } else if (l == QChar('c') && run == 1) {
            out += CStr(Variant::date(dt));
        } else if (l == QChar('t') && run == 5) {
            out += ql.toString(time, locale().timeFormat());
        } else if (c == QChar('/')) {
            out += dateSeparator().repeated(run);
        } else {
            out += p.mid(i, run);
            if (c != QChar(':') && c != QChar(' '))
                lastWasHour = false;
        }
        i += run;
    }
    return out;
}

QString namedFormat(const Variant& value, const QString& name, bool* handled)
{
    *handled = true;
    const QString n = name.toLower();
    auto num = [&]() { return CDbl(value); };
    if (n == QLatin1String("general number")) {
        QString s = CStr(Variant(num()));
        return s;
    }
    if (n == QLatin1String("fixed"))
        return Format(value, QStringLiteral("0.00"));
    if (n == QLatin1String("standard"))
        return Format(value, QStringLiteral("#,##0.00"));
    if (n == QLatin1String("percent"))
        return Format(value, QStringLiteral("0.00%"));
    if (n == QLatin1String("scientific"))
        return Format(value, QStringLiteral("0.00E+00"));
    const bool german = locale().languageCode() == 3;
    if (n == QLatin1String("yes/no"))
        return num() != 0 ? (german ? QStringLiteral("Ja") : QStringLiteral("Yes"))
                          : (german ? QStringLiteral("Nein") : QStringLiteral("No"));
    if (n == QLatin1String("true/false"))
        return num() != 0 ? (german ? QStringLiteral("Wahr") : QStringLiteral("True"))
                          : (german ? QStringLiteral("Falsch") : QStringLiteral("False"));
    if (n == QLatin1String("on/off"))
        return num() != 0 ? (german ? QStringLiteral("Ein") : QStringLiteral("On"))
                          : (german ? QStringLiteral("Aus") : QStringLiteral("Off"));
    const bool dateName = n == QLatin1String("general date") || n == QLatin1String("long date") ||
                          n == QLatin1String("medium date") || n == QLatin1String("short date") ||
                          n == QLatin1String("long time") || n == QLatin1String("medium time") ||
                          n == QLatin1String("short time");
    if (dateName) {
        const Variant d = CDate(value);
        const QDateTime dt = d.toDateTime();
        const QLocale& ql = locale().qlocale();
        if (n == QLatin1String("general date"))
            return CStr(d);
        if (n == QLatin1String("long date"))
            return ql.toString(dt.date(), QLocale::LongFormat);
        if (n == QLatin1String("medium date"))
            return formatDate(dt, QStringLiteral("dd-mmm-yy"));
        if (n == QLatin1String("short date"))
            return dt.date().toString(locale().shortDateFormat());
        if (n == QLatin1String("long time"))
            return ql.toString(dt.time(), locale().timeFormat());
        if (n == QLatin1String("medium time"))
            return formatDate(dt, QStringLiteral("hh:nn AM/PM"));
        return formatDate(dt, QStringLiteral("hh:nn"));
    }
    *handled = false;
    return QString();
}

} // namespace

QString Format(const Variant& value, const QString& pattern)
{
    if (value.isNull())
        return QString();
    // A number that is not finite has no text under any pattern.
    if (!value.isString() && !value.isEmpty() && !std::isfinite(value.number()))
        raise(err::Overflow);
    if (pattern.isEmpty())
        return CStr(value);

    std::shared_ptr<const NumberPattern> number = numberPatterns().value(pattern);
    if (!number) {
        bool handled = false;
        const QString named = namedFormat(value, pattern, &handled);
        if (handled)
            return named;
        if (isDatePattern(pattern)) {
            QDateTime dt;
            if (value.isDate()) {
                dt = value.toDateTime();
            } else if (value.isString()) {
                if (!parseDate(value.text(), &dt)) {
                    double d = 0;
                    if (!parseNumber(value.text(), &d))
                        return value.text();
                    dt = fromOleDate(d);
                }
            } else {
                dt = fromOleDate(value.number());
            }
            return formatDate(dt, pattern);
        }
        number = parseNumberPattern(pattern);
    }

    double v = 0;
    bool single = false;
    switch (value.type()) {
    case VarType::String:
        if (!parseNumber(value.text(), &v))
            return value.text();
        break;
    case VarType::Single:
        v = value.number();
        single = true;
        break;
    default:
        v = value.number();
        break;
    }
    return formatNumber(v, single, *number);
}

} // namespace vb
