// A demo borehole's log page composed with the screen engine into a picture,
// saved as seite11_bildschirm.png next to the test program for people to look
// at, and once more as the printer lays it out on an A4 sheet
// (seite11_drucker.png). The test checks that the composition ran without an error box and drew
// something in the header area and along the soil column.
#include "suite/SuiteBuilder.h"

#include "autocad/AcadDocument.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "drawing/Target.h"
#include "pages/Seite11.h"
#include "pages/clsBERECHNEN.h"
#include "platform/Services.h"
#include "log/ProfilRegeln.h"
#include "log/clsPROFIL.h"
#include "Seitenpruefung.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <gtest/gtest.h>

namespace {

// The page window's depth-axis tables.
void tiefentabellen(Seite11& s)
{
    s.ELYMIN.clear();
    for (int v = -100; v <= -30; v += 5) s.ELYMIN.push_back(v);
    for (int v = -29; v <= -20; ++v) s.ELYMIN.push_back(v);
    for (int v = -15; v <= 30; ++v) s.ELYMIN.push_back(v);
    for (int v = 35; v <= 100; v += 5) s.ELYMIN.push_back(v);
    for (int v = 120; v <= 200; v += 20) s.ELYMIN.push_back(v);
    s.ELYDIFF.clear();
    for (int v = 1; v <= 50; ++v) s.ELYDIFF.push_back(v);
    for (int v = 55; v <= 100; v += 5) s.ELYDIFF.push_back(v);
    for (int v = 110; v <= 200; v += 10) s.ELYDIFF.push_back(v);
    for (int v = 220; v <= 300; v += 20) s.ELYDIFF.push_back(v);
    s.ELYIT.assign(s.ELYDIFF.size(), 1);
    s.ELYGIT = s.ELYIT;
}

int dunklePunkte(const QImage& bild, QRect bereich)
{
    int n = 0;
    bereich = bereich.intersected(bild.rect());
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            if (qGray(bild.pixel(x, y)) < 128)
                ++n;
    return n;
}

int punkteDerFarbe(const QImage& bild, QRgb farbe)
{
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            n += (bild.pixel(x, y) & 0xFFFFFF) == (farbe & 0xFFFFFF);
    return n;
}

// The active record's ID.
int32_t aktiveId()
{
    auto rs = db::sharedState().cnnX->openRecordset(QStringLiteral("SELECT ID FROM E1 WHERE AKT = 1"));
    return rs->eof() ? 0 : int32_t(rs->field(0).number());
}

// The composer as the page window sets it up for a new evaluation.
void einrichten(Seite11& seite, int32_t id, drawing::PictureTarget& bild, drawing::ScrollBarState& hsc,
                drawing::ScrollBarState& vsc)
{
    seite.ID = id;
    seite.BONEU = true;
    tiefentabellen(seite);
    seite.bild = &bild;
    seite.xBalken = &hsc;
    seite.yBalken = &vsc;
}

// Page x (mm) at which the last composition wrote the soil column's
// descriptions and remarks: 7.5 mm right of the column's left edge.
float textspalte(Seite11& seite)
{
    for (const auto& [spalte, x] : seite.gezeichneteSpalten())
        if (spalte == seite11::Spalte::PROFIL) {
            float xp = 0, yp = 0;
            seite.maschine()->KOORDTRANS(x + 7.5f, 0, xp, yp);
            return xp;
        }
    return 0;
}

// The page window's composer on a screen picture, for the active record, as
// a new evaluation.
struct Bildschirm
{
    drawing::ScrollBarState hsc, vsc;
    Seite11 seite;

    bool komponieren(drawing::PictureTarget& bild)
    {
        const int32_t id = aktiveId();
        if (id == 0)
            return false;
        bild.ScaleMode(drawing::vbMillimeters);
        einrichten(seite, id, bild, hsc, vsc);
        seite.BILD11(0, 0, 0, nullptr);
        seite.BONEU = false;
        return true;
    }
};

} // namespace

