#pragma once
// vb::Variant — the tagged value of the VB runtime stand-in.
//
// A Variant holds one of: Empty (never assigned), Null (no data), Integer
// (16-bit), Long (32-bit), Single (32-bit float), Double, Date (OLE day
// number: whole days since 30.12.1899, the fraction is the time of day),
// Boolean (True is -1 as a number) or String.
//
// Arithmetic between Variants follows VB: Null propagates, Empty counts as 0
// (or "" next to a String), integer results that leave their type widen
// (Integer -> Long -> Double) and a division by zero raises error 11.
// Conversions to fixed types (what VB does when a Variant is assigned to a
// typed variable) are the C-functions of VbRuntime.h; they raise 94 for Null.

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <iosfwd>

namespace vb {

// Numbers match VB's VarType() codes.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Boolean = 11,
};

class Variant {
public:
    Variant() = default;                      // Empty
    Variant(bool b);                          // Boolean
    Variant(int16_t i);                       // Integer
    Variant(int i);                           // Long (a C++ int literal is a 32-bit number)
    Variant(int32_t i, VarType t);            // Integer or Long chosen explicitly (range checked: 6)
    Variant(long i) = delete;                 // ambiguous width: say which one
    Variant(long long i) = delete;
    Variant(float f);                         // Single
    Variant(double d);                        // Double
    Variant(const QString& s);                // String
    Variant(const char* utf8);                // String (UTF-8 literal)
    Variant(const char16_t* s);               // String
    template <class T>
    Variant(T*) = delete;                     // no silent pointer -> Boolean

    static Variant null();
    static Variant empty() { return Variant(); }
    static Variant integer(int16_t i) { return Variant(i); }
    static Variant lng(int32_t i) { return Variant(static_cast<int>(i)); }
    static Variant single(float f) { return Variant(f); }
    static Variant dbl(double d) { return Variant(d); }
    static Variant string(const QString& s) { return Variant(s); }
    static Variant boolean(bool b) { return Variant(b); }
    // Date from an OLE day number (30.12.1899 = 0).
    static Variant date(double oleDays);
    // Date from a QDateTime / QDate (local wall-clock time, no time zone shift).
    static Variant date(const QDateTime& dt);
    static Variant date(const QDate& d);

    VarType type() const { return m_type; }
    bool isEmpty() const { return m_type == VarType::Empty; }
    bool isNull() const { return m_type == VarType::Null; }
    bool isString() const { return m_type == VarType::String; }
    bool isDate() const { return m_type == VarType::Date; }
    bool isBoolean() const { return m_type == VarType::Boolean; }
    // Integer, Long, Single, Double, Boolean or Date: a value held as a number.
    bool isNumber() const;

    // Raw access without conversion rules (the value as held; numbers as double,
    // Boolean as -1/0, Date as its day number; Empty/Null give 0 / "").
    double number() const;
    QString text() const;                     // the String content; "" for other types
    double oleDate() const { return m_num; }  // meaningful for Date
    QDateTime toDateTime() const;             // Date (or number) as local date/time

    // Bridge to Qt: Empty -> invalid QVariant, Null -> QVariant of type
    // std::nullptr_t, the rest map to short/int/float/double/QDateTime/bool/QString.
    QVariant toQVariant() const;
    static Variant fromQVariant(const QVariant& v);

    // Same type and same value (Empty == Empty, Null == Null). This is identity,
    // not VB's '=' operator (see vb::compare in VbRuntime.h).
    bool operator==(const Variant& o) const;
    bool operator!=(const Variant& o) const { return !(*this == o); }

    // Text for test failure messages: "Integer(5)", "String(\"a\")", "Null".
    QString debugText() const;

private:
    VarType m_type = VarType::Empty;
    double m_num = 0.0;   // every numeric type, Boolean (-1/0) and Date
    QString m_str;
};

// Readable values in test failure messages (found by GoogleTest through ADL).
void PrintTo(const Variant& v, std::ostream* os);

// VB's TypeName(): "Empty", "Null", "Integer", "Long", "Single", "Double",
// "Date", "String", "Boolean".
QString TypeName(const Variant& v);

// Arithmetic with VB Variant rules (Null propagates; 11 for / \ Mod by zero;
// 13 for text that is not a number; Integer/Long overflow widens the type).
Variant operator+(const Variant& a, const Variant& b);   // numbers add, two Strings join
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator/(const Variant& a, const Variant& b);   // Double (Single if both Single)
Variant operator-(const Variant& a);
// VB's & operator: both sides as text, Null counts as "".
Variant concat(const Variant& a, const Variant& b);

} // namespace vb

Q_DECLARE_METATYPE(vb::Variant)
