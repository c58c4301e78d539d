// clsGRAFIK: the scroll step of SKALEN. A picture lays out its scroll bars
// (shown while the plot is larger than the picture) and shifts by the visible
// part; a printer shifts by the page window's bar positions.

#include "drawing/clsGRAFIK.h"
#include "platform/VbRuntime.h"

using namespace drawing;

void clsGRAFIK::scrollAxis(bool horizontal)
{
    ScrollBar* bar = horizontal ? m_xBar : m_yBar;
    const float size = horizontal ? m_ELX : m_ELY;
    const float m1 = horizontal ? m_RL : m_RO;
    const float m2 = horizontal ? m_RR : m_RU;
    const float lo = horizontal ? m_XMIN : m_YMIN;
    const float hi = horizontal ? m_XMAX : m_YMAX;
    const float scale = horizontal ? m_MX : m_MY;
    float& shift = horizontal ? m_SX : m_SY;

    const float avail = 1.01f * size - m1 - m2;
    const float need = vb::DivS(hi - lo, scale);
    if (!bar || !m_target) return;
    if (!m_target->isPrinter()) {
        if (avail > need) {
            bar->Value(0);
            bar->Visible(false);
        } else {
            const Target& t = *m_target;
            if (horizontal) {
                bar->Top(t.ScaleHeight() - 5);
                bar->Left(0);
                bar->Width(t.ScaleWidth() - 5);
                bar->Height(5);
            } else {
                bar->Top(0);
                bar->Left(t.ScaleWidth() - 5);
                bar->Width(5);
                bar->Height(t.ScaleHeight() - 5);
            }
            bar->Min(0);
            bar->Max(10000);
            bar->LargeChange(roundEven((1.0 - double(vb::DivS(need - avail, need))) * 10000.0));
            bar->SmallChange(roundEven(double(bar->LargeChange()) / 50.0));
            bar->Visible(true);
        }
        const int value = bar->Value();
        shift = value == 0 ? 0.0f : float(roundEvenTo(value / 10000.0, 3)) * (avail - need);
    } else {
        shift = barShift(*bar, horizontal);
    }
}

