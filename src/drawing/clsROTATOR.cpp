#include "drawing/clsROTATOR.h"

#include "drawing/Numeric.h"
#include "platform/VbError.h"

using drawing::roundEven;

void clsROTATOR::Device(drawing::Target* objDevice)
{
    m_device = objDevice;
    if (!objDevice) return;
    const drawing::Target& t = *objDevice;
    m_scaleLeft = t.ScaleLeft();
    m_scaleTop = t.ScaleTop();
    m_pxPerUnitX = float(t.pixelsPerUnitX());
    m_pxPerUnitY = float(t.pixelsPerUnitY());
}

int clsROTATOR::PixelX(float x) const
{
    return roundEven(double(x - m_scaleLeft) * m_pxPerUnitX);
}

int clsROTATOR::PixelY(float y) const
{
    return roundEven(double(y - m_scaleTop) * m_pxPerUnitY);
}

void clsROTATOR::Label(const QString& sText)
{
    if (!m_device) vb::raise(vb::err::ObjectNotSet);
    drawing::Target& t = *m_device;
    const drawing::FontRef f = t.Font();

    // Face name in the single-byte code page with its terminating zero; the
    // record holds 32 bytes.
    QByteArray face = f->Name.toLatin1();
    face.append('\0');
    if (face.size() > 32) vb::raise(vb::err::SubscriptOutOfRange);
    m_lf = drawing::LogFont();
    m_lf.lfFaceName = face;

    // Cell height: the em height in device pixels, widened to the cell.
    const int n = roundEven(double(t.logPixelsY()) * double(f->Size)) / 72;
    m_lf.lfHeight = roundEven(n * 1.175);
    m_lf.lfItalic = f->Italic ? 1 : 0;
    m_lf.lfUnderline = f->Underline ? 1 : 0;
    m_lf.lfStrikeOut = f->Strikethrough ? 1 : 0;
    m_lf.lfWeight = f->Weight;

    const float x = t.CurrentX();
    const float y = t.CurrentY();
    m_lf.lfEscapement = m_angle * 10;
    m_lf.lfOrientation = m_angle * 10;
    t.TextOut(PixelX(x), PixelY(y), sText, m_lf);
}
