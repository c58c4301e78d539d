#include "log/Testspalte.h"

#include "drawing/DrawingInterface.h"
#include "platform/VbRuntime.h"

Testspalte::Testspalte(clsPROFIL& maler, const char* name, int16_t& groesse, std::optional<float> x)
    : p(maler), falle(QStringLiteral("clsPROFIL, ") + QString::fromLatin1(name))
{
    if (groesse == 0)
        groesse = 8;
    SG = groesse;
    h = float(SG) * 0.4f;
    falle([&] { X = x ? *x : p.standardX(); });
    MX = p.m_MX;
    MY = p.m_MY;
    EYB = p.m_EYB;
    d = float(p.m_d);
}

void Testspalte::platzieren(const std::vector<float>& tiefen, const std::vector<float>& abstand)
{
    y.resize(tiefen.size());
    for (size_t i = 0; i < tiefen.size(); ++i)
        y[i] = EYB + d * tiefen[i];
    L = profilregeln::beschriftungslinien(y, abstand, EYB, p.m_d, p.m_OY, MY);
}

void Testspalte::ueberschrift(const QString& text)
{
    falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), int16_t(SG + 1), true); });
    falle([&] { bild().TEXT(rechts(-12.0f), hoch(EYB, 3.0f * h), text, 1); });
    falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), SG); });
}

void Testspalte::kopfwort(const QString& t, float zeilen, int16_t ARX)
{
    text(rechts(2.0f), hoch(EYB, zeilen * h), t, ARX);
}

void Testspalte::rohroberkante()
{
    if (p.m_EROK == 0.0f)
        return;
    kopfwort(QStringLiteral("ROK über GOK: "), 1.5f, 2);
    kopfwort(vb::Format(vb::Variant(p.m_EROK), QStringLiteral("0.00")) + QStringLiteral("m"), 1.5f);
}

void Testspalte::tiefenpfeil()
{
    falle([&] { p.TIEFENPFEIL(X, SG); });
}

void Testspalte::achse(size_t i)
{
    for (const auto& [von, bis] : profilregeln::freieStuecke(X, i == 0 ? EYB : y[i - 1], y[i], aussparungen))
        zug({X, X}, {von, bis});
}

void Testspalte::kerbe(size_t i)
{
    zug({rechts(5.0f), rechts(1.5f), X, rechts(-1.5f), rechts(-5.0f)}, {L[i], L[i], y[i], L[i], L[i]});
}

void Testspalte::fuehrung(size_t i)
{
    zug({X, rechts(-1.5f), rechts(-5.0f)}, {y[i], L[i], L[i]});
}

void Testspalte::tiefentext(size_t i, float xw, float yt, const QString& format)
{
    falle([&] {
        const float tiefe = (y[i] - EYB) * d;
        const float wert = p.m_ETAV ? tiefe : p.m_EH - tiefe;
        bild().TEXT(xw, yt, vb::Format(vb::Variant(wert), format), 1, 0, 2, 2);
    });
}

Massstab Testspalte::skala(float ursprung, float maximum, float schritt, float laenge, const QString& titel,
                           bool rasterlinien)
{
    Massstab m;
    m.x0 = rechts(ursprung);
    int16_t schrift = 6;
    const float Y2 = rasterlinien && !y.empty() ? y.back() : EYB;
    float r = 0;
    falle([&] { r = p.MSKALA(m.x0, EYB, 0.0f, maximum, schritt, laenge, schrift, titel, Y2, aussparungen); });
    // The marks are placed with the same ratio the scale was drawn with; a
    // scale that could not be drawn still gives its own.
    m.r = r > 0.0f ? r : maximum / laenge;
    return m;
}

void Testspalte::zug(std::vector<float> xs, std::vector<float> ys)
{
    falle([&] { p.zug(std::move(xs), std::move(ys)); });
}

void Testspalte::text(float xw, float yw, const QString& t, int16_t ARX, int16_t ARY, int16_t AL)
{
    falle([&] { bild().TEXT(xw, yw, t, 1, AL, ARX, ARY); });
}

void Testspalte::rechteck(float x1, float y1, float x2, float y2, int32_t farbe)
{
    falle([&] {
        float xp1 = 0, yp1 = 0, xp2 = 0, yp2 = 0;
        bild().KOORDTRANS(x1, y1, xp1, yp1);
        bild().KOORDTRANS(x2, y2, xp2, yp2);
        bild().LINIE(xp1, yp1, xp2, yp2, farbe);
    });
}

void Testspalte::strich(float xw, float yw)
{
    zug({xw, xw}, {yw + MY, yw - MY});
}

void Testspalte::linie(int32_t farbe, float breite)
{
    falle([&] { bild().LINIENEINSTELLUNGEN(0, breite, farbe); });
}
