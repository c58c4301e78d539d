#include "platform/Variant.h"

#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <cmath>
#include <ostream>
#include <limits>

namespace vb {

namespace {

// Rank of a numeric type for widening: Integer < Long < Single < Double.
int rank(VarType t)
{
    switch (t) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
        return 0;
    case VarType::Long:
        return 1;
    case VarType::Single:
        return 2;
    default:
        return 3;
    }
}

// A number of the given rank; whole numbers that leave their range widen.
Variant numberOfRank(double d, int r)
{
    if (r <= 0 && d >= -32768.0 && d <= 32767.0)
        return Variant(static_cast<int16_t>(d));
    if (r <= 1 && d >= -2147483648.0 && d <= 2147483647.0)
        return Variant(static_cast<int>(d));
    if (r <= 1)
        return Variant(checkDouble(d));
    if (r == 2) {
        if (std::isfinite(d) && std::fabs(d) <= double(std::numeric_limits<float>::max()))
            return Variant(static_cast<float>(d));
        return Variant(checkDouble(d));
    }
    return Variant(checkDouble(d));
}

// An operand of arithmetic as a number: its value and its rank.
struct Operand {
    double value;
    int rank;
    bool date;
};

Operand operandOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::String: {
        double d = 0;
        if (!parseNumber(v.text(), &d))
            raise(err::TypeMismatch);
        return {d, 3, false};
    }
    case VarType::Date:
        return {v.number(), 3, true};
    default:
        return {v.number(), rank(v.type()), false};
    }
}

} // namespace

Variant::Variant(bool b) : m_type(VarType::Boolean), m_num(b ? -1.0 : 0.0) {}
Variant::Variant(int16_t i) : m_type(VarType::Integer), m_num(i) {}
Variant::Variant(int i) : m_type(VarType::Long), m_num(i) {}
Variant::Variant(int32_t i, VarType t) : m_type(t), m_num(i)
{
    if (t == VarType::Integer) {
        if (i < -32768 || i > 32767)
            raise(err::Overflow);
    } else if (t != VarType::Long) {
        m_type = VarType::Long;
    }
}
Variant::Variant(float f) : m_type(VarType::Single), m_num(f) {}
Variant::Variant(double d) : m_type(VarType::Double), m_num(d) {}
Variant::Variant(const QString& s) : m_type(VarType::String), m_str(s) {}
Variant::Variant(const char* utf8) : m_type(VarType::String), m_str(QString::fromUtf8(utf8)) {}
Variant::Variant(const char16_t* s) : m_type(VarType::String), m_str(QString::fromUtf16(s)) {}

Variant Variant::null()
{
    Variant v;
    v.m_type = VarType::Null;
    return v;
}

Variant Variant::date(double oleDays)
{
    Variant v;
    v.m_type = VarType::Date;
    v.m_num = oleDays;
    return v;
}

Variant Variant::date(const QDateTime& dt) { return date(toOleDate(dt)); }
Variant Variant::date(const QDate& d) { return date(toOleDate(d)); }

bool Variant::isNumber() const
{
    switch (m_type) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Boolean:
    case VarType::Date:
        return true;
    default:
        return false;
    }
}

double Variant::number() const { return m_num; }

QString Variant::text() const { return m_type == VarType::String ? m_str : QString(); }

QDateTime Variant::toDateTime() const { return fromOleDate(m_num); }

QVariant Variant::toQVariant() const
{
    switch (m_type) {
    case VarType::Empty:
        return QVariant();
    case VarType::Null:
        return QVariant::fromValue(nullptr);
    case VarType::Integer:
        return QVariant::fromValue(static_cast<short>(m_num));
    case VarType::Long:
        return QVariant::fromValue(static_cast<int>(m_num));
    case VarType::Single:
        return QVariant::fromValue(static_cast<float>(m_num));
    case VarType::Double:
        return QVariant::fromValue(m_num);
    case VarType::Date:
        return QVariant::fromValue(fromOleDate(m_num));
    case VarType::String:
        return QVariant::fromValue(m_str);
    case VarType::Boolean:
        return QVariant::fromValue(m_num != 0.0);
    }
    return QVariant();
}

