#include "drawing/DrawingInterface.h"

#include "drawing/Numeric.h"
#include "platform/VbRuntime.h"

#include "platform/VbError.h"

namespace drawing {

namespace {
// "Object doesn't support this property or method".
constexpr int kNoSuchMember = 438;
} // namespace

float& SingleArray::operator()(int i)
{
    if (i < m_lb || i > ubound()) vb::raise(vb::err::SubscriptOutOfRange);
    return m_v[size_t(i - m_lb)];
}

float SingleArray::operator()(int i) const
{
    if (i < m_lb || i > ubound()) vb::raise(vb::err::SubscriptOutOfRange);
    return m_v[size_t(i - m_lb)];
}

void AxisTables::reset(float length)
{
    MIN = NumberList{0.0, double(length)};
    DIFF = NumberList{double(length)};
    IT = NumberList{1.0};
    GIT = NumberList{0.0};
    ZL = NumberList{0.0};
}

int16_t equalScaleMode(float v)
{
    return vb::checkInt(double(roundEven(double(v))));
}

bool DrawingInterface::EBOGRENZEN() const
{
    vb::raise(kNoSuchMember);
}

void DrawingInterface::EBOGRENZEN(bool)
{
    vb::raise(kNoSuchMember);
}

void DrawingInterface::SYMBOLE(float, float, int16_t, float)
{
    vb::raise(kNoSuchMember);
}

} // namespace drawing
