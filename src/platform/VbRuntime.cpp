#include "platform/VbRuntime.h"

#include "platform/Digits.h"
#include "platform/Services.h"

#include <QTime>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>
#include <limits>

namespace vb {

namespace detail {

Digits digitsOf(double d, bool single)
{
    // Infinity and NaN have no digits: out of every range, as VB would have
    // said when the value arose (a Single also beyond its own range).
    if (!std::isfinite(single ? static_cast<float>(d) : d))
        raise(err::Overflow);
    Digits r;
    if (d == 0.0)
        return r;
    r.negative = d < 0;
    char buf[64];
    std::to_chars_result res;
    if (single)
        res = std::to_chars(buf, buf + sizeof buf, static_cast<float>(std::fabs(d)), std::chars_format::scientific);
    else
        res = std::to_chars(buf, buf + sizeof buf, std::fabs(d), std::chars_format::scientific, 14);
    // "d.ddde±xx": the digits without the point, then the exponent.
    const char* e = std::find(buf, res.ptr, 'e');
    for (const char* c = buf; c != e; ++c) {
        if (*c != '.')
            r.digits.push_back(*c);
    }
    const char* x = e + 1;
    if (x != res.ptr && *x == '+')
        ++x;
    std::from_chars(x, res.ptr, r.exp);
    while (!r.digits.empty() && r.digits.back() == '0')
        r.digits.pop_back();
    return r;
}

} // namespace detail

namespace {

const QDate kOleBase(1899, 12, 30);

using detail::roundHalfEven;

using detail::Digits;
using detail::digitsOf;

// VB's text of a number: fixed notation for decimal exponents -5 < e < maxExp,
// otherwise "d.dddE+xx".
QString numberText(const Digits& dg, int maxExp)
{
    if (dg.digits.empty())
        return QStringLiteral("0");
    const QChar dec = locale().decimalSign();
    QString out;
    if (dg.negative)
        out.append(QChar('-'));
    const int n = int(dg.digits.size());
    if (dg.exp < -4 || dg.exp >= maxExp) {
        out.append(QChar(dg.digits[0]));
        if (n > 1) {
            out.append(dec);
            out.append(QString::fromLatin1(dg.digits.data() + 1, n - 1));
        }
        out.append(QChar('E'));
        out.append(dg.exp < 0 ? QChar('-') : QChar('+'));
        out.append(QString::number(std::abs(dg.exp)).rightJustified(2, QChar('0')));
        return out;
    }
    if (dg.exp < 0) {
        out.append(QChar('0'));
        out.append(dec);
        out.append(QString(-dg.exp - 1, QChar('0')));
        out.append(QString::fromLatin1(dg.digits.data(), n));
        return out;
    }
    const int intDigits = dg.exp + 1;
    if (n <= intDigits) {
        out.append(QString::fromLatin1(dg.digits.data(), n));
        out.append(QString(intDigits - n, QChar('0')));
    } else {
        out.append(QString::fromLatin1(dg.digits.data(), intDigits));
        out.append(dec);
        out.append(QString::fromLatin1(dg.digits.data() + intDigits, n - intDigits));
    }
    return out;
}

double numberOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::Empty:
        return 0.0;
    case VarType::String: {
        double d = 0;
        if (!parseNumber(v.text(), &d))
            raise(err::TypeMismatch);
        return d;
    }
    default:
        return v.number();
    }
}

bool isBlank(QChar c) { return c == QChar(' ') || c == QChar('\t') || c == QChar(0xA0); }

} // namespace

// ---- Text to number --------------------------------------------------------