// The first demo borehole in each fill mode, saved as seite11_fuellung0.png
// to seite11_fuellung2.png: no fill, natural colours (its second layer is
// RAL 1011), colours by soil family (that layer is silt).
TEST(Seite11Bild, FillModesOfTheSoilColumn)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());
    auto& cnn = *db::sharedState().cnnX;
    const int32_t id = aktiveId();
    ASSERT_NE(id, 0);
    clsPROFIL::setZufallsstart(1);
    const QRgb natur = qRgb(173, 122, 79), schluff = qRgb(90, 100, 10);
    for (int16_t modus : {0, 1, 2}) {
        cnn.execute(QStringLiteral("UPDATE E12 SET FARBEN = ? WHERE ID = ?"), {vb::Variant(modus), vb::Variant(id)});
        drawing::PictureTarget bild(13608.0f, 16840.0f);
        bild.ScaleMode(drawing::vbMillimeters);
        drawing::ScrollBarState hsc, vsc;
        Seite11 seite;
        einrichten(seite, id, bild, hsc, vsc);
        seite.BILD11(0, 0, 0, nullptr);
        for (const auto& b : dienste.dialogs.messages())
            ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();
        EXPECT_TRUE(bild.save(QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("seite11_fuellung%1.png").arg(modus))));
        EXPECT_EQ(punkteDerFarbe(bild.image(), natur) > 100, modus == 1) << modus;
        EXPECT_EQ(punkteDerFarbe(bild.image(), schluff) > 100, modus == 2) << modus;
    }
    clsPROFIL::setZufallsstart(std::nullopt);
}

TEST(Seite11Bild, DemoBoreholeOnTheScreenPicture)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());

    drawing::PictureTarget bild(13608.0f, 7484.4f);   // 240 x 132 mm, drawn in millimetres
    Bildschirm schirm;
    ASSERT_TRUE(schirm.komponieren(bild));
    Seite11& seite = schirm.seite;

    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();

    const QImage& img = bild.image();
    const QString pfad = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("seite11_bildschirm.png"));
    EXPECT_TRUE(bild.save(pfad)) << pfad.toStdString();
    EXPECT_GT(dunklePunkte(img, QRect(0, 0, img.width(), img.height() / 4)), 200);
    EXPECT_GT(dunklePunkte(img, QRect(0, img.height() / 4, img.width(), img.height())), 500);

    // The same page as the printer lays it out, on an A4 sheet.
    drawing::PictureTarget blatt(11907.0f, 16840.0f, 150.0);
    blatt.ScaleMode(drawing::vbMillimeters);
    seite.drucker = &blatt;
    seite.BILD11(1, -3, 0, nullptr);
    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();
    EXPECT_TRUE(blatt.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("seite11_drucker.png"))));
    EXPECT_GT(dunklePunkte(blatt.image(), blatt.image().rect()), 1000);
}

// KB 1 with every column switched on, on a picture wide enough for the whole
// page (seite11_testspalten.png): every column is drawn without an error box,
// and each leaves ink in its own strip of the page.
TEST(Seite11Bild, DemoBoreholeWithEveryTestColumn)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());
    db::sharedState().cnnX->execute(QStringLiteral(
        "UPDATE E12 SET BVV = 1, VV = 1, PROV = 1, GWV = 1, TPV = 1, STSV = 1, BILDV = 1, PRV = 1, FDV = 1, KVV = 1 "
        "WHERE ID = (SELECT ID FROM E1 WHERE AKT = 1)"));

    drawing::PictureTarget bild(56.7f * 820, 56.7f * 200, 60.0);   // 820 x 200 mm
    Bildschirm schirm;
    ASSERT_TRUE(schirm.komponieren(bild));
    Seite11& seite = schirm.seite;

    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();
    EXPECT_TRUE(bild.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("seite11_testspalten.png"))));
    const auto& spalten = seite.gezeichneteSpalten();
    ASSERT_EQ(spalten.size(), 11u);
    const QImage& img = bild.image();
    const double pxProMm = img.width() / 820.0;
    for (const auto& [spalte, x] : spalten) {
        // From the depth arrow left of the axis to 20 mm right of it, below the header block.
        const QRect streifen(int((x - 10) * pxProMm), img.height() / 4, int(30 * pxProMm), img.height() / 2);
        EXPECT_GT(dunklePunkte(img, streifen), 50) << int(spalte) << " at " << x;
    }
}

