#pragma once
// VB run-time functions with VB's semantics: conversions (locale-aware, with
// banker's rounding and overflow checks), Format, numeric and text helpers,
// dates. Errors are raised as vb::VbError (see VbError.h).
//
// Locale: CStr, CSng, CDbl, CDate, IsNumeric, IsDate and Format use the
// decimal sign and date patterns of vb::locale() (Services.h). Val always
// reads a point.

#include "platform/Variant.h"
#include "platform/VbError.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace vb {

// ---- Conversions ----------------------------------------------------------
// Null raises 94, text that is not a number 13, a value outside the target
// range 6. Empty converts to 0 / "" / False.

int16_t CInt(const Variant& v);      // halves to the even neighbour
int32_t CLng(const Variant& v);      // halves to the even neighbour
float CSng(const Variant& v);
double CDbl(const Variant& v);
bool CBool(const Variant& v);        // numbers: not 0; "True"/"False" (and "Wahr"/"Falsch") or numeric text
QString CStr(const Variant& v);      // numbers in the locale's form; Boolean "True"/"False"; Date short date (+ time)
Variant CDate(const Variant& v);     // a Date Variant; numbers are day numbers, text is read in the locale
int32_t CLngRange(double d);         // CLng of a plain double (no Variant)

// The value to text forms CStr uses, for plain numbers.
QString CStr(double d);              // up to 15 significant digits
QString CStr(float f);               // shortest text that reads back as the same float
QString CStr(int32_t i);
QString CStr(int16_t i);
QString CStr(bool b);
inline QString CStr(const QString& s) { return s; }
inline QString CStr(const char* utf8) { return QString::fromUtf8(utf8); }   // not the pointer as a Boolean

// Text -> number in the locale (decimal sign and group sign, leading/trailing
// blanks, sign, exponent, '&H' hex). Returns false when it is not a number.
bool parseNumber(const QString& text, double* out);
// Text -> date in the locale (short date, optional time; also ISO yyyy-MM-dd).
bool parseDate(const QString& text, QDateTime* out);

bool IsNumeric(const Variant& v);    // numbers, Boolean, Empty, numeric text
bool IsDate(const Variant& v);       // Date, or text that reads as a date
inline bool IsNull(const Variant& v) { return v.isNull(); }
inline bool IsEmpty(const Variant& v) { return v.isEmpty(); }

// Assign a read value to a typed variable as the table accessor's reads do:
// a Null leaves the variable as it was (returns false); otherwise converts
// with the C-function of the variable's type (raising as that does).
bool assignUnlessNull(int16_t& target, const Variant& v);
bool assignUnlessNull(int32_t& target, const Variant& v);
bool assignUnlessNull(float& target, const Variant& v);
bool assignUnlessNull(double& target, const Variant& v);
bool assignUnlessNull(bool& target, const Variant& v);
bool assignUnlessNull(QString& target, const Variant& v);
bool assignUnlessNull(Variant& target, const Variant& v);

// ---- Number functions -----------------------------------------------------

double Int(double d);                // largest whole number <= d
double Fix(double d);                // whole part (towards 0)
Variant Int(const Variant& v);       // Null -> Null; keeps the type of whole-number types
Variant Fix(const Variant& v);
double Round(double d, int digits = 0);   // halves to even (VB's Round); raises 5 for digits < 0
double Abs(double d);
int Sgn(double d);
double Sqr(double d);                // raises 5 for d < 0
double Log(double d);                // raises 5 for d <= 0
double Exp(double d);                // raises 6 when the result overflows
// VB's Val: reads a number from the start of the text with a point as the
// decimal sign, skipping blanks; stops at the first character that does not fit.
double Val(const QString& text);

// Division with VB's checks: x / 0 raises 11 (0 / 0 raises 6, overflow, as VB),
// a result outside the Double range raises 6.
double Div(double a, double b);
// Whole-number division a \ b and a Mod b: both sides rounded to Long first
// (halves to even); raises 11 for a divisor of 0.
int32_t IntDiv(double a, double b);
int32_t Mod(double a, double b);

// Integer arithmetic that raises 6 when the result leaves the 16- or 32-bit range.
int16_t addI(int16_t a, int16_t b);
int16_t subI(int16_t a, int16_t b);
int16_t mulI(int16_t a, int16_t b);
int32_t addL(int32_t a, int32_t b);
int32_t subL(int32_t a, int32_t b);
int32_t mulL(int32_t a, int32_t b);
// Check a computed value for the range of a type (raises 6); returns it converted.
int32_t checkLong(double d);
double checkDouble(double d);        // raises 6 for infinite, 6 for NaN

// ---- Comparison ---------------------------------------------------------

// VB's comparison of two Variants: numbers numerically, texts by code (binary
// compare); a number against numeric text compares numerically, against
// other text raises 13. Returns -1, 0, 1; Null on either side gives nullopt.
std::optional<int> compare(const Variant& a, const Variant& b);

