// Fill colours and colour names of the soil column. Natural colours come from
// the RAL codes stored with a layer; colours by soil family from its main
// constituent. Neither routine draws.
#include "log/clsPROFIL.h"

#include "drawing/DrawingInterface.h"
#include "platform/VbRuntime.h"

#include <QHash>
#include <array>

namespace {

struct RalFarbe
{
    const char* code;   // the four digits
    const char* name;   // German name with the code in its first form
    int32_t farbe;
};

const std::array<RalFarbe, 21> kRal = {{
    {"1002", "sandgelb (RAL1002)", drawing::rgb(214, 176, 117)},
    {"1004", "goldgelb (RAL1004)", drawing::rgb(234, 160, 32)},
    {"1011", "braunbeige (RAL1011)", drawing::rgb(173, 122, 79)},
    {"1014", "elfenbein (RAL1014)", drawing::rgb(218, 211, 169)},
    {"3009", "oxidrot (RAL3009)", drawing::rgb(94, 33, 33)},
    {"3011", "braunrot (RAL3011)", drawing::rgb(120, 20, 23)},
    {"3016", "korallenrot (RAL3016)", drawing::rgb(166, 36, 38)},
    {"6013", "schilfgrün (RAL6013)", drawing::rgb(117, 115, 79)},
    {"7003", "moosgrau (RAL7003)", drawing::rgb(86, 91, 72)},
    {"7006", "beigegrau (RAL7006)", drawing::rgb(107, 97, 87)},
    {"7013", "braungrau (RAL7013)", drawing::rgb(71, 66, 56)},
    {"7030", "steingrau (RAL7030)", drawing::rgb(145, 143, 135)},
    {"7031", "blaugrau (RAL7031)", drawing::rgb(85, 89, 104)},
    {"7032", "kieselgrau (RAL7032)", drawing::rgb(181, 177, 157)},
    {"8000", "grünbraun (RAL8000)", drawing::rgb(124, 97, 51)},
    {"8001", "ockerbraun (RAL8001)", drawing::rgb(153, 99, 46)},
    {"8003", "lehmbraun (RAL8003)", drawing::rgb(115, 59, 36)},
    {"8004", "kupferbraun (RAL8004)", drawing::rgb(133, 56, 43)},
    {"8011", "nussbraun (RAL8011)", drawing::rgb(71, 38, 28)},
    {"8023", "orangebraun (RAL8023)", drawing::rgb(151, 75, 39)},
    {"8028", "terrabraun (RAL8028)", drawing::rgb(64, 46, 33)},
}};

// The table entry a colour text names in one of its three forms ("RAL1002",
// "RAL 1002", "1002"), compared exactly; nullptr for any other text.
const RalFarbe* ralEintrag(const QString& text)
{
    static const QHash<QString, const RalFarbe*> formen = [] {
        QHash<QString, const RalFarbe*> h;
        for (const RalFarbe& e : kRal) {
            const QString code = QString::fromLatin1(e.code);
            for (const QString& form : {QStringLiteral("RAL") + code, QStringLiteral("RAL ") + code, code})
                h.insert(form, &e);
        }
        return h;
    }();
    return formen.value(text, nullptr);
}

struct Bodenfamilie
{
    int32_t bildschirm;   // screen and printer colour
    int32_t cad;          // CAD colour value
};

constexpr int32_t kWeiss = drawing::rgb(255, 255, 255);
constexpr int32_t kFastSchwarz = drawing::rgb(0, 0, 1);

// Families by main constituent (compared exactly; "A: *" has no wildcard);
// nullptr for any other code.
const Bodenfamilie* familie(const QString& code)
{
    struct Eintrag { std::initializer_list<const char*> codes; Bodenfamilie f; };
    static const QHash<QString, Bodenfamilie> familien = [] {
        const Eintrag liste[] = {
            {{"Y", "X", "gG", "mG", "fG", "gmG", "mfG", "G"}, {drawing::rgb(255, 255, 0), 6}},
            {{"gS", "mS", "fS", "gmS", "mfS", "S"}, {drawing::rgb(255, 100, 0), 30}},
            {{"U", "b'U", "bU", "b¯U"}, {drawing::rgb(90, 100, 10), 57}},
            {{"H"}, {drawing::rgb(77, 34, 26), 36}},
            {{"T", "b'T", "bT", "b¯T"}, {drawing::rgb(153, 102, 204), 224}},
            {{"Mu", "A: *", "Fels"}, {kWeiss, -1}},
            {{"Ko"}, {kFastSchwarz, 250}},
            {{"Lö", "LöL"}, {drawing::rgb(204, 153, 51), 42}},
        };
        QHash<QString, Bodenfamilie> h;
        for (const Eintrag& e : liste)
            for (const char* c : e.codes)
                h.insert(QString::fromUtf8(c), e.f);
        return h;
    }();
    const auto it = familien.constFind(code);
    return it == familien.constEnd() ? nullptr : &it.value();
}

} // namespace

int32_t clsPROFIL::FARBAUSWAHL(int16_t& FARBEN, const QString& farbe, const QString& code)
{
    const Bodenfamilie* f = familie(code);
    if (m_EBOACAD) {
        // The CAD drawing shows only the family colours; any other mode is
        // switched off for the caller.
        if (FARBEN == 2)
            return f ? f->cad : -1;
        FARBEN = 0;
        return 0;
    }
    switch (FARBEN) {
    case 1: {
        const QString text = vb::Trim(farbe);   // blanks only
        if (text == QStringLiteral("keine Angabe"))
            return kWeiss;
        const RalFarbe* e = ralEintrag(text);
        return e ? e->farbe : kFastSchwarz;
    }
    case 2:
        return f ? f->bildschirm : kWeiss;
    default:
        return kWeiss;
    }
}

QString clsPROFIL::FARBBEZ(const QString& farbe)
{
    const RalFarbe* e = ralEintrag(farbe);
    return e ? QString::fromUtf8(e->name) : farbe;
}