Variant Variant::fromQVariant(const QVariant& v)
{
    if (!v.isValid())
        return Variant();
    if (v.canConvert<Variant>() && v.metaType() == QMetaType::fromType<Variant>())
        return v.value<Variant>();
    switch (v.metaType().id()) {
    case QMetaType::Nullptr:
        return null();
    case QMetaType::Bool:
        return Variant(v.toBool());
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
        int i = v.toInt();
        if (i >= -32768 && i <= 32767)
            return Variant(static_cast<int16_t>(i));
        return Variant(i);
    }
    case QMetaType::Int:
        return Variant(v.toInt());
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        qlonglong l = v.toLongLong();
        if (l >= std::numeric_limits<int32_t>::min() && l <= std::numeric_limits<int32_t>::max())
            return Variant(static_cast<int>(l));
        return Variant(v.toDouble());
    }
    case QMetaType::Float:
        return Variant(v.toFloat());
    case QMetaType::Double:
        return Variant(v.toDouble());
    case QMetaType::QDateTime:
        return date(v.toDateTime());
    case QMetaType::QDate:
        return date(v.toDate());
    case QMetaType::QTime:
        return date(QDateTime(QDate(1899, 12, 30), v.toTime()));
    case QMetaType::QString:
        return Variant(v.toString());
    case QMetaType::QByteArray:
        return Variant(QString::fromUtf8(v.toByteArray()));
    default:
        if (v.isNull())
            return null();
        return Variant(v.toString());
    }
}

bool Variant::operator==(const Variant& o) const
{
    if (m_type != o.m_type)
        return false;
    if (m_type == VarType::String)
        return m_str == o.m_str;
    if (m_type == VarType::Empty || m_type == VarType::Null)
        return true;
    return m_num == o.m_num;
}

QString TypeName(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::Date: return QStringLiteral("Date");
    case VarType::String: return QStringLiteral("String");
    case VarType::Boolean: return QStringLiteral("Boolean");
    }
    return QString();
}

QString Variant::debugText() const
{
    switch (m_type) {
    case VarType::Empty:
    case VarType::Null:
        return TypeName(*this);
    case VarType::String:
        return QStringLiteral("String(\"%1\")").arg(m_str);
    case VarType::Date:
        return QStringLiteral("Date(%1 = %2)").arg(m_num, 0, 'g', 17).arg(toDateTime().toString(Qt::ISODate));
    case VarType::Boolean:
        return m_num != 0.0 ? QStringLiteral("Boolean(True)") : QStringLiteral("Boolean(False)");
    default:
        return QStringLiteral("%1(%2)").arg(TypeName(*this)).arg(m_num, 0, 'g', 17);
    }
}

void PrintTo(const Variant& v, std::ostream* os) { *os << v.debugText().toStdString(); }

// ---- Arithmetic ----------------------------------------------------------

Variant operator+(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    // Two texts, or a text next to Empty, join.
    if ((a.isString() || a.isEmpty()) && (b.isString() || b.isEmpty()) && (a.isString() || b.isString()))
        return Variant(a.text() + b.text());
    Operand x = operandOf(a), y = operandOf(b);
    double r = x.value + y.value;
    if (x.date != y.date)
        return Variant::date(checkDouble(r));
    return numberOfRank(r, std::max(x.rank, y.rank));
}

Variant operator-(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    Operand x = operandOf(a), y = operandOf(b);
    double r = x.value - y.value;
    if (x.date && !y.date)
        return Variant::date(checkDouble(r));
    return numberOfRank(r, std::max(x.rank, y.rank));
}

Variant operator*(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    Operand x = operandOf(a), y = operandOf(b);
    return numberOfRank(x.value * y.value, std::max(x.rank, y.rank));
}

Variant operator/(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    Operand x = operandOf(a), y = operandOf(b);
    double r = Div(x.value, y.value);
    if (a.type() == VarType::Single && b.type() == VarType::Single)
        return numberOfRank(r, 2);
    return Variant(r);
}

Variant operator-(const Variant& a)
{
    if (a.isNull())
        return a;
    Operand x = operandOf(a);
    if (x.date)
        return Variant::date(-x.value);
    return numberOfRank(-x.value, x.rank);
}

Variant concat(const Variant& a, const Variant& b)
{
    auto part = [](const Variant& v) { return v.isNull() ? QString() : CStr(v); };
    return Variant(part(a) + part(b));
}

} // namespace vb
