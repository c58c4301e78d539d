// clsGRAFIK: marked-up, aligned, clipped and rotated text.

#include "drawing/Markup.h"
#include "drawing/clsGRAFIK.h"
#include "drawing/clsROTATOR.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <cmath>

using namespace drawing;

namespace {

// Font slot of a piece: plain text and inserted characters slot 2, Greek 3,
// sub- and superscripts 4, Greek sub- and superscripts 5; a directive with an
// empty code is drawn like plain text; any other code keeps the slot of the
// piece before.
int slotOf(const MarkupPiece& p, int previous)
{
    if (p.kind != MarkupPiece::Kind::Directive) return 2;
    if (p.code.isEmpty()) return 2;
    if (p.code == QLatin1String("g")) return 3;
    if (p.code == QLatin1String("t") || p.code == QLatin1String("h")) return 4;
    if (p.code == QLatin1String("gt") || p.code == QLatin1String("gh")) return 5;
    return previous;
}

} // namespace

namespace {
// Narrows the range lo..hi in which an anchor may lie by the extent d of a
// text anchored at its start (0), middle (1) or end (2).
void einruecken(int16_t anker, float d, float& lo, float& hi)
{
    switch (anker) {
    case 0: hi -= d; break;
    case 1:
        lo += d / 2;
        hi -= d / 2;
        break;
    case 2: lo += d; break;
    default: break;
    }
}
} // namespace

std::optional<clsGRAFIK::TextLage> clsGRAFIK::textLage(vb::ErrorTrap& trap, float X, float Y, const QString& TEXT,
                                                       int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    if (TEXT.isEmpty()) return std::nullopt;

    // Anchor in page millimetres.
    if (!trap([&] { textAnchor(X, Y, KO); }))
        return std::nullopt;

    // Clipping box: the plot area (world anchors) or the picture area, each
    // widened by 1 mm.
    const ClipFrame bounds = textBounds(KO);
    float left = bounds.left, top = bounds.top, right = bounds.right, bottom = bounds.bottom;

    TextLage l;
    l.X = X;
    l.Y = Y;
    const QString plain = plainText(TEXT);
    const float a = float(AL) * kDegree;
    l.ca = std::cos(a);
    l.sa = std::sin(a);
    if (!trap([&] { m_slots[0] = tgt().Font(); })) return std::nullopt;

    // The box's height decides whether it fits between top and bottom; only
    // a text that does is measured along its length.
    if (!trap([&] { l.H = tgt().TextHeight(plain); }))
        return std::nullopt;
    einruecken(ARY, l.H * l.ca, top, bottom);
    if (!(top < Y && Y < bottom)) return std::nullopt;
    if (!trap([&] { l.W = tgt().TextWidth(plain); }))
        return std::nullopt;
    einruecken(ARX, l.W * l.ca, left, right);
    if (!(left < X && X < right)) return std::nullopt;
    return l;
}

bool clsGRAFIK::TEXTPASST(float X, float Y, const QString& TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    if (TEXT.isEmpty()) return false;
    vb::ErrorTrap trap(QStringLiteral("Text"), vb::kVbFehler);
    return textLage(trap, X, Y, TEXT, KO, AL, ARX, ARY).has_value();
}

void clsGRAFIK::TEXT(float X, float Y, const QString& TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    if (TEXT.isEmpty()) return;
    vb::ErrorTrap trap(QStringLiteral("Text"), vb::kVbFehler);
    const std::optional<TextLage> lage = textLage(trap, X, Y, TEXT, KO, AL, ARX, ARY);
    if (!lage) return;
    X = lage->X;
    Y = lage->Y;
    const float W = lage->W, H = lage->H, ca = lage->ca, sa = lage->sa;
    const float a = float(AL) * kDegree;
    const QString text = exponentMarkup(TEXT);

    // Start of the first piece (the text runs along (cos a, -sin a)).
    float XA = 0, YA = 0;
    switch (ARX) {
    case 0: XA = X, YA = Y; break;
    case 1: XA = X - W * ca / 2, YA = Y + W * sa / 2; break;
    case 2: XA = X - W * ca, YA = Y + W * sa; break;
    default: break;  // no start derived from the anchor: the page origin
    }
    if (ARY == 1) {
        XA -= H * sa / 2;
        YA -= H * ca / 2;
    } else if (ARY == 2) {
        XA -= H * sa;
        YA -= H * ca;
    }

    bool stopped = false;
    std::exception_ptr failure;
    const std::vector<MarkupPiece> pieces = splitMarkup(text, &stopped, &failure);
    int slot = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const MarkupPiece& p = pieces[i];
        if (p.kind == MarkupPiece::Kind::Plain && p.text.isEmpty()) {
            // Draws nothing and does not move on, but it is a plain piece:
            // a directive after it that keeps the slot of the piece before
            // gets the plain text's slot.
            slot = 2;
            continue;
        }
        float w = 0;
        const bool ok = trap([&] {
            Target& t = tgt();
            slot = slotOf(p, slot);
            if (!m_slots[size_t(slot)]) vb::raise(vb::err::ObjectNotSet);
            t.Font(m_slots[size_t(slot)]);
            const bool symbol = p.kind == MarkupPiece::Kind::Directive && p.code == QLatin1String("s");
            float h = 0;
            if (p.kind == MarkupPiece::Kind::Directive) {
                if (p.code == QLatin1String("h") || p.code == QLatin1String("gh"))
                    h = 0.25f * t.TextHeight(p.text);
                else if (p.code == QLatin1String("t") || p.code == QLatin1String("gt"))
                    h = -0.35f * t.TextHeight(p.text);
                else if (symbol)
                    h = -0.5f * t.TextHeight(QStringLiteral("s"));
                else if (p.code == QLatin1String("g"))
                    h = 0.1f * t.TextHeight(QStringLiteral("g"));
            }
            float XT = XA - h * sa - t.ScaleLeft();
            const float YT = YA - h * ca - t.ScaleTop();
            if (symbol) {
                XT += 0.5f * ca;
                const double nr = vb::Val(p.text);
                if (nr >= 0 && nr <= 6 && nr == std::floor(nr)) PUNKTSYMBOL(XT, YT, int16_t(nr));
            } else if (a != 0) {
                const int32_t size = roundEven(double(t.FontSize()));
                if (size < 0 || size > 255) vb::raise(vb::err::Overflow);
                DREHTEXT(p.text, AL, XT, YT, uint8_t(size), t.FontName());
            } else {
                t.CurrentX(XT);
                t.CurrentY(YT);
                t.Print(p.text);
            }
            w = t.TextWidth(p.text);
            t.Font(m_slots[0]);
        });
        if (!ok) return;  // Cancel leaves with the font as it is now
        XA += w * ca;
        YA -= w * sa;
    }
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            trap.report(vb::currentVbError());
        }
    }
}

void clsGRAFIK::DREHTEXT(const QString& piece, int16_t angle, float x, float y, uint8_t size, const QString& face)
{
    Target& t = tgt();
    t.CurrentX(x);
    t.CurrentY(y);
    t.FontName(face);
    t.FontSize(size);
    t.FontTransparent(true);
    clsROTATOR rotator;
    rotator.Device(&t);
    rotator.Angle(angle);
    rotator.Label(piece);
}