bool parseNumber(const QString& text, double* out)
{
    const QChar dec = locale().decimalSign();
    const QChar grp = locale().groupSign();
    int i = 0;
    const int n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    int end = n;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i >= end)
        return false;
    bool neg = false;
    if (text[i] == QChar('+') || text[i] == QChar('-')) {
        neg = text[i] == QChar('-');
        ++i;
        while (i < end && isBlank(text[i]))
            ++i;
    }
    // &H hex and &O octal
    if (end - i >= 3 && text[i] == QChar('&')) {
        const QChar k = text[i + 1].toUpper();
        int base = k == QChar('H') ? 16 : (k == QChar('O') ? 8 : 0);
        if (!base)
            return false;
        bool ok = false;
        const qlonglong v = text.mid(i + 2, end - i - 2).toLongLong(&ok, base);
        if (!ok)
            return false;
        *out = neg ? -double(v) : double(v);
        return true;
    }
    std::string s;
    if (neg)
        s.push_back('-');
    // Integer part: digits, with group signs only between groups of three.
    int digitsSinceGroup = 0;
    bool sawGroup = false;
    bool anyDigit = false;
    while (i < end) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            s.push_back(char(c.unicode()));
            ++digitsSinceGroup;
            anyDigit = true;
            ++i;
        } else if (c == grp && dec != grp) {
            if (!anyDigit || (sawGroup && digitsSinceGroup != 3) || (!sawGroup && digitsSinceGroup > 3))
                return false;
            sawGroup = true;
            digitsSinceGroup = 0;
            ++i;
        } else {
            break;
        }
    }
    if (sawGroup && digitsSinceGroup != 3)
        return false;
    if (i < end && text[i] == dec) {
        s.push_back('.');
        ++i;
        while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
            s.push_back(char(text[i].unicode()));
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return false;
    if (i < end && (text[i].toUpper() == QChar('E') || text[i].toUpper() == QChar('D'))) {
        s.push_back('e');
        ++i;
        if (i < end && (text[i] == QChar('+') || text[i] == QChar('-'))) {
            s.push_back(char(text[i].unicode()));
            ++i;
        }
        bool expDigit = false;
        while (i < end && text[i].isDigit() && text[i].unicode() < 128) {
            s.push_back(char(text[i].unicode()));
            expDigit = true;
            ++i;
        }
        if (!expDigit)
            return false;
    }
    if (i != end)
        return false;
    double d = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), d);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

// ---- Text to date --------------------------------------------------------

