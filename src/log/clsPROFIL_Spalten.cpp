// The side columns of the log: groundwater, drilling method, casing and
// samples. Each marks its rows on the column axis and labels them on label
// lines that keep the texts apart.
#include "log/Testspalte.h"

#include "drawing/DrawingInterface.h"
#include "platform/Colors.h"
#include "platform/VbRuntime.h"

#include <algorithm>

namespace {

struct Grundwasser
{
    int16_t GTYP = 0;
    float TGW = 0;
    vb::Variant GWDATUM;
};

struct Bohrverfahren
{
    float VTB = 0;
    QString VERF;
    float DBL = 0;
};

struct Rohr
{
    float VTV = 0;
    QString VTYP;
    float DPR = 0;
    QString MAT;
};

struct Probe
{
    QString GUETE;
    float TUKP = 0;
    float HPK = 0;
    QString BEZ;
    int16_t ENTVERF = 0;
};

// The date of an observation in the user's short date form; none for a date
// that was not recorded.
QString beobachtungsdatum(const vb::Variant& datum)
{
    if (datum.isEmpty() || datum.isNull())
        return QString();
    return vb::Format(vb::CDate(datum), QStringLiteral("Short Date"));
}

// The leader across the axis, the depth or level left of it and the
// diameter right of it, both standing on the label line.
void kerbeMitTiefeUndDurchmesser(Testspalte& s, size_t i, float durchmesser)
{
    s.kerbe(i);
    s.tiefentext(i, s.rechts(-2.0f), s.L[i]);
    s.text(s.rechts(2.0f), s.L[i], vb::Format(vb::Variant(durchmesser), QStringLiteral("0")), 0, 2);
}

} // namespace

void clsPROFIL::GRUNDWASSER(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Grundwasser;
    Testspalte s(*this, "GRUNDWASSER", SG, X);
    std::vector<Z> z;
    // Three line heights between labels: the value stands one line above its
    // label line. A date hangs one line below it, so after a row with a date
    // the next label line keeps one line more, and the next value stands
    // below the date instead of on its line.
    if (!s.anlegen<Z>(DAT, {{"GTYP", &Z::GTYP}, {"TGW", &Z::TGW}, {"GWDATUM", &Z::GWDATUM}}, &Z::TGW,
                      [&](size_t i) {
                          // A date that cannot be read is reported where it
                          // would be written, and no date is written there.
                          bool datumDavor = false;
                          try {
                              datumDavor = i > 0 && !beobachtungsdatum(z[i - 1].GWDATUM).isEmpty();
                          } catch (const vb::VbError&) {
                          }
                          return (datumDavor ? 4.0f : 3.0f) * s.h;
                      },
                      z, "GW"))
        return;
    s.rohroberkante();
    s.tiefenpfeil();
    s.linie();
    s.jedeZeile([&](size_t i) {
        const float y = s.y[i], L = s.L[i];
        s.zug({s.rechts(5.0f), s.X, s.rechts(-1.5f), s.rechts(-5.0f)}, {y, y, L, L});
        s.tiefentext(i, s.rechts(-1.5f), s.hoch(L, s.h));
        // Triangle: filled for the level last measured, open for one met
        // while drilling, none when the kind is not known.
        if (z[i].GTYP == 1 || z[i].GTYP == 2)
            s.falle([&] { bild().KOTENDREIECK(s.rechts(-5.0f), L, 2.0f * s.MY, 0.0f, 1, z[i].GTYP == 1 ? 3 : 0); });
        QString datum;
        s.falle([&] { datum = beobachtungsdatum(z[i].GWDATUM); });
        s.text(s.rechts(-1.5f), s.hoch(L, -s.h), datum, 2);
    });
}

void clsPROFIL::BOHRUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Bohrverfahren;
    Testspalte s(*this, "BOHRUNG", SG, X);
    std::vector<Z> z;
    // The method name is written upwards from the label line: the label line
    // keeps room for it below the previous one.
    if (!s.anlegen<Z>(DAT, {{"VTB", &Z::VTB}, {"VERF", &Z::VERF}, {"DBL", &Z::DBL}}, &Z::VTB,
                      [&](size_t i) { return profilregeln::senkrechtabstand(s.SG, z[i].VERF.size(), s.h); }, z,
                      "Bohrverfahren"))
        return;
    s.kopfwort(QStringLiteral("d [mm]"), 0.5f);
    s.tiefenpfeil();
    s.linie();
    s.jedeZeile([&](size_t i) {
        kerbeMitTiefeUndDurchmesser(s, i, z[i].DBL);
        s.text(s.rechts(-1.5f), s.hoch(s.L[i], 2.0f + s.h), z[i].VERF, 0, 2, 90);
    });
}

