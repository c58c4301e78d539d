#include "pages/clsBERECHNEN.h"

#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "pages/E12Vorgaben.h"
#include "platform/StepRunner.h"

#include <memory>

bool clsBERECHNEN::BERECHNUNG()
{
    vb::ErrorTrap falle(QStringLiteral("Auswerten/Neuberechnen"), QStringLiteral("VB-Fehler:"));
    bool ergebnis = false;
    db::SharedState& zustand = db::sharedState();
    std::unique_ptr<clsDATEN> dat;

    falle([&] {
        dat = std::make_unique<clsDATEN>();
        dat->ETABELLE(QStringLiteral("E12"));
    });
    falle([&] { zustand.setFortschritt(0); });

    bool alle = false;
    if (!falle([&] {
            if (!dat)
                vb::raise(vb::err::ObjectNotSet);
            // The first failing write ends the sequence; its box has been shown.
            for (const E12Vorgabe& v : E12_VORGABEN) {
                const QString spalte = QString::fromLatin1(v.spalte);
                const bool ok = v.boolesch ? dat->DVTB(spalte, v.wert != 0) : dat->DVTI(spalte, v.wert);
                if (!ok)
                    return;
            }
            alle = true;
        }))
        return ergebnis;

    // An error inside the writes (answered with OK) leaves the row
    // incomplete: that is no success either.
    if (alle) {
        falle([&] {
            zustand.setFortschritt(5);
            ergebnis = true;
        });
    }
    return ergebnis;
}
