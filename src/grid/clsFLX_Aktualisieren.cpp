// Refresh: renumber, format every filled cell by its column's pattern and
// recompute the elapsed-time column from the date and time columns.

#include "grid/clsFLX.h"

#include "grid/FlexGrid.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QDateTime>

namespace grid {

namespace {
bool gueltig(const QString& text, QDateTime* dt)
{
    return !vb::Trim(text).isEmpty() && vb::parseDate(text, dt);
}

int sekundenDesTages(const QDateTime& dt)
{
    return dt.time().msecsSinceStartOfDay() / 1000;
}
} // namespace

float clsFLX::zeitdifferenz(const QString& D1, const QString& T1, const QString& D2, const QString& T2) const
{
    QDateTime d1, t1, d2, t2;
    const bool datum = gueltig(D1, &d1) && gueltig(D2, &d2);
    const bool zeit = gueltig(T1, &t1) && gueltig(T2, &t2);
    if (datum) {
        const double tage = double(d1.date().daysTo(d2.date()));
        if (zeit)
            return float(tage * 86400.0 + sekundenDesTages(t2) - sekundenDesTages(t1));
        return float(tage);
    }
    if (zeit)
        return float(sekundenDesTages(t2) - sekundenDesTages(t1));
    return 0.0f;
}

void clsFLX::AKTUALISIEREN()
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Aktulisieren"), vb::kVbError);
    if (!falle([&] { NUMMERIEREN(); }))
        return;
    FlexGrid* g = m_flx;
    if (!falle([&] { gitter(); }))
        return;
    for (int c = 0; c < g->Cols(); ++c) {
        bool format = false;
        if (!falle([&] { format = hatFormat(c); }))
            return;
        if (!format)
            continue;
        for (int r = g->FixedRows(); r < g->Rows(); ++r) {
            if (!falle([&] {
                    const QString t = g->TextMatrix(r, c);
                    if (!t.isEmpty())
                        g->setTextMatrix(r, c, formatiert(c, t));
                }))
                return;
        }
    }
    // An elapsed time needs a date or a time to be measured from.
    if (m_spez.dauer < 0 || (m_spez.datum < 0 && m_spez.zeit < 0))
        return;
    const int erste = g->FixedRows();
    if (erste >= g->Rows())
        return;
    if (!falle([&] { g->setTextMatrix(erste, m_spez.dauer, QStringLiteral("0")); }))
        return;
    auto zelle = [&](int r, int spalte) { return spalte < 0 ? QString() : g->TextMatrix(r, spalte); };
    for (int j = erste + 1; j < g->Rows(); ++j) {
        if (!falle([&] {
                if (m_det == -1) {
                    m_bezugszeile = int16_t(j - 1);
                } else if (m_det == 0) {
                    m_bezugszeile = int16_t(erste);
                } else if (m_det >= 1) {
                    // The first row of the run of rows carrying row j's text in column EDET.
                    const QString text = g->TextMatrix(j, m_det);
                    int r = j;
                    while (r > 0 && g->TextMatrix(r - 1, m_det) == text)
                        --r;
                    m_bezugszeile = int16_t(std::max(r, erste));
                }
            }))
            return;
        if (!falle([&] {
                const int r = m_bezugszeile;
                float v = 0;
                if (m_spez.datum < 0) {
                    v = zeitdifferenz(QString(), zelle(r, m_spez.zeit), QString(), zelle(j, m_spez.zeit)) / 60.0f;
                } else if (m_spez.zeit < 0) {
                    v = zeitdifferenz(zelle(r, m_spez.datum), QString(), zelle(j, m_spez.datum), QString());
                } else {
                    const QString dr = zelle(r, m_spez.datum);
                    const QString tr = zelle(r, m_spez.zeit);
                    const QString dj = zelle(j, m_spez.datum);
                    const QString tj = zelle(j, m_spez.zeit);
                    QDateTime a, b;
                    const bool zeitGueltig = gueltig(tr, &a) && gueltig(tj, &b);
                    v = zeitdifferenz(dr, tr, dj, tj);
                    // Valid dates without valid times give whole days, in minutes.
                    if (gueltig(dr, &a) && gueltig(dj, &b) && !zeitGueltig)
                        v *= 1440.0f;
                    else
                        v /= 60.0f;
                }
                if (!zelle(j, m_spez.datum).isEmpty() || !zelle(j, m_spez.zeit).isEmpty()) {
                    const vb::Variant wert(v);
                    g->setTextMatrix(j, m_spez.dauer,
                                     hatFormat(m_spez.dauer)
                                         ? vb::Format(wert, vb::CStr(m_lformat[m_spez.dauer].alsVariant()))
                                         : vb::CStr(wert));
                }
            }))
            return;
    }
}

} // namespace grid
