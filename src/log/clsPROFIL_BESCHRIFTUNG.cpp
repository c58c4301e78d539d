// The header block at the top of the log: coordinate system, easting,
// northing and ground level on the left; depth reference, scale, symbol
// standard and colour mode on the right; a rule below.
#include "log/clsPROFIL.h"

#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "log/ProfilRegeln.h"
#include "platform/StepRunner.h"

void clsPROFIL::BESCHRIFTUNG(clsDATEN& DAT, KopfParameter& p)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, BESCHRIFTUNG"));

    float delta = 0, x0 = 0, y0 = 0;
    falle([&] {
        if (p.SG == 0)
            p.SG = 8;
        delta = 0.5f * float(p.SG) * m_MY * float(m_d);
    });
    falle([&] { x0 = p.X ? *p.X : standardX(); });
    falle([&] { y0 = p.Y ? *p.Y : 0.0f; });

    bool OPTK = false;
    // Coordinates are kept in double precision: national-grid values lose up
    // to half a metre in a 32-bit float.
    double HW = 0, RW = 0;
    // One read per step: a value that cannot be converted is reported and OK
    // goes on with the next read; a read that fails (the accessor has shown
    // its box) ends the block before anything is drawn.
    if (p.AOPTK)
        OPTK = p.AOPTK->isBoolean() && p.AOPTK->number() != 0;
    else
        falle.access([&] { return DAT.DTVB(QStringLiteral("OPTK"), OPTK); });
    falle.access([&] { return DAT.DTVD(QStringLiteral("HW"), HW); });
    falle.access([&] { return DAT.DTVD(QStringLiteral("RW"), RW); });
    if (falle.cancelled())
        return;

    const std::array<QString, 8> zeilen =
        profilregeln::kopfzeilen(OPTK, RW, HW, m_EH, m_EOPTH, m_ETAV, m_MY, p.SYMBOLE, p.FARBEN);
    // The right column stands 60 units right of the left one, further when a
    // long left line (a ground level over a local reference) needs the room.
    const float x2 = x0 + profilregeln::kopfspalte(zeilen, p.SG, m_MX);
    const float xl[8] = {x0, x0 + 5.0f * m_MX, x0 + 5.0f * m_MX, x0, x2, x2, x2, x2};
    const float yl[8] = {y0, y0 + delta, y0 + 2 * delta, y0 + 3 * delta, y0, y0 + delta, y0 + 2 * delta, y0 + 3 * delta};

    falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), p.SG); });
    for (int k = 0; k < 8; ++k)
        if (!falle([&] { bild().TEXT(xl[k], yl[k], zeilen[size_t(k)], 1); }))
            return;
    falle([&] { bild().LINIENEINSTELLUNGEN(); });
    falle([&] {
        const float LL = p.LL.value_or(0.0f);
        if (LL < 0)
            return;
        const float yr = y0 + 4.5f * delta;
        const float xe = LL == 0 ? m_XMAX : x0 + LL * m_MX;
        zug({x0, xe}, {yr, yr});
    });
}
