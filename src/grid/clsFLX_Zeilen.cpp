// Rows of the grid editor: insert, remove (the last data row is emptied and
// the grid disabled), column tooltips and the row filter.

#include "grid/clsFLX.h"

#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <cmath>
#include <optional>

namespace grid {

void clsFLX::ZEILEEINFUEGEN()
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Zeile einfügen"), vb::kVbError);
    bool aus = false;
    if (!falle([&] { aus = !gitter()->Enabled(); }))
        return;
    if (aus) {
        // The emptied row is simply in use again.
        if (!falle([&] { m_flx->setBackColor(vb::vbWindowBackground); }))
            return;
        if (!falle([&] { m_flx->setEnabledState(true); }))
            return;
    } else {
        if (!falle([&] { m_flx->AddItem(QString(), m_flx->Row()); }))
            return;
    }
    if (!falle([&] { NUMMERIEREN(); }))
        return;
    falle([&] {
        if (m_flxk && m_flxk->m_flx)
            m_flxk->ZEILEEINFUEGEN();
    });
}

void clsFLX::ZEILEENTFERNEN()
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / Zeile eintfernen"), vb::kVbError);
    int zeilen = 0;
    int fest = 0;
    if (!falle([&] {
            zeilen = gitter()->Rows();
            fest = m_flx->FixedRows();
        }))
        return;
    if (zeilen > fest + 1) {
        if (!falle([&] { m_flx->RemoveItem(m_flx->Row()); }))
            return;
        if (!falle([&] { NUMMERIEREN(); }))
            return;
    } else if (zeilen == fest + 1) {
        for (int c = 0; c < m_flx->Cols(); ++c)
            if (!falle([&] { m_flx->setTextMatrix(fest, c, QString()); }))
                return;
        if (!falle([&] { m_flx->setBackColor(m_flx->BackColorFixed()); }))
            return;
        if (!falle([&] { m_flx->setEnabledState(false); }))
            return;
    }
    falle([&] {
        if (m_flxk && m_flxk->m_flx)
            m_flxk->ZEILEENTFERNEN();
    });
}

void clsFLX::TOOLTIP(float X, float)
{
    vb::ErrorTrap falle(QStringLiteral("MSFlexGrid / ToolTip"), vb::kVbError);
    falle([&] {
        FlexGrid* g = gitter();
        float summe = 0;
        for (int c = 0; c < g->Cols(); ++c) {
            if (!g->ColIsVisible(c))
                continue;
            summe += float(g->ColWidth(c));
            if (summe > X) {
                const QString tipp = vb::CStr(m_lsttt[c].alsVariant());
                g->setToolTipText(tipp);
                if (m_pic)
                    m_pic->setToolTip(tipp);
                return;
            }
        }
        g->setToolTipText(QString());
        if (m_pic)
            m_pic->setToolTip(QString());
    });
}

void clsFLX::ZEILENFILTER()
{
    const QString titel = QStringLiteral("MSFlexGrid / Zeilenfilter");
    const QString frage = QStringLiteral("Zeilenfilter");
    const int stil = vb::vbOKCancel | vb::vbExclamation;
    vb::ErrorTrap falle(titel, vb::kVbError);

    // Asks until the answer is a whole number within [von, bis]; nullopt when
    // the user ends the dialogue.
    auto erfragen = [&](const QString& prompt, const QString& vorgabe, int von, int bis,
                        const QString& fehler) -> std::optional<int16_t> {
        for (;;) {
            const QString antwort = vb::InputBox(prompt, frage, vorgabe);
            double d = 0;
            if (!antwort.trimmed().isEmpty() && vb::parseNumber(antwort, &d) && std::isfinite(d)) {
                const double ganz = std::floor(d);
                if (ganz >= von && ganz <= bis)
                    return vb::checkInt(ganz);
            }
            if (vb::MsgBox(fehler, stil, titel) != vb::vbOK)
                return std::nullopt;
        }
    };

    int fest = 0;
    int letzte = 0;
    if (!falle([&] {
            fest = gitter()->FixedRows();
            letzte = m_flx->Rows() - 1;
        }))
        return;
    // Only data rows can be filtered, and a range needs two rows at least.
    if (letzte - fest < 1)
        return;
    const auto erste = erfragen(QStringLiteral("Erste Zeile: "), QStringLiteral("1"), fest, letzte - 1,
                                QStringLiteral("Ungültige Angabe für die Nummer der ersten Zeile!"));
    if (!erste)
        return;
    const auto bis = erfragen(QStringLiteral("Letzte Zeile: "), QString::number(letzte), *erste + 1, letzte,
                              QStringLiteral("Ungültige Angabe für die Nummer der letzten Zeile!"));
    if (!bis)
        return;
    // The largest count accepted keeps every row; one more would give a step of 0 for short ranges.
    const auto anzahl = erfragen(QStringLiteral("Reduzierte Zeilenanzahl: "), QString::number(*bis - *erste), 1,
                                 *bis - *erste,
                                 QStringLiteral("Ungültige Angabe für die reduzierte Zeilenanzahl!") + QLatin1Char('\n')
                                     + QStringLiteral("Erlaubt sind 1 bis ") + QString::number(*bis - *erste)
                                     + QLatin1Char('.'));
    if (!anzahl)
        return;
    int16_t schritt = 1;
    if (!falle([&] { schritt = vb::CIntRange(double(*bis - *erste) / double(*anzahl)); }))
        return;
    for (int i = *bis; i >= *erste; --i)
        if (i % schritt != 0 && !falle([&] { m_flx->RemoveItem(i); }))
            return;
    if (!falle([&] { AKTUALISIEREN(); }))
        return;
    falle([&] { NUMMERIEREN(); });
}

} // namespace grid