namespace {

// The record's page at the scale 1:ma with every column and every text of
// the soil column on, composed on a recording picture large enough for the
// whole page; the texts and lines it received.
seitenpruefung::Seite ganzeSeite(int32_t id, int ma, const char* ohne = nullptr, float* beschreibungX = nullptr)
{
    auto& cnn = *db::sharedState().cnnX;
    cnn.execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {vb::Variant(id)});
    cnn.execute(QStringLiteral("UPDATE E12 SET MA = ?, BZTV = 1, BZSV = 1, BFV = 1, BEMV = 1, BUV = 1, BVV = 1, "
                               "VV = 1, PROV = 1, GWV = 1, TPV = 1, STSV = 1, BILDV = 1, PRV = 1, FDV = 1, KVV = 1 "
                               "WHERE ID = ?"),
                {vb::Variant(int16_t(ma)), vb::Variant(id)});
    if (ohne)
        cnn.execute(QStringLiteral("UPDATE E12 SET %1 = 0 WHERE ID = ?").arg(QLatin1String(ohne)), {vb::Variant(id)});
    drawing::RecordingTarget bild(56.7f * 860, 56.7f * 640);
    Bildschirm schirm;
    if (!schirm.komponieren(bild))
        return {};
    if (beschreibungX)
        *beschreibungX = textspalte(schirm.seite);
    return seitenpruefung::lesen(bild);
}

// The collisions on the record's page (without the column whose switch is
// `ohne`); a page that drew next to nothing counts as one.
QStringList pruefen(int32_t id, int ma, const char* ohne = nullptr)
{
    const seitenpruefung::Seite seite = ganzeSeite(id, ma, ohne);
    if (seite.texte.size() < 30 || seite.linien.size() < 50)
        return {QStringLiteral("only %1 texts and %2 lines").arg(seite.texte.size()).arg(seite.linien.size())};
    return seitenpruefung::kollisionen(seite);
}

} // namespace

// No two texts of a demo page lie on top of each other and no line runs
// through a text, at 1:100 and 1:200.
TEST(Seite11Bild, DemoPagesKeepTheirTextsApart)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    for (const suite::DemoBohrung& b : suite::demoUebersicht())
        for (int ma : {100, 200}) {
            const QStringList k = pruefen(b.id, ma);
            EXPECT_TRUE(k.isEmpty()) << b.ken.toStdString() << " 1:" << ma << "\n"
                                     << k.join(QLatin1Char('\n')).toStdString();
        }
    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();
}