namespace {

bool parseTime(const QString& t, QTime* out)
{
    QString s = t.trimmed();
    int addHours = -1;   // -1: 24-hour clock; 0: AM; 12: PM
    const QString up = s.toUpper();
    if (up.endsWith(QLatin1String("AM")) || up.endsWith(QLatin1String("PM"))) {
        addHours = up.endsWith(QLatin1String("PM")) ? 12 : 0;
        s.chop(2);
        s = s.trimmed();
    }
    const QStringList parts = s.split(QChar(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    int v[3] = {0, 0, 0};
    for (int k = 0; k < parts.size(); ++k) {
        bool ok = false;
        v[k] = parts[k].toInt(&ok);
        if (!ok || parts[k].isEmpty())
            return false;
    }
    if (addHours >= 0) {
        if (v[0] < 1 || v[0] > 12)
            return false;
        v[0] = v[0] % 12 + addHours;
    }
    QTime time(v[0], v[1], v[2]);
    if (!time.isValid())
        return false;
    *out = time;
    return true;
}

int windowYear(int y, int digits)
{
    if (digits <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

bool parseDatePart(const QString& t, QDate* out)
{
    QStringList parts = t.split(QRegularExpression(QStringLiteral("[./-]")));
    if (parts.size() != 3 && parts.size() != 2)
        return false;
    std::vector<int> v;
    std::vector<int> len;
    for (const QString& p : parts) {
        bool ok = false;
        const int x = p.toInt(&ok);
        if (!ok || p.isEmpty())
            return false;
        v.push_back(x);
        len.push_back(int(p.size()));
    }
    int y = 0, m = 0, d = 0;
    if (parts.size() == 2) {
        // day and month of the current year
        y = QDate::currentDate().year();
        const bool mdy = locale().languageName() == QLatin1String("en") &&
                         locale().qlocale().territory() == QLocale::UnitedStates;
        d = mdy ? v[1] : v[0];
        m = mdy ? v[0] : v[1];
    } else if (len[0] == 4) {
        y = v[0], m = v[1], d = v[2];
    } else {
        const QString f = locale().shortDateFormat();
        const int di = int(f.indexOf(QChar('d'))), mi = int(f.indexOf(QChar('M'))), yi = int(f.indexOf(QChar('y')));
        // Order the three fields as the locale's short date does.
        std::vector<std::pair<int, char>> order = {{di, 'd'}, {mi, 'm'}, {yi, 'y'}};
        std::sort(order.begin(), order.end());
        for (size_t k = 0; k < 3; ++k) {
            switch (order[k].second) {
            case 'd': d = v[k]; break;
            case 'm': m = v[k]; break;
            default: y = windowYear(v[k], len[k]); break;
            }
        }
    }
    QDate date(y, m, d);
    if (!date.isValid())
        return false;
    *out = date;
    return true;
}

} // namespace

bool parseDate(const QString& text, QDateTime* out)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    s.replace(QChar('T'), QChar(' '));
    QDate date;
    QTime time(0, 0);
    const int sp = int(s.indexOf(QChar(' ')));
    QString datePart = sp < 0 ? s : s.left(sp);
    QString timePart = sp < 0 ? QString() : s.mid(sp + 1).trimmed();
    if (sp < 0 && datePart.contains(QChar(':'))) {
        // a time only: the day 30.12.1899
        if (!parseTime(datePart, &time))
            return false;
        *out = QDateTime(kOleBase, time);
        return true;
    }
    if (!parseDatePart(datePart, &date))
        return false;
    if (!timePart.isEmpty() && !parseTime(timePart, &time))
        return false;
    *out = QDateTime(date, time);
    return true;
}

// ---- Conversions -------------------------------------------------------

int32_t CLngRange(double d)
{
    const double r = roundHalfEven(d);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        raise(err::Overflow);
    return static_cast<int32_t>(r);
}

int16_t CInt(const Variant& v) { return CIntRange(numberOf(v)); }

int32_t CLng(const Variant& v) { return CLngRange(numberOf(v)); }

float CSng(const Variant& v) { return checkSingle(numberOf(v)); }

double CDbl(const Variant& v) { return numberOf(v); }

bool CBool(const Variant& v)
{
    if (v.isString()) {
        const QString s = v.text().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
            s.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
            s.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return numberOf(v) != 0.0;
}

QString CStr(double d) { return numberText(digitsOf(d, false), 15); }

QString CStr(float f) { return numberText(digitsOf(f, true), 7); }

QString CStr(int32_t i) { return QString::number(i); }

QString CStr(int16_t i) { return QString::number(i); }

QString CStr(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

namespace {
QString dateText(double ole)
{
    const QDateTime dt = fromOleDate(ole);
    const double frac = std::fabs(ole - std::trunc(ole));
    const bool hasDate = std::trunc(ole) != 0.0;
    const bool hasTime = frac != 0.0;
    const QString d = dt.date().toString(locale().shortDateFormat());
    const QString t = locale().qlocale().toString(dt.time(), locale().timeFormat());
    if (hasDate && hasTime)
        return d + QChar(' ') + t;
    if (hasTime)
        return t;
    return d;
}
} // namespace

QString CStr(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty:
        return QString();
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::Integer:
    case VarType::Long:
        return QString::number(static_cast<qint64>(v.number()));
    case VarType::Single:
        return CStr(static_cast<float>(v.number()));
    case VarType::Double:
        return CStr(v.number());
    case VarType::Date:
        return dateText(v.number());
    case VarType::String:
        return v.text();
    case VarType::Boolean:
        return CStr(v.number() != 0.0);
    }
    return QString();
}

Variant CDate(const Variant& v)
{
    switch (v.type()) {
    case VarType::Null:
        raise(err::InvalidUseOfNull);
    case VarType::Date:
        return v;
    case VarType::String: {
        QDateTime dt;
        if (parseDate(v.text(), &dt))
            return Variant::date(dt);
        double d = 0;
        if (parseNumber(v.text(), &d)) {
            fromOleDate(d);   // range check
            return Variant::date(d);
        }
        raise(err::TypeMismatch);
    }
    default: {
        const double d = numberOf(v);
        fromOleDate(d);
        return Variant::date(d);
    }
    }
}

bool IsNumeric(const Variant& v)
{
    switch (v.type()) {
    case VarType::Null:
    case VarType::Date:
        return false;
    case VarType::String: {
        double d = 0;
        return parseNumber(v.text(), &d);
    }
    default:
        return true;
    }
}

bool IsDate(const Variant& v)
{
    if (v.isDate())
        return true;
    if (!v.isString())
        return false;
    QDateTime dt;
    return parseDate(v.text(), &dt);
}

namespace {
template <class T, class F>
bool assignConverted(T& target, const Variant& v, F convert)
{
    if (v.isNull())
        return false;
    target = convert(v);
    return true;
}
} // namespace

bool assignUnlessNull(int16_t& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CInt(x); });
}
bool assignUnlessNull(int32_t& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CLng(x); });
}
bool assignUnlessNull(float& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CSng(x); });
}
bool assignUnlessNull(double& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CDbl(x); });
}
bool assignUnlessNull(bool& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CBool(x); });
}
bool assignUnlessNull(QString& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return CStr(x); });
}
bool assignUnlessNull(Variant& target, const Variant& v)
{
    return assignConverted(target, v, [](const Variant& x) { return x; });
}

