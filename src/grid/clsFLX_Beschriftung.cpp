// Fonts and captions: the grid's font with the caption font slots, and the
// column captions drawn with their style markup on the caption picture.

#include "grid/clsFLX.h"

#include "drawing/Markup.h"
#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"
#include "platform/Colors.h"
#include "platform/StepRunner.h"
#include "platform/TextTables.h"
#include "platform/VbRuntime.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace grid {

namespace {
void schriftUebernehmen(QWidget* w, const QFont& f, int32_t farbe)
{
    w->setFont(f);
    QPalette p = w->palette();
    p.setColor(QPalette::Text, vb::toQColor(farbe));
    p.setColor(QPalette::WindowText, vb::toQColor(farbe));
    w->setPalette(p);
}

constexpr double kMm = 56.7;
} // namespace

void clsFLX::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                                  bool KURSIV, int32_t FARBE)
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Schrifteinstellungen"), QStringLiteral("VB-Error:"));
    FlexGrid* g = m_flx;
    QFont f;
    int32_t farbe = 0;
    if (!falle([&] {
            f = gitter()->Font();
            f.setFamily(SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART);
            f.setPointSize(SCHRIFTGROESSE <= 0 ? 11 : SCHRIFTGROESSE);
            f.setBold(FETT);
            f.setItalic(KURSIV);
            f.setUnderline(UNTERSTRICHEN);
            g->setGridFont(f);
        }))
        return;
    if (!falle([&] {
            farbe = FARBE <= 0 ? vb::QBColor(0) : FARBE;
            g->setForeColor(farbe);
        }))
        return;
    if (!falle([&] {
            if (m_lst2.istLeer())
                g->setRowHeight(0, g->CellHeight());
            else if (m_lst2.istListe())
                g->setRowHeight(0, 2 * g->CellHeight());
        }))
        return;
    if (!falle([&] {
            if (m_txt)
                schriftUebernehmen(m_txt, g->Font(), g->ForeColor());
        }))
        return;
    if (!falle([&] {
            if (m_cbo)
                schriftUebernehmen(m_cbo, g->Font(), g->ForeColor());
        }))
        return;
    falle([&] {
        const QFont grund = g->Font();
        const int klein = int(std::nearbyint(grund.pointSize() / 1.175));
        auto slot = [&](const QString& familie, int groesse) {
            QFont s = grund;
            s.setFamily(familie);
            s.setPointSize(std::max(1, groesse));
            return s;
        };
        m_slot[1] = slot(grund.family(), grund.pointSize());
        m_slot[2] = slot(grund.family(), grund.pointSize());
        m_slot[3] = slot(QStringLiteral("Symbol"), grund.pointSize());
        m_slot[4] = slot(grund.family(), klein);
        m_slot[5] = slot(QStringLiteral("Symbol"), klein);
        m_slotsGebaut = true;
    });
}

void clsFLX::BESCHRIFTEN()
{
    if (!m_pic || !m_lst1.istListe())
        return;
    FlexGrid* g = gitter();
    const int grid = g->Width();
    const int kopf = g->RowHeight(0);

    double breite = 0;
    for (int c = 0; c < g->Cols(); ++c) {
        if (!g->ColIsVisible(c))
            continue;
        breite += g->ColWidth(c);
        if (breite > grid) {
            const bool ohneLeiste = g->RowIsVisible(g->FixedRows()) && g->RowIsVisible(g->Rows() - 1);
            breite = ohneLeiste ? grid - kMm : grid - 5.5 * kMm;
            break;
        }
    }
    m_pic->Resize(breite, kopf);
    m_pic->Cls();

    double links = kMm;
    for (int c = 0; c < g->Cols(); ++c) {
        if (!g->ColIsVisible(c))
            continue;
        const double mitte = links + g->ColWidth(c) / 2.0;
        text(mitte, 0, m_lst1[c].alsVariant(), 1, 0);
        if (m_lst2.istListe())
            text(mitte, kopf / 2.0, m_lst2[c].alsVariant(), 1, 0);
        links += g->ColWidth(c);
        if (links > grid)
            break;
    }
    ELA(m_la);
}