// Rows 0.1 m apart in a side table, at 1:100 and 1:200: groundwater levels
// each with its date and triangle, samples each with designation, class and
// the marker of a disturbed or special sample (the grain-size column, which
// draws the samples at their depths, is off). Every row's texts keep clear of
// the row before.
TEST(Seite11Bild, CloseRowsKeepTheirTextsApart)
{
    struct Fall
    {
        const char* tabelle;
        const char* einfuegen;
        std::function<db::Params(int)> werte;
        const char* ohne;
    };
    const Fall faelle[] = {
        {"E3", "INSERT INTO E3 (ID, I1, GTYP, TGW, GWDATUM) VALUES (1, ?, ?, ?, ?)",
         [](int i) {
             return db::Params{vb::Variant(int16_t(i)), vb::Variant(int16_t(1 + i % 2)),
                               vb::Variant(2.0f + 0.1f * float(i)),
                               vb::Variant(QStringLiteral("2026-03-%1").arg(10 + i))};
         },
         nullptr},
        {"E4", "INSERT INTO E4 (ID, I1, GUETE, TUKP, BEZ, ENTVERF) VALUES (1, ?, ?, ?, ?, ?)",
         [](int i) {
             return db::Params{vb::Variant(int16_t(i)), vb::Variant(QString::number(1 + i % 3)),
                               vb::Variant(0.5f + 0.1f * float(i)), vb::Variant(QStringLiteral("GP %1").arg(i + 1)),
                               vb::Variant(int16_t(i % 2))};
         },
         "KVV"},
    };
    for (const Fall& f : faelle) {
        vb::TestServices dienste;
        suite::Testumgebung umgebung;
        auto& cnn = *db::sharedState().cnnX;
        cnn.execute(QStringLiteral("DELETE FROM %1 WHERE ID = 1").arg(QLatin1String(f.tabelle)));
        for (int i = 0; i < 6; ++i)
            cnn.execute(QString::fromLatin1(f.einfuegen), f.werte(i));
        for (int ma : {100, 200}) {
            const QStringList k = pruefen(1, ma, f.ohne);
            EXPECT_TRUE(k.isEmpty()) << f.tabelle << " 1:" << ma << "\n" << k.join(QLatin1Char('\n')).toStdString();
        }
    }
}

namespace {

// What a CAD drawing received as texts: each multiline text as a box from
// its insertion point (top left: the log anchors its texts there), as wide
// as its characters at the text height and as high as that.
seitenpruefung::Seite cadTexte(const acad::Document& doc)
{
    seitenpruefung::Seite s;
    const acad::Space& ms = doc.ModelSpace();
    for (int i = 0; i < ms.Count(); ++i) {
        const acad::Entity& e = *ms.Item(i);
        if (e.kind() != acad::Entity::Kind::MText)
            continue;
        const double x = e.InsertionPoint().x, y = e.InsertionPoint().y, h = e.Height();
        s.texte.push_back({e.TextString(), x, y, x + h * double(e.TextString().size()), y + h});
    }
    return s;
}

// The remarks of the active record's layers that are not empty.
QStringList bemerkungen(int32_t id)
{
    QStringList r;
    auto rs = db::sharedState().cnnX->openRecordset(
        QStringLiteral("SELECT BEMS FROM E2 WHERE ID = ? AND BEMS <> '' ORDER BY I1"), {vb::Variant(id)});
    for (; !rs->eof(); rs->moveNext())
        r << rs->field(0).text();
    return r;
}

// Each remark whole or not at all on one target's page; the lines of the
// remarks found whole.
std::map<QString, QStringList> ganzOderGarNicht(const seitenpruefung::Seite& seite, float textX,
                                                const QStringList& texte, const char* ziel)
{
    std::map<QString, QStringList> ganz;
    for (const QString& t : texte) {
        const seitenpruefung::Mehrzeilig m = seitenpruefung::mehrzeilig(seite, t, textX);
        QStringList zeilen;
        for (const seitenpruefung::Kasten& k : m.kaesten)
            zeilen << k.text;
        EXPECT_TRUE(m.zeilen == 0 || m.ganz)
            << ziel << ": " << m.zeilen << " line(s) of the remark \"" << t.toStdString() << "\" stand alone: "
            << zeilen.join(QLatin1Char('|')).toStdString();
        if (m.ganz)
            ganz[t] = zeilen;
    }
    return ganz;
}

} // namespace