// ---- Number functions -----------------------------------------------------

double Int(double d) { return std::floor(d); }

double Fix(double d) { return std::trunc(d); }

namespace {
Variant keepType(const Variant& v, double r)
{
    switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
    case VarType::Empty:
        return v.isEmpty() ? Variant(int16_t(0)) : (v.isBoolean() ? Variant(int16_t(r)) : v);
    case VarType::Single:
        return Variant(static_cast<float>(r));
    case VarType::Date:
        return Variant::date(r);
    default:
        return Variant(r);
    }
}
} // namespace

Variant Int(const Variant& v)
{
    if (v.isNull())
        return v;
    return keepType(v, std::floor(numberOf(v)));
}

Variant Fix(const Variant& v)
{
    if (v.isNull())
        return v;
    return keepType(v, std::trunc(numberOf(v)));
}

double Round(double d, int digits)
{
    if (digits < 0)
        raise(err::InvalidCall);
    if (digits == 0)
        return roundHalfEven(d);
    // Round on the decimal text (15 significant digits), so 2.675 is a tie.
    const double p = std::pow(10.0, digits);
    const double scaled = QString::number(d * p, 'g', 15).toDouble();
    return roundHalfEven(scaled) / p;
}

double Abs(double d) { return std::fabs(d); }

int Sgn(double d) { return d > 0 ? 1 : (d < 0 ? -1 : 0); }

double Sqr(double d)
{
    if (d < 0)
        raise(err::InvalidCall);
    return std::sqrt(d);
}

double Log(double d)
{
    if (!(d > 0))
        raise(err::InvalidCall);
    return std::log(d);
}

double Exp(double d) { return checkDouble(std::exp(d)); }

double Val(const QString& text)
{
    // Blanks, tabs and line feeds are skipped anywhere, as VB does.
    std::string s;
    for (QChar c : text) {
        if (c == QChar(' ') || c == QChar('\t') || c == QChar('\n') || c == QChar('\r'))
            continue;
        if (c.unicode() > 127)
            break;
        s.push_back(char(c.unicode()));
    }
    if (s.size() >= 2 && s[0] == '&') {
        const char k = char(std::toupper(static_cast<unsigned char>(s[1])));
        const int base = k == 'H' ? 16 : (k == 'O' ? 8 : 0);
        if (!base)
            return 0;
        long long v = 0;
        const auto res = std::from_chars(s.data() + 2, s.data() + s.size(), v, base);
        return res.ec == std::errc() ? double(v) : 0.0;
    }
    size_t i = 0;
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        num.push_back(s[i++]);
    bool digit = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num.push_back(s[i++]);
        digit = true;
    }
    if (i < s.size() && s[i] == '.') {
        num.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num.push_back(s[i++]);
            digit = true;
        }
    }
    if (!digit)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exp = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exp.push_back(s[j++]);
        bool ed = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exp.push_back(s[j++]);
            ed = true;
        }
        if (ed)
            num += exp;
    }
    if (num.front() == '+')
        num.erase(0, 1);
    double d = 0;
    std::from_chars(num.data(), num.data() + num.size(), d);
    return checkDouble(d);
}