// One caption with its markup: "{code,n}" styles the n characters after the
// brace (t lowered, h raised, g Greek, gt/gh both), "{c,n}" inserts
// character n of the Windows character set.
void clsFLX::text(double X, double Y, const vb::Variant& wert, int ARX, int ARY)
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Text"), vb::kVbError);
    FlexPicture* pic = m_pic;
    if (!pic)
        return;
    QString s;
    QFont slot0;
    double W = 0;
    double H = 0;
    if (!falle([&] {
            slot0 = pic->font();
            m_slot[0] = slot0;
            s = wert.isNull() ? QString() : vb::CStr(wert);
            // Measured without the directives.
            const QString kopie = drawing::plainText(s);
            W = pic->TextWidth(kopie, slot0);
            H = pic->TextHeight(kopie, slot0);
        }))
        return;
    double x0 = ARX == 1 ? X - W / 2 : (ARX == 2 ? X - W : X);
    const double y0 = ARY == 1 ? Y - H / 2 : (ARY == 2 ? Y - H : Y);

    int p = 0;
    int vorher = 0;   // slot of the piece before
    for (;;) {
        QString stueck;
        int slot = 2;
        double verschiebung = 0;   // positive: lowered
        bool weiter = true;
        const int auf = s.indexOf(QLatin1Char('{'), p);
        if (auf < 0) {
            stueck = s.mid(p);
            p = s.size();
        } else if (auf > p) {
            // Plain text up to the next directive.
            stueck = s.mid(p, auf - p);
            p = auf;
        } else {
            const int komma = s.indexOf(QLatin1Char(','), auf);
            if (komma < 0) {
                // A directive without a count ends this caption.
                falle.report(vb::VbError(0, QString()));
                return;
            }
            const int zu = s.indexOf(QLatin1Char('}'), auf);
            QString code;
            int n = 0;
            if (!falle([&] {
                    code = s.mid(auf + 1, komma - auf - 1);
                    if (zu < komma)
                        vb::raise(vb::err::InvalidCall);
                    const QString zahl = s.mid(komma + 1, zu - komma - 1);
                    n = vb::CInt(vb::Variant(zahl));
                    if (n < 0)
                        vb::raise(vb::err::InvalidCall);
                }))
                return;
            // OK after a faulty count: the count stays 0; without a closing
            // brace nothing of the caption is left to draw.
            if (zu < 0)
                return;
            if (code == QLatin1String("c")) {
                if (!falle([&] { stueck = QString(vb::cp1252ToUnicode(n)); }))
                    return;
                p = zu + 1;
                slot = 2;
            } else {
                stueck = s.mid(zu + 1, n);
                p = zu + 1 + int(stueck.size());
                if (code.isEmpty())
                    slot = 2;
                else if (code == QLatin1String("g"))
                    slot = 3;
                else if (code == QLatin1String("t") || code == QLatin1String("h"))
                    slot = 4;
                else if (code == QLatin1String("gt") || code == QLatin1String("gh"))
                    slot = 5;
                else
                    slot = vorher;
                const double hoehe = pic->TextHeight(stueck, m_slot[size_t(slot)]);
                if (code == QLatin1String("t") || code == QLatin1String("gt"))
                    verschiebung = 0.35 * hoehe;
                else if (code == QLatin1String("h") || code == QLatin1String("gh"))
                    verschiebung = -0.25 * hoehe;
            }
        }
        weiter = p < s.size();
        const QFont& schrift = m_slot[size_t(slot)];
        // The Symbol font's letters are drawn as the Greek letters they stand for.
        const QString sichtbar = (slot == 3 || slot == 5) ? vb::symbolToUnicode(stueck) : stueck;
        if (!falle([&] {
                pic->Print(x0 - pic->ScaleLeft(), y0 + verschiebung - pic->ScaleTop(), sichtbar, schrift);
                x0 += pic->TextWidth(sichtbar, schrift);
            }))
            return;
        vorher = slot;
        if (!weiter)
            return;
    }
}

} // namespace grid