// KB 1 as Neuberechnen leaves it (every column on) and in two more layouts:
// composed on the screen's picture, printed on an A4 sheet and drawn into a
// clipped CAD drawing, each layer's remark is on the page with all its lines
// or not at all; where the frame ends, no line of it stands alone to read as
// the layer's whole remark. A remark found whole on several targets is broken
// at the same places on each.
TEST(Seite11Bild, EachRemarkIsOnEveryTargetWholeOrNotAtAll)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());
    const int32_t id = aktiveId();
    ASSERT_NE(id, 0);
    const QStringList texte = bemerkungen(id);
    ASSERT_GE(texte.size(), 5);
    ASSERT_TRUE(std::any_of(texte.begin(), texte.end(), [](const QString& t) { return t.size() > 200; }));

    // Every column on; the side columns off; and at 1:50, where the soil
    // column reaches below the frame on every target.
    const char* const varianten[] = {"", "BVV = 0, VV = 0, GWV = 0, PROV = 0", "MA = 50"};
    int ganzGefunden = 0;
    bool mehrereZeilen = false;
    for (const char* v : varianten) {
        SCOPED_TRACE(*v ? v : "every column");
        ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());
        if (*v)
            db::sharedState().cnnX->execute(QStringLiteral("UPDATE E12 SET %1 WHERE ID = ?").arg(QLatin1String(v)),
                                            {vb::Variant(id)});
        drawing::RecordingTarget bild(13608.0f, 7484.4f);   // the page window's picture, 240 x 132 mm
        Bildschirm schirm;
        ASSERT_TRUE(schirm.komponieren(bild));
        Seite11& seite = schirm.seite;
        const float xSchirm = textspalte(seite);

        drawing::RecordingTarget blatt(11907.0f, 16840.0f);   // A4
        blatt.ScaleMode(drawing::vbMillimeters);
        seite.drucker = &blatt;
        seite.BILD11(1, -3, 0, nullptr);
        const float xDruck = textspalte(seite);

        acad::Document zeichnung;
        seite.acadGrenzen = true;
        seite.BILD11(2, 0, 0, &zeichnung);
        const float xCad = textspalte(seite);
        for (const auto& b : dienste.dialogs.messages())
            ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();

        const auto amSchirm = ganzOderGarNicht(seitenpruefung::lesen(bild), xSchirm, texte, "screen");
        const auto gedruckt = ganzOderGarNicht(seitenpruefung::lesen(blatt), xDruck, texte, "printer");
        const auto cad = ganzOderGarNicht(cadTexte(zeichnung), xCad, texte, "CAD");
        for (const auto* ziel : {&amSchirm, &gedruckt, &cad})
            for (const auto& [t, zeilen] : *ziel) {
                ++ganzGefunden;
                mehrereZeilen = mehrereZeilen || zeilen.size() > 1;
                for (const auto* anderes : {&amSchirm, &gedruckt, &cad}) {
                    if (anderes->count(t)) {
                        EXPECT_EQ(anderes->at(t), zeilen) << t.toStdString();
                    }
                }
            }
    }
    // The check found remarks to check, the long one among them on several lines.
    EXPECT_GT(ganzGefunden, 10);
    EXPECT_TRUE(mehrereZeilen);
}

namespace {

// Layer descriptions as the soil column writes them for a layer with only a
// main constituent.
const char* const kBoeden[] = {"fS", "mG", "bU", "T", "mS", "gG"};

// Record 1 of the demo project with six layers 1 m thick, each with a long
// remark, and no rows in any table but the layers'; the side columns off,
// every test column on. With `ansatz` the standard penetrometer has one test.
void langeBemerkungen(bool ansatz)
{
    auto& cnn = *db::sharedState().cnnX;
    for (const char* t : {"E2", "E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11"})
        cnn.execute(QStringLiteral("DELETE FROM %1 WHERE ID = 1").arg(QLatin1String(t)));
    for (int i = 0; i < 6; ++i)
        cnn.execute(QStringLiteral("INSERT INTO E2 (ID, I1, TUKS, HPTB1, BEMS, BS) VALUES (1, ?, ?, ?, ?, 0)"),
                    {vb::Variant(int16_t(i)), vb::Variant(float(i + 1)), vb::Variant(QString::fromLatin1(kBoeden[i])),
                     vb::Variant(QStringLiteral("Wechsellagerung aus Feinsand und Schluff, einzelne Kieslagen bis "
                                                "2 cm, Kernverlust %1,1 m, Wasserzutritt bei %1,5 m, Probe entnommen")
                                     .arg(i))});
    if (ansatz)
        cnn.execute(QStringLiteral("INSERT INTO E6 (ID, I1, STYP, VTS, N15, N30) VALUES (1, 0, 0, 2.5, 10, 20)"));
    cnn.execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 1)"));
    ASSERT_TRUE(clsBERECHNEN().BERECHNUNG());
    cnn.execute(QStringLiteral("UPDATE E12 SET BVV = 0, VV = 0, GWV = 0, PROV = 0 WHERE ID = 1"));
}

