#include "drawing/RecordingEngine.h"

#include "drawing/Numeric.h"

#include <cmath>

namespace drawing {

namespace {

QString num(double v)
{
    return QString::number(v);
}

template <class C>
QString list(const C& values)
{
    QStringList parts;
    for (auto v : values) parts << num(double(v));
    return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace

RecordingEngine::RecordingEngine() = default;

void RecordingEngine::setView(const ViewState& v)
{
    m_view = v;
    m_EXDL = v.EXDL;
    m_EYDO = v.EYDO;
    m_ELX = v.ELX;  // as given: the axis tables stay
    m_ELY = v.ELY;
    m_ESKTX = v.ESKTX;
    m_ESKTY = v.ESKTY;
    m_EPTYP = v.EPTYP;
}

ViewState RecordingEngine::view() const
{
    return withPicture(m_view);
}

QStringList RecordingEngine::callsOf(const QString& name) const
{
    QStringList out;
    for (const QString& c : m_calls)
        if (c == name || c.startsWith(name + QLatin1Char(' '))) out << c;
    return out;
}

void RecordingEngine::EOBJEKT(EngineObject* target)
{
    m_object = target;
    if (auto* t = dynamic_cast<Target*>(target)) {
        ELX(float(t->Width() / kTwipsPerMm));
        ELY(float(t->Height() / kTwipsPerMm));
    }
}

void RecordingEngine::LINIENEINSTELLUNGEN(int16_t LINIENART, float LINIENBREITE, int32_t FARBE)
{
    record(QStringLiteral("LINIENEINSTELLUNGEN %1 %2 %3").arg(LINIENART).arg(num(LINIENBREITE)).arg(FARBE));
}

void RecordingEngine::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                           bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    record(QStringLiteral("SCHRIFTEINSTELLUNGEN %1 %2 %3 %4 %5 %6")
               .arg(quoted(SCHRIFTART))
               .arg(SCHRIFTGROESSE)
               .arg(int(FETT))
               .arg(int(UNTERSTRICHEN))
               .arg(int(KURSIV))
               .arg(FARBE));
}

void RecordingEngine::SKALEN(int16_t NR, const std::optional<std::vector<float>>& X,
                             const std::optional<std::vector<float>>& Y)
{
    record(QStringLiteral("SKALEN %1 X=%2 Y=%3")
               .arg(NR)
               .arg(X ? list(*X) : QStringLiteral("-"))
               .arg(Y ? list(*Y) : QStringLiteral("-")));
}

void RecordingEngine::TEXT(float X, float Y, const QString& TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    record(QStringLiteral("TEXT %1 %2 %3 %4 %5 %6 %7")
               .arg(num(X), num(Y), quoted(TEXT))
               .arg(KO)
               .arg(AL)
               .arg(ARX)
               .arg(ARY));
}

void RecordingEngine::POLYGON(SingleArray& X, SingleArray& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
                              const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
                              const std::optional<NumberList>& BOL)
{
    record(QStringLiteral("POLYGON X=%1 Y=%2 %3 %4 %5 %6 %7 %8 %9 BOL=%10")
               .arg(list(X.values()), list(Y.values()))
               .arg(PSIT)
               .arg(PSTYP)
               .arg(PNR)
               .arg(quoted(TEXT))
               .arg(LAGETEXT)
               .arg(LAGEPFEIL)
               .arg(int(FARBEN))
               .arg(BOL ? list(*BOL) : QStringLiteral("-")));
}

void RecordingEngine::KREIS(float XM, float YM, float R, float AL1, ByRef<float> AL2, int16_t LAGEPFEIL,
                            bool BOKREISP, std::optional<int16_t> KO)
{
    if (AL2.get() == 0) AL2.get() = kTwoPi;
    record(QStringLiteral("KREIS %1 %2 %3 %4 %5 %6 %7 KO=%8")
               .arg(num(XM), num(YM), num(R), num(AL1), num(AL2.get()))
               .arg(LAGEPFEIL)
               .arg(int(BOKREISP))
               .arg(KO ? QString::number(*KO) : QStringLiteral("-")));
}

void RecordingEngine::PFEIL(float XP1, float YP1, float XP2, float YP2)
{
    record(QStringLiteral("PFEIL %1 %2 %3 %4").arg(num(XP1), num(YP1), num(XP2), num(YP2)));
}

void RecordingEngine::GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO)
{
    record(QStringLiteral("GELAENDESCHRAFFUR %1 %2 %3 %4 %5 %6").arg(num(X1), num(Y1), num(H1)).arg(ANS).arg(num(BE)).arg(KO));
}

void RecordingEngine::KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL)
{
    record(QStringLiteral("KOTENDREIECK %1 %2 %3 %4 %5 %6").arg(num(X), num(Y), num(DH), num(RIWI)).arg(GW).arg(VOLL));
}

void RecordingEngine::LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                                   const std::vector<std::vector<float>>& P, int16_t IT)
{
    QStringList rows;
    for (const auto& r : P) rows << list(r);
    record(QStringLiteral("LASTFLAECHEN X=%1 Y=%2 P=(%3) %4").arg(list(X), list(Y), rows.join(' ')).arg(IT));
}

void RecordingEngine::SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY)
{
    record(QStringLiteral("SCHNITTKRAFT %1 %2 %3 %4 %5 %6 %7")
               .arg(num(X1), num(Y1), num(X2), num(Y2), num(SHHH))
               .arg(TYP)
               .arg(SY));
}

void RecordingEngine::KOORDTRANS(float X, float Y, float& XP, float& YP)
{
    const ViewState v = view();
    if (v.MX != 0)
        XP = v.OX == 1 ? v.EXDL + v.SX + v.RL + (X - v.XMIN) / v.MX : v.EXDL + v.SX + v.RL + (v.XMAX - X) / v.MX;
    if (v.MY != 0)
        YP = v.OY == 1 ? v.EYDO + v.SY + v.RO + (v.YMAX - Y) / v.MY : v.EYDO + v.SY + v.RO + (Y - v.YMIN) / v.MY;
}

void RecordingEngine::KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX, int16_t SKTY)
{
    const ViewState v = view();
    X = v.OX == 1 ? (XP - v.EXDL - v.SX - v.RL) * v.MX + v.XMIN : (v.EXDL + v.SX + v.RL - XP) * v.MX + v.XMAX;
    Y = v.OY == 1 ? (v.EYDO + v.SY + v.RO - YP) * v.MY + v.YMAX : (YP - v.EYDO - v.SY - v.RO) * v.MY + v.YMIN;
    if (SKTX == 1) X = float(std::pow(10.0, double(X)));
    if (SKTY == 1) Y = float(std::pow(10.0, double(Y)));
}

void RecordingEngine::LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB, int16_t BOSK)
{
    record(QStringLiteral("LINIE %1 %2 %3 %4 FB=%5 %6")
               .arg(num(XP1), num(YP1), num(XP2), num(YP2), FB ? QString::number(*FB) : QStringLiteral("-"))
               .arg(BOSK));
}

} // namespace drawing