// ---- Text functions -----------------------------------------------------
// Positions are 1-based as in VB; invalid starts or lengths raise 5.

QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int length);
int InStr(const QString& s, const QString& find);                 // 0 when not found
int InStr(int start, const QString& s, const QString& find);
int InStrRev(const QString& s, const QString& find, int start = -1);
int Len(const QString& s);
QString Trim(const QString& s);      // blanks only (not tabs or line breaks), as VB
QString LTrim(const QString& s);
QString RTrim(const QString& s);
QString UCase(const QString& s);
QString LCase(const QString& s);
QString Space(int n);
QString String(int n, QChar c);
QString Replace(const QString& s, const QString& find, const QString& with);
QStringList Split(const QString& s, const QString& delimiter = QStringLiteral(" "));
QString Join(const QStringList& parts, const QString& delimiter = QStringLiteral(" "));
// VB's vbCrLf: carriage return and line feed.
inline const QString vbCrLf = QStringLiteral("\r\n");
inline const QString vbCr = QStringLiteral("\r");
inline const QString vbLf = QStringLiteral("\n");
inline const QString vbTab = QStringLiteral("\t");

// ---- Format ---------------------------------------------------------------

// Format(value, pattern) with the patterns the program uses:
// numbers: "0" (digit always shown), "#" (digit when needed), "." decimal sign
// (written as the locale's), "," thousands grouping, "%" (times 100), literal
// text in quotes or after a backslash, "E+00"/"E-00" exponents, and up to three
// sections "positive;negative;zero"; values are rounded half away from zero to
// the pattern's decimals. Named formats: "General Number", "Fixed", "Standard",
// "Percent", "Scientific", "Yes/No", "True/False", "On/Off".
// Dates: d dd ddd dddd, m mm mmm mmmm (minutes after h or before s), yy yyyy,
// h hh, n nn, s ss, AM/PM; "/" ":" and "." are written as they are. Named:
// "Short Date", "Long Date", "Short Time", "Long Time", "General Date".
// Empty pattern: CStr. Null gives "" (VB's Format of Null is Null, whose text is "").
QString Format(const Variant& value, const QString& pattern = QString());

// ---- Dates --------------------------------------------------------------

// OLE day number <-> date/time (base 30.12.1899 = 0; negative numbers count
// the days backwards with a positive time fraction, as OLE does).
double toOleDate(const QDateTime& dt);
double toOleDate(const QDate& d);
QDateTime fromOleDate(double oleDays);   // raises 6 outside 1.1.100 .. 31.12.9999
Variant Now();
Variant Today();                         // VB's Date
Variant DateSerial(int year, int month, int day);
Variant TimeSerial(int hour, int minute, int second);
int Year(const Variant& d);
int Month(const Variant& d);
int Day(const Variant& d);
int Hour(const Variant& d);
int Minute(const Variant& d);
int Second(const Variant& d);
// Seconds since midnight (VB's Timer).
double Timer();

// ---- Random numbers -------------------------------------------------------

// VB's Rnd: the next number of VB's generator in [0, 1). Randomize() seeds it
// from the timer; Randomize(seed) starts the same sequence for the same seed.
float Rnd();
void Randomize();
void Randomize(double seed);

// ---- Checked arithmetic of the drawings, inline --------------------------
// Drawing a page runs these hundreds of thousands of times: the checks stay
// in the header so that the passing case costs a compare, and only raising
// leaves it.

namespace detail {
// Round half to even (the rounding of CInt/CLng and of the Integer/Long
// assignment), independent of the current floating-point rounding mode.
inline double roundHalfEven(double d)
{
    const double f = std::floor(d);
    const double diff = d - f;
    if (diff > 0.5)
        return f + 1.0;
    if (diff < 0.5)
        return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}
// The error of a Single division by zero: 0 / 0 (and NaN / 0) overflows.
[[noreturn]] void raiseDivisionByZero(float a);
} // namespace detail

// CInt of a plain double: halves to the even neighbour; raises 6 outside the Integer range.
inline int16_t CIntRange(double d)
{
    const double r = detail::roundHalfEven(d);
    if (!(r >= -32768.0 && r <= 32767.0))
        raise(err::Overflow);
    return static_cast<int16_t>(r);
}

// Range only, value must already be whole (rounds half to even).
inline int16_t checkInt(double d) { return CIntRange(d); }

// Raises 6 outside the Single range (infinite and NaN too).
inline float checkSingle(double d)
{
    if (std::isnan(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
        raise(err::Overflow);
    return static_cast<float>(d);
}

// Single division, the checks of Div and the Single range.
inline float DivS(float a, float b)
{
    if (b == 0.0f)
        detail::raiseDivisionByZero(a);
    return checkSingle(double(a) / double(b));
}

} // namespace vb