// The active record composed on the screen's picture and printed on an A4
// sheet: the texts and lines the sheet received, and the x of the soil
// column's texts on it.
struct Druck
{
    seitenpruefung::Seite seite;
    float textX = 0;
};
Druck aufA4()
{
    drawing::RecordingTarget blatt(11907.0f, 16840.0f);   // A4
    blatt.ScaleMode(drawing::vbMillimeters);
    drawing::RecordingTarget bild(13608.0f, 7484.4f);
    Bildschirm schirm;
    schirm.komponieren(bild);
    schirm.seite.drucker = &blatt;
    schirm.seite.BILD11(1, -3, 0, nullptr);
    return {seitenpruefung::lesen(blatt), textspalte(schirm.seite)};
}

} // namespace

// With the side columns off and nothing drawn right of the soil column, the
// remarks take the room up to the printed frame: they break wider than the
// least room of 36 mm (and stay inside the frame, whole), so their text blocks
// are shorter and every description after the first stands nearer its layer
// than when a test column beside the soil column leaves only the least room.
TEST(Seite11Bild, RemarksTakeTheFreeRoomRightOfTheSoilColumn)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    auto drucken = [&](bool ansatz) {
        langeBemerkungen(ansatz);
        return aufA4();
    };
    const Druck frei = drucken(false);
    const Druck eng = drucken(true);
    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();

    const QStringList texte = bemerkungen(1);
    ASSERT_EQ(texte.size(), 6);
    const double rahmen = 12 + 175 - 7;   // the frame's right edge on the sheet
    for (const QString& t : texte) {
        const seitenpruefung::Mehrzeilig breit = seitenpruefung::mehrzeilig(frei.seite, t, frei.textX);
        const seitenpruefung::Mehrzeilig schmal = seitenpruefung::mehrzeilig(eng.seite, t, eng.textX);
        EXPECT_TRUE(breit.ganz) << t.toStdString();
        EXPECT_TRUE(schmal.ganz) << t.toStdString();
        double breiteste = 0;
        for (const seitenpruefung::Kasten& k : breit.kaesten) {
            breiteste = std::max(breiteste, k.rechts - k.links);
            EXPECT_LE(k.rechts, rahmen) << k.text.toStdString();
            EXPECT_NEAR(k.links, frei.textX, 0.01) << k.text.toStdString();
        }
        EXPECT_GT(breiteste, 36 + 10) << t.toStdString();
        for (const seitenpruefung::Kasten& k : schmal.kaesten)
            EXPECT_LE(k.rechts - k.links, 36.01) << k.text.toStdString();
        EXPECT_LT(breit.zeilen, schmal.zeilen) << t.toStdString();
    }

    // The descriptions' first lines, top down: the first stands where it
    // stood, every later one higher, nearer its layer.
    auto oben = [](const Druck& d, const char* text) -> double {
        for (const seitenpruefung::Kasten& k : d.seite.texte)
            if (k.text == QLatin1String(text) && std::abs(k.links - d.textX) < 0.01)
                return k.oben;
        ADD_FAILURE() << "no description " << text;
        return 0;
    };
    EXPECT_NEAR(oben(frei, kBoeden[0]), oben(eng, kBoeden[0]), 1e-3);
    for (size_t i = 1; i < std::size(kBoeden); ++i)
        EXPECT_LT(oben(frei, kBoeden[i]), oben(eng, kBoeden[i]) - 1) << kBoeden[i];
}

