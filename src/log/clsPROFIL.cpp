#include "log/clsPROFIL.h"

#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "drawing/clsGRAFIK.h"
#include "log/ProfilRegeln.h"
#include "platform/StepRunner.h"
#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <chrono>
#include <cmath>

namespace {
std::optional<uint32_t> g_zufallsstart;
}

clsPROFIL::clsPROFIL() = default;
clsPROFIL::~clsPROFIL() = default;

vb::Variant clsPROFIL::ELBU() const
{
    return vb::Variant(m_ELBU.join(QLatin1Char('\n')));
}

void clsPROFIL::setEclsBILD(std::shared_ptr<drawing::DrawingInterface> engine)
{
    m_bild = std::move(engine);
    // A fresh seed per hand-over: scattered soil symbols differ between drawings.
    m_zufall.seed(g_zufallsstart ? *g_zufallsstart
                                 : static_cast<std::mt19937::result_type>(
                                       std::chrono::steady_clock::now().time_since_epoch().count()));

    // Copy the picture's view record. Failed reads keep the previous values
    // (the accessor has shown its box); the hand-over goes on.
    clsDATEN g0;
    g0.ETABELLE(QStringLiteral("G0"));
    if (m_EMEHRFACHAUSWERTUNG)
        g0.ESPIDW(0);
    const QString krit = QStringLiteral("IDOBJEKT");
    auto objekt = [&] { return Wert(vb::Variant(bild().EIDOBJEKT())); };
    g0.DTVS(QStringLiteral("XMIN"), m_XMIN, krit, objekt());
    g0.DTVS(QStringLiteral("XMAX"), m_XMAX, krit, objekt());
    g0.DTVS(QStringLiteral("YMIN"), m_YMIN, krit, objekt());
    g0.DTVS(QStringLiteral("YMAX"), m_YMAX, krit, objekt());
    g0.DTVS(QStringLiteral("RO"), m_RO, krit, objekt());
    g0.DTVS(QStringLiteral("RL"), m_RL, krit, objekt());
    g0.DTVS(QStringLiteral("MX"), m_MX, krit, objekt());
    g0.DTVS(QStringLiteral("MY"), m_MY, krit, objekt());
    g0.DTVI(QStringLiteral("OY"), m_OY, krit, objekt());
    m_d = m_OY == 1 ? -1 : 1;
}

drawing::DrawingInterface& clsPROFIL::bild() const
{
    if (!m_bild)
        vb::raise(vb::err::ObjectNotSet);
    return *m_bild;
}

float clsPROFIL::standardX() const
{
    if (dynamic_cast<clsGRAFIK*>(m_bild.get()))
        return m_XMIN + (m_XMAX - m_XMIN) / 2.0f;
    return 0.0f;
}

void clsPROFIL::zug(std::vector<float> xs, std::vector<float> ys, int16_t LAGEPFEIL)
{
    drawing::SingleArray x(std::move(xs));
    drawing::SingleArray y(std::move(ys));
    bild().POLYGON(x, y, 0, 0, 0, QString(), 0, LAGEPFEIL);
}

void clsPROFIL::TIEFENPFEIL(float x, int16_t SG)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, TIEFENPFEIL"));
    const float h = float(SG) * 0.4f;
    const float d = float(m_d);
    const float cx = x - 10.0f * m_MX;
    falle([&] { bild().LINIENEINSTELLUNGEN(); });
    falle([&] { zug({x, cx, cx}, {m_EYB, m_EYB, m_EYB + d * 5.0f * m_MY}, 1); });
    falle([&] { bild().TEXT(cx - 2.0f * m_MX, m_EYB, profilregeln::tiefensymbol(m_ETAV, m_EOPTH), 1, 0, 2, 1); });
    falle([&] { bild().TEXT(cx - 2.0f * m_MX, m_EYB + d * h * m_MY, QStringLiteral("[m]"), 1, 0, 2, 1); });
    falle([&] {
        float xp = 0, yp = 0;
        bild().KOORDTRANS(cx, m_EYB, xp, yp);
        bild().KREIS(xp, yp, 0.3f, 0, 0.0f, 0, false, int16_t(0));
    });
}

float clsPROFIL::MSKALA(float X, float Y, float MIN, float MAX, float STEP, float LENGTH, int16_t& SG,
                        const QString& TITLE, float Y2, const std::vector<profilregeln::Aussparung>& FREI)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, MSKALA"));
    float S = 0;
    if (SG == 0)
        SG = 6;
    // A scale needs a length and a step; without them nothing sensible can be
    // drawn: the error is reported and the scale left out.
    if (!(LENGTH > 0.0f) || !(STEP > 0.0f)) {
        falle([] { vb::raise(vb::err::InvalidCall); });
        return S;
    }

    // A scale without extent (every value equal) spans one step, so no
    // division by zero reaches the drawing.
    if (MAX == MIN)
        MAX = MIN + STEP;

    const float d = float(m_d);
    const QString format = profilregeln::skalenformat(MAX);
    int n = 0;
    float yn = 0;
    falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), SG); });
    falle([&] { bild().LINIENEINSTELLUNGEN(); });
    falle([&] { zug({X, X + (LENGTH + 5.0f) * m_MX}, {Y, Y}, 1); });
    falle([&] {
        S = (MAX - MIN) / LENGTH;
        // The tick count is a 16-bit whole number: an absurd maximum (a typing
        // slip in the data) overflows and is reported instead of drawing
        // millions of ticks.
        n = vb::checkInt(vb::Round(double((MAX - MIN) / STEP)));
    });
    falle([&] {
        yn = Y - d * 1.5f * m_MY;
        bild().TEXT(X, yn, vb::Format(vb::Variant(MIN), format), 1, 0, 1, 2);
    });
    for (int k = 0; k <= n; ++k) {
        if (!falle([&] {
                const float xk = X + float(k) * STEP / S * m_MX;
                for (const auto& [von, bis] : profilregeln::freieStuecke(xk, Y2, yn, FREI))
                    zug({xk, xk}, {von, bis});
            }))
            return S;
    }
    falle([&] { bild().TEXT(X + LENGTH * m_MX, yn, vb::Format(vb::Variant(MAX), format), 1, 0, 1, 2); });
    falle([&] { bild().TEXT(X + (MAX - MIN) / 2.0f / S * m_MX, yn - d * 1.0f * m_MY, TITLE, 1, 0, 1, 2); });
    falle([&] { bild().LINIENEINSTELLUNGEN(); });
    return S;
}

void clsPROFIL::setZufallsstart(std::optional<uint32_t> start)
{
    g_zufallsstart = start;
}

float clsPROFIL::ZUFALLSWERT()
{
    std::uniform_real_distribution<float> verteilung(0.0f, 1.0f);
    const float r = verteilung(m_zufall);
    return r >= 1.0f ? std::nextafter(1.0f, 0.0f) : r;
}

int16_t clsPROFIL::ZUFALLSZAHL(int16_t lo, int16_t hi)
{
    const float r = ZUFALLSWERT();
    double z = std::floor(double(hi - lo + 1) * double(r) + double(lo));
    if (hi >= lo && z > hi)
        z = hi;
    return vb::checkInt(z);
}