double Div(double a, double b)
{
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a))
            raise(err::Overflow);
        raise(err::DivisionByZero);
    }
    return checkDouble(a / b);
}

void detail::raiseDivisionByZero(float a)
{
    if (a == 0.0f || std::isnan(a))
        raise(err::Overflow);
    raise(err::DivisionByZero);
}

int32_t IntDiv(double a, double b)
{
    const int32_t x = CLngRange(a), y = CLngRange(b);
    if (y == 0)
        raise(err::DivisionByZero);
    if (x == std::numeric_limits<int32_t>::min() && y == -1)
        raise(err::Overflow);
    return x / y;
}

int32_t Mod(double a, double b)
{
    const int32_t x = CLngRange(a), y = CLngRange(b);
    if (y == 0)
        raise(err::DivisionByZero);
    if (y == -1)
        return 0;
    return x % y;
}

int16_t addI(int16_t a, int16_t b) { return checkInt(double(a) + double(b)); }
int16_t subI(int16_t a, int16_t b) { return checkInt(double(a) - double(b)); }
int16_t mulI(int16_t a, int16_t b) { return checkInt(double(a) * double(b)); }
int32_t addL(int32_t a, int32_t b) { return checkLong(double(a) + double(b)); }
int32_t subL(int32_t a, int32_t b) { return checkLong(double(a) - double(b)); }
int32_t mulL(int32_t a, int32_t b) { return checkLong(double(a) * double(b)); }

int32_t checkLong(double d) { return CLngRange(d); }

double checkDouble(double d)
{
    if (!std::isfinite(d))
        raise(err::Overflow);
    return d;
}

// ---- Comparison ---------------------------------------------------------