// A layer's description stands clear of the leader that runs along the top
// of its text block (the previous layer's leader, the ground line's stroke
// for the first layer): at least a quarter of a line height below it, on every
// demo page. Touching alone would pass the collision check.
TEST(Seite11Bild, DescriptionsKeepClearOfTheLeaderAbove)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    const double h = 7 * 0.4;   // one line at 7 points, mm
    int gemessen = 0;
    for (const suite::DemoBohrung& b : suite::demoUebersicht())
        for (int ma : {100, 200}) {
            float textX = 0;
            const seitenpruefung::Seite seite = ganzeSeite(b.id, ma, nullptr, &textX);
            for (const seitenpruefung::Kasten& k : seite.texte) {
                if (std::abs(k.links - textX) > 0.01)
                    continue;
                const std::optional<double> abstand = seitenpruefung::abstandNachOben(seite, k, h);
                if (!abstand)
                    continue;
                ++gemessen;
                EXPECT_GE(*abstand, 0.25 * h) << b.ken.toStdString() << " 1:" << ma << " " << k.text.toStdString();
            }
        }
    EXPECT_GT(gemessen, 20);
    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();
}

// A remark the sheet cannot hold whole is left out, and with it the room its
// lines would take: its layer keeps the one line a remark takes, so the
// layers below stand where they stand beside a remark of one line, on the
// sheet, instead of being pushed below its lower edge by lines never drawn.
TEST(Seite11Bild, ARemarkLeftOutPushesTheLayersBelowNoFurther)
{
    vb::TestServices dienste;
    suite::Testumgebung umgebung;
    auto drucken = [&](const QString& ersteBemerkung) {
        langeBemerkungen(false);
        auto& cnn = *db::sharedState().cnnX;
        cnn.execute(QStringLiteral("UPDATE E2 SET BEMS = '' WHERE ID = 1"));
        cnn.execute(QStringLiteral("UPDATE E2 SET BEMS = ? WHERE ID = 1 AND I1 = 0"), {vb::Variant(ersteBemerkung)});
        return aufA4();
    };
    // A code of 10,000 characters without a blank: far more lines than the sheet holds.
    QString code;
    for (int k = 0; code.size() < 10000; ++k)
        code += QStringLiteral("KB12-%1/").arg(k, 4, 10, QLatin1Char('0'));
    code.truncate(10000);
    const auto [lang, langX] = drucken(code);
    const auto [kurz, kurzX] = drucken(QStringLiteral("Probe entnommen"));
    for (const auto& b : dienste.dialogs.messages())
        ADD_FAILURE() << b.title.toStdString() << ": " << b.text.toStdString();

    EXPECT_EQ(seitenpruefung::mehrzeilig(lang, code, langX).zeilen, 0);
    EXPECT_EQ(seitenpruefung::mehrzeilig(kurz, QStringLiteral("Probe entnommen"), kurzX).zeilen, 1);
    auto oben = [](const seitenpruefung::Seite& seite, float x, const char* text) -> std::optional<double> {
        for (const seitenpruefung::Kasten& k : seite.texte)
            if (k.text == QLatin1String(text) && std::abs(k.links - x) < 0.01)
                return k.oben;
        return std::nullopt;
    };
    for (const char* boden : kBoeden) {
        const std::optional<double> beiLang = oben(lang, langX, boden);
        const std::optional<double> beiKurz = oben(kurz, kurzX, boden);
        ASSERT_TRUE(beiKurz) << boden;
        ASSERT_TRUE(beiLang) << boden << " is not on the sheet";
        EXPECT_NEAR(*beiLang, *beiKurz, 1e-3) << boden;
    }
}
