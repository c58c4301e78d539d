#include "platform/Colors.h"

#include "platform/VbError.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace vb {

int32_t RGB(int r, int g, int b)
{
    auto c = [](int v) { return std::clamp(v, 0, 255); };
    return c(r) | (c(g) << 8) | (c(b) << 16);
}

int32_t QBColor(int n)
{
    static const int32_t table[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
    };
    if (n < 0 || n > 15)
        raise(err::InvalidCall);
    return table[n];
}

namespace {

// Classic defaults, used when no GUI application (and so no palette) exists.
QColor classicSystemColor(int index)
{
    static const int32_t classic[25] = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
        0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF,
    };
    if (index < 0 || index > 24)
        return Qt::black;
    const int32_t c = classic[index];
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

QColor toQColor(int32_t vbColor)
{
    const uint32_t u = static_cast<uint32_t>(vbColor);
    if (u & 0x80000000u) {
        const int index = static_cast<int>(u & 0xFF);
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return classicSystemColor(index);
        const QPalette p = QGuiApplication::palette();
        switch (index) {
        case 0: return p.color(QPalette::Button);            // scroll bars
        case 1: return p.color(QPalette::Dark);              // desktop
        case 2: return p.color(QPalette::Highlight);         // active title bar
        case 3: return p.color(QPalette::Mid);               // inactive title bar
        case 4: return p.color(QPalette::Window);            // menu bar
        case 5: return p.color(QPalette::Base);              // window background
        case 6: return p.color(QPalette::Shadow);            // window frame
        case 7: return p.color(QPalette::WindowText);        // menu text
        case 8: return p.color(QPalette::Text);              // window text
        case 9: return p.color(QPalette::HighlightedText);   // title bar text
        case 10: return p.color(QPalette::Window);           // active border
        case 11: return p.color(QPalette::Window);           // inactive border
        case 12: return p.color(QPalette::Mid);              // application workspace
        case 13: return p.color(QPalette::Highlight);
        case 14: return p.color(QPalette::HighlightedText);
        case 15: return p.color(QPalette::Button);           // button face
        case 16: return p.color(QPalette::Dark);             // button shadow
        case 17: return p.color(QPalette::Disabled, QPalette::Text);
        case 18: return p.color(QPalette::ButtonText);
        case 19: return p.color(QPalette::Disabled, QPalette::WindowText);
        case 20: return p.color(QPalette::Light);            // 3D highlight
        case 21: return p.color(QPalette::Shadow);           // 3D dark shadow
        case 22: return p.color(QPalette::Midlight);         // 3D light
        case 23: return p.color(QPalette::ToolTipText);
        case 24: return p.color(QPalette::ToolTipBase);
        default: return classicSystemColor(index);
        }
    }
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

int32_t fromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace vb