void clsPROFIL::VERROHRUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Rohr;
    Testspalte s(*this, "VERROHRUNG", SG, X);
    std::vector<Z> z;
    // Type and material are written upwards on either side of the axis: the
    // longer of the two sets the spacing.
    if (!s.anlegen<Z>(DAT, {{"VTV", &Z::VTV}, {"VTYP", &Z::VTYP}, {"DPR", &Z::DPR}, {"MAT", &Z::MAT}}, &Z::VTV,
                      [&](size_t i) {
                          return profilregeln::senkrechtabstand(s.SG, std::max(z[i].MAT.size(), z[i].VTYP.size()),
                                                                s.h);
                      },
                      z, "Verrohrung"))
        return;
    s.rohroberkante();
    s.kopfwort(QStringLiteral("d [mm]"), 0.5f);
    s.tiefenpfeil();
    s.linie();
    s.jedeZeile([&](size_t i) {
        kerbeMitTiefeUndDurchmesser(s, i, z[i].DPR);
        const float oben = s.hoch(s.L[i], 2.0f + s.h);
        s.text(s.rechts(1.5f), oben, z[i].MAT, 0, 0, 90);
        s.text(s.rechts(-1.5f), oben, z[i].VTYP, 0, 2, 90);
    });
}

void clsPROFIL::PROBEN(clsDATEN& DAT, int16_t& SG, std::optional<float> X)
{
    using Z = Probe;
    Testspalte s(*this, "PROBEN", SG, X);
    std::vector<Z> z;
    if (!s.anlegen<Z>(DAT,
                      {{"GUETE", &Z::GUETE}, {"TUKP", &Z::TUKP}, {"HPK", &Z::HPK}, {"BEZ", &Z::BEZ},
                       {"ENTVERF", &Z::ENTVERF}},
                      &Z::TUKP,
                      // A sample writes two lines, the designation and the
                      // class, standing 1 mm above its label line: the next
                      // label line keeps them below the previous leader, and
                      // the first keeps them below the heading word "Güte",
                      // which hangs half a line into the column.
                      [&](size_t i) { return 1.0f + (i == 0 ? 2.5f : 2.0f) * s.h; }, z, "Proben"))
        return;
    s.kopfwort(QStringLiteral("Bez."), 1.5f);
    s.kopfwort(QStringLiteral("Güte"), 0.5f);
    s.tiefenpfeil();
    s.linie();
    s.jedeZeile([&](size_t i) {
        const float L = s.L[i];
        s.kerbe(i);
        s.tiefentext(i, s.rechts(-1.5f), s.hoch(L, 1.0f + s.h),
                     m_ETAV ? QStringLiteral("0.00") : QStringLiteral("#0.00"));
        s.text(s.rechts(3.0f), s.hoch(L, 1.0f + s.h), z[i].BEZ, 0, 2);
        s.text(s.rechts(3.0f), s.hoch(L, 1.0f), z[i].GUETE, 0, 2);

        // The sampling method: a box 2 by 3.5 mm on the leader's left stroke,
        // open for a disturbed sample, solid for a special sample, and with
        // the notch closed for a core.
        const float xa = s.rechts(-2.0f), xc = s.rechts(-4.0f), yb = s.hoch(L, 3.5f);
        switch (z[i].ENTVERF) {
        case 0:
            s.zug({xa, xa, xc, xc}, {L, yb, yb, L});
            break;
        case 1:
            s.rechteck(xc, yb, xa, L, vb::QBColor(0));
            break;
        case 2:
            s.zug({xa, xa, xc, xc}, {L, yb, yb, L});
            s.zug({s.rechts(5.0f), s.X}, {L, s.y[i]});
            s.zug({s.rechts(1.5f), s.rechts(-1.5f)}, {L, L});
            break;
        default:
            break;
        }
    });
}
