#include "pages/Seite11Layout.h"

#include <algorithm>

namespace seite11 {

float spalteneinheit(int16_t modus)
{
    return modus == DRUCKER ? 30.0f : 42.0f;
}

Anordnung anordnen(int16_t modus, const Schalter& schalter)
{
    const float einheit = spalteneinheit(modus);
    Anordnung a;

    float summe = START_X;
    for (std::size_t k = 0; k < SPALTEN.size(); ++k) {
        const float anzahl = SPALTEN[k].schalter ? float(schalter[k]) : 1.0f;
        summe += anzahl * SPALTEN[k].ausdehnung * einheit;
    }
    a.ausdehnung = summe;

    float x = START_X;
    for (std::size_t k = 0; k < SPALTEN.size(); ++k) {
        const SpaltenArt& s = SPALTEN[k];
        if (s.spalte == Spalte::PROFIL) {
            // On the screen the soil column moves 5 mm closer to the side columns.
            if (modus == BILDSCHIRM)
                x -= 5.0f;
            a.x[k] = x;
            a.gezeichnet[k] = true;
            x += s.vorschub * einheit;
            continue;
        }
        if (schalter[k] == 1) {
            a.x[k] = x;
            a.gezeichnet[k] = true;
            x += s.vorschub * einheit;
        }
    }
    return a;
}

float bemerkungsbreite(const Schalter& schalter, const std::function<bool(std::size_t)>& zeichnet, float reichweite,
                       float mindestens)
{
    const Anordnung a = anordnen(DRUCKER, schalter);
    float rechts = DRUCK_BREITE - RAND_LINKS - RAND_RECHTS;   // the frame's right edge
    bool nachDemProfil = false;
    for (std::size_t k = 0; k < SPALTEN.size(); ++k) {
        if (SPALTEN[k].spalte == Spalte::PROFIL) {
            nachDemProfil = true;
            continue;
        }
        if (nachDemProfil && a.gezeichnet[k] && zeichnet(k)) {
            rechts = a.x[k] - reichweite;
            break;
        }
    }
    float links = 0;
    for (std::size_t k = 0; k < SPALTEN.size(); ++k)
        if (SPALTEN[k].spalte == Spalte::PROFIL)
            links = a.x[k] + BESCHREIBUNG_EINZUG;
    return std::max(mindestens, rechts - links - BEMERKUNG_ABSTAND);
}

std::array<float, 2> tiefenbereich(int16_t bztv, float massstab, float letzteTiefe)
{
    if (massstab == 0.0f)
        massstab = ERSATZ_MASSSTAB;
    std::array<float, 2> y{};
    y[0] = (bztv == 1 ? -27.0f : -5.0f) * massstab;
    y[1] = letzteTiefe + 20.0f * massstab;
    return y;
}

} // namespace seite11