std::optional<int> compare(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return std::nullopt;
    auto sign = [](double x, double y) { return x < y ? -1 : (x > y ? 1 : 0); };
    if (a.isString() && b.isString()) {
        const int c = QString::compare(a.text(), b.text(), Qt::CaseSensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.isEmpty() && b.isString())
        return b.text().isEmpty() ? 0 : -1;
    if (b.isEmpty() && a.isString())
        return a.text().isEmpty() ? 0 : 1;
    return sign(numberOf(a), numberOf(b));
}

// ---- Text functions -----------------------------------------------------

QString Left(const QString& s, int n)
{
    if (n < 0)
        raise(err::InvalidCall);
    return s.left(n);
}

QString Right(const QString& s, int n)
{
    if (n < 0)
        raise(err::InvalidCall);
    return s.right(n);
}

QString Mid(const QString& s, int start)
{
    if (start < 1)
        raise(err::InvalidCall);
    return start > s.size() ? QString() : s.mid(start - 1);
}

QString Mid(const QString& s, int start, int length)
{
    if (start < 1 || length < 0)
        raise(err::InvalidCall);
    return start > s.size() ? QString() : s.mid(start - 1, length);
}

int InStr(const QString& s, const QString& find) { return InStr(1, s, find); }

int InStr(int start, const QString& s, const QString& find)
{
    if (start < 1)
        raise(err::InvalidCall);
    if (start > s.size())
        return 0;
    if (find.isEmpty())
        return start;
    return int(s.indexOf(find, start - 1, Qt::CaseSensitive)) + 1;
}

int InStrRev(const QString& s, const QString& find, int start)
{
    if (start == 0 || start < -1)
        raise(err::InvalidCall);
    if (start == -1)
        start = int(s.size());
    if (find.isEmpty())
        return start;
    if (start > s.size())
        return 0;
    const int from = start - int(find.size());
    if (from < 0)
        return 0;
    return int(s.lastIndexOf(find, from, Qt::CaseSensitive)) + 1;
}

int Len(const QString& s) { return int(s.size()); }

QString LTrim(const QString& s)
{
    int i = 0;
    while (i < s.size() && s[i] == QChar(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    int n = int(s.size());
    while (n > 0 && s[n - 1] == QChar(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QString UCase(const QString& s) { return s.toUpper(); }

QString LCase(const QString& s) { return s.toLower(); }

QString Space(int n)
{
    if (n < 0)
        raise(err::InvalidCall);
    return QString(n, QChar(' '));
}

QString String(int n, QChar c)
{
    if (n < 0)
        raise(err::InvalidCall);
    return QString(n, c);
}

QString Replace(const QString& s, const QString& find, const QString& with)
{
    if (find.isEmpty())
        return s;
    QString r = s;
    return r.replace(find, with, Qt::CaseSensitive);
}

QStringList Split(const QString& s, const QString& delimiter)
{
    if (s.isEmpty())
        return {};
    if (delimiter.isEmpty())
        return {s};
    return s.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString Join(const QStringList& parts, const QString& delimiter) { return parts.join(delimiter); }

// ---- Dates --------------------------------------------------------------

double toOleDate(const QDateTime& dt)
{
    const double days = double(kOleBase.daysTo(dt.date()));
    const double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + frac : days - frac;
}

double toOleDate(const QDate& d) { return double(kOleBase.daysTo(d)); }

QDateTime fromOleDate(double ole)
{
    // 1.1.100 = -657434, 31.12.9999 = 2958465 (end of that day)
    if (!(ole > -657435.0 && ole < 2958466.0))
        raise(err::Overflow);
    const double days = std::trunc(ole);
    const double frac = std::fabs(ole - days);
    qint64 ms = std::llround(frac * 86400000.0);
    QDate date = kOleBase.addDays(static_cast<qint64>(days));
    if (ms >= 86400000) {
        ms -= 86400000;
        date = date.addDays(ole < 0 ? -1 : 1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

Variant Now()
{
    QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    now.setTime(QTime(t.hour(), t.minute(), t.second()));
    return Variant::date(now);
}

Variant Today() { return Variant::date(QDate::currentDate()); }

Variant DateSerial(int year, int month, int day)
{
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    // Months and days outside their range roll over, as VB does.
    QDate d(year, 1, 1);
    d = d.addMonths(month - 1).addDays(day - 1);
    if (!d.isValid())
        raise(err::InvalidCall);
    return Variant::date(d);
}

Variant TimeSerial(int hour, int minute, int second)
{
    const double secs = hour * 3600.0 + minute * 60.0 + second;
    const double ole = secs / 86400.0;
    return Variant::date(ole);
}

namespace {
QDateTime dateOf(const Variant& v) { return CDate(v).toDateTime(); }
} // namespace

int Year(const Variant& d) { return dateOf(d).date().year(); }
int Month(const Variant& d) { return dateOf(d).date().month(); }
int Day(const Variant& d) { return dateOf(d).date().day(); }
int Hour(const Variant& d) { return dateOf(d).time().hour(); }
int Minute(const Variant& d) { return dateOf(d).time().minute(); }
int Second(const Variant& d) { return dateOf(d).time().second(); }

double Timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

// ---- Random numbers -------------------------------------------------------

namespace {
// VB's generator: x = (x * 1140671485 + 12820163) mod 2^24, Rnd = x / 2^24.
uint32_t g_rnd = 327680;
} // namespace

float Rnd()
{
    g_rnd = static_cast<uint32_t>((uint64_t(g_rnd) * 1140671485u + 12820163u) & 0xFFFFFFu);
    return static_cast<float>(g_rnd) / 16777216.0f;
}

void Randomize() { Randomize(Timer()); }

void Randomize(double seed)
{
    // The state is made from the bits of the seed's Single form alone, so a
    // seed always starts the same sequence.
    const float f = static_cast<float>(seed);
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    g_rnd = ((bits & 0xFFFFu) ^ (bits >> 16) ^ ((bits >> 8) & 0xFF0000u)) & 0xFFFFFFu;
}

} // namespace vb
