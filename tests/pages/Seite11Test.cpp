// The page composer through the recording engine: layout, allowances, scale,
// view-record reset, progress and the guard against nested compositions.
#include "../log/Projektfixture.h"
#include "../log/Protokoll.h"

#include "drawing/Target.h"
#include "log/clsPROFIL.h"
#include "pages/Seite11.h"
#include "pages/clsBERECHNEN.h"

#include <cmath>
#include <sqlite3.h>

namespace {

using seite11::Spalte;
const db::Params keyed{vb::Variant(Projektfixture::ID)};

// The CAD engine's own member on top of the recording engine, so that it can
// stand in for the CAD engine too.
struct CadAufzeichner : drawing::RecordingEngine
{
    bool grenzen = false;
    bool EBOGRENZEN() const override { return grenzen; }
    void EBOGRENZEN(bool v) override { grenzen = v; }
};

drawing::NumberList bereich(int von, int bis, int schritt)
{
    drawing::NumberList l;
    for (int v = von; v <= bis; v += schritt)
        l.push_back(v);
    return l;
}

struct Komposition : Projektfixture
{
    drawing::PictureTarget bild{13608.0f, 7484.4f};
    std::shared_ptr<drawing::RecordingEngine> rec;
    Seite11 seite;
    int maschinen = 0;
    std::vector<int> fortschritte;

    Komposition()
    {
        schicht(0, 0.4f, "Mu", "", "", "", "", "", "Auffüllung");
        schicht(1, 2.3f, "G", "S", "u'", "ka", "md", "keine Angabe", "", 1);
        schicht(2, 6.5f, "b'T", "", "s'", "", "st", "", "", 3);
        sql("INSERT INTO A1 (ID, BONEU) VALUES (?, 1)", keyed);
        clsBERECHNEN().BERECHNUNG();
        seite.ID = ID;
        seite.BONEU = true;
        seite.ELYMIN = bereich(-100, 100, 5);
        seite.ELYDIFF = bereich(1, 50, 1);
        seite.ELYIT = drawing::NumberList(seite.ELYDIFF.size(), 1);
        seite.ELYGIT = seite.ELYIT;
        seite.bild = &bild;
        seite.maschinenFabrik = [this](int16_t modus) {
            ++maschinen;
            rec = modus == seite11::AUTOCAD ? std::make_shared<CadAufzeichner>()
                                            : std::make_shared<drawing::RecordingEngine>();
            return rec;
        };
        db::sharedState().fortschrittHook = [this](int w) { fortschritte.push_back(w); };
    }
    void setze(const char* spalte, int wert)
    {
        cnn->execute(QStringLiteral("UPDATE E12 SET %1 = ? WHERE ID = ?").arg(QLatin1String(spalte)),
                     {vb::Variant(wert), vb::Variant(ID)});
    }
    float g0(const char* spalte)
    {
        return float(wert(QStringLiteral("SELECT %1 FROM G0 WHERE ID = ? AND IDOBJEKT = 11").arg(QLatin1String(spalte)),
                          keyed).number());
    }
    std::vector<float> xs() const
    {
        std::vector<float> r;
        for (const auto& [s, x] : seite.gezeichneteSpalten())
            r.push_back(x);
        return r;
    }
    Aufruf skalen() const
    {
        const auto s = alle(*rec, QStringLiteral("SKALEN"));
        return s.empty() ? Aufruf{} : s.front();
    }
};

} // namespace

TEST(Seite11, WorkedLayoutOnScreenAndPrinter)
{
    struct Fall { int16_t modus; std::vector<float> x; float ausdehnung; };
    const Fall faelle[] = {
        {0, {20, 62, 104, 146, 183, 267, 351, 435, 519, 603, 729}, 839},
        {1, {20, 50, 80, 110, 140, 200, 260, 320, 380, 440, 530}, 605},
    };
    for (const Fall& f : faelle) {
        Komposition k;
        k.seite.drucker = &k.bild;
        k.seite.BILD11(f.modus, f.modus == 1 ? -3.0f : 0.0f, 0, nullptr);
        EXPECT_EQ(k.xs(), f.x) << f.modus;
        EXPECT_FLOAT_EQ(k.seite.xBereich()[1], f.ausdehnung);
        const Aufruf s = k.skalen();
        ASSERT_EQ(s.z.size(), 5u);
        EXPECT_EQ(s.z[0], -1);
        EXPECT_FLOAT_EQ(s.z[2], f.ausdehnung);
        EXPECT_EQ(k.rec->EOBJEKT(), &k.bild);
        if (f.modus == 1) {
            EXPECT_FLOAT_EQ(k.rec->EXDL(), 12);   // the picture's 15 mm less 3
            EXPECT_FLOAT_EQ(k.rec->EYDO(), 30);
            EXPECT_FLOAT_EQ(k.rec->ELX(), 175);
            EXPECT_FLOAT_EQ(k.rec->ELY(), 230);
        }
        // The soil column stands where the layout puts it.
        const auto tiefe = text(*k.rec, QStringLiteral("2,30"));
        ASSERT_TRUE(tiefe) << texte(*k.rec).join('|').toStdString();
        EXPECT_FLOAT_EQ(tiefe->z[0], f.x[4] - 2.5f);
        EXPECT_TRUE(k.dienste.dialogs.messages().empty());
    }
}

TEST(Seite11, CadModeTakesThePictureAreaAndTheClipFlag)
{
    Komposition k;
    k.seite.acadGrenzen = true;
    drawing::RecordingTarget dokument;
    k.seite.BILD11(2, 0, 0, &dokument);
    EXPECT_TRUE(k.rec->EBOGRENZEN());
    EXPECT_EQ(k.rec->EOBJEKT(), &dokument);
    EXPECT_NEAR(k.rec->ELX(), 240, 1e-3);
    EXPECT_NEAR(k.rec->ELY(), 132, 1e-3);
    EXPECT_TRUE(k.seite.profil()->EBOACAD());
    EXPECT_FLOAT_EQ(k.xs()[4], 188);   // no screen shift
}

TEST(Seite11, HeaderBlockSwitchSetsTheTopAllowance)
{
    struct Fall { int bztv; float oben; bool kopf; };
    const Fall faelle[] = {{1, -2.7f, true}, {0, -0.5f, false}};
    for (const Fall& f : faelle) {
        Komposition k;
        k.setze("BZTV", f.bztv);
        k.sql("INSERT INTO G0 (ID, IDOBJEKT, YMIN) VALUES (?, 11, -9)", keyed);
        k.seite.BONEU = false;
        k.seite.BILD11(0, 0, 0, nullptr);
        EXPECT_FLOAT_EQ(k.seite.yBereich()[0], f.oben) << f.bztv;
        EXPECT_FLOAT_EQ(k.seite.yBereich()[1], 6.5f + 2.0f);
        EXPECT_EQ(bool(text(*k.rec, QStringLiteral("Maßstab 1: 100"))), f.kopf);
        EXPECT_FLOAT_EQ(k.g0("YMIN"), f.kopf ? -9.0f : 0.0f);
    }
}

TEST(Seite11, ScaleWrittenIntoTheViewRecord)
{
    struct Fall { int ma; float my; float oben; float unten; };
    const Fall faelle[] = {
        {100, 0.1f, -2.7f, 8.5f},
        {200, 0.2f, -5.4f, 10.5f},
        {0, 0.0f, -27 * 0.075f, 6.5f + 20 * 0.075f},   // no scale: the engine fits MY, allowances at 1:75
    };
    for (const Fall& f : faelle) {
        Komposition k;
        k.setze("MA", f.ma);
        k.seite.BILD11(0, 0, 0, nullptr);
        EXPECT_FLOAT_EQ(k.g0("MY"), f.my) << f.ma;
        EXPECT_FLOAT_EQ(k.seite.yBereich()[0], f.oben) << f.ma;
        EXPECT_FLOAT_EQ(k.seite.yBereich()[1], f.unten) << f.ma;
    }
}

TEST(Seite11, SwitchHoldingTwoCountsButIsNotDrawn)
{
    Komposition k;
    for (const char* s : {"BVV", "GWV", "PROV", "STSV", "TPV", "KVV", "BILDV", "FDV", "PRV"})
        k.setze(s, 0);
    k.setze("VV", 2);
    k.seite.BILD11(0, 0, 0, nullptr);
    EXPECT_FLOAT_EQ(k.seite.xBereich()[1], 20 + 42 * (2 + 2));
    ASSERT_EQ(k.seite.gezeichneteSpalten().size(), 1u);
    EXPECT_EQ(k.seite.gezeichneteSpalten()[0].first, Spalte::PROFIL);
    EXPECT_FLOAT_EQ(k.seite.gezeichneteSpalten()[0].second, 15);
}

TEST(Seite11, NewEvaluationResetsTheViewRecord)
{
    for (bool neu : {true, false}) {
        Komposition k;
        k.sql("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX) "
              "VALUES (?, 11, 0, 1, 9, 9, 9, 9, 3, 900, -3, 42, 2, 0.5, 1)", keyed);
        k.seite.BONEU = neu;
        k.seite.BILD11(0, 0, 0, nullptr);
        EXPECT_EQ(k.rec->EBOYMAX(), neu);
        EXPECT_TRUE(k.rec->EBOYMIN());
        EXPECT_FALSE(k.rec->EBOXMIN());
        EXPECT_TRUE(k.rec->EBOXMAX());
        EXPECT_EQ(k.anzahl(QStringLiteral("SELECT COUNT(*) FROM G0 WHERE ID = ?"), keyed), 1);
        EXPECT_FLOAT_EQ(k.g0("MY"), 0.1f);   // written on every composition
        if (neu) {
            EXPECT_EQ(k.g0("OX"), 1);
            EXPECT_EQ(k.g0("OY"), -1);
            EXPECT_EQ(k.g0("RL"), 5);
            EXPECT_EQ(k.g0("RR"), 7);
            EXPECT_EQ(k.g0("YMAX"), 0);
            EXPECT_EQ(k.g0("MX"), 1);
            EXPECT_EQ(k.g0("MYMX"), 0);
        } else {
            EXPECT_EQ(k.g0("OY"), 1);
            EXPECT_EQ(k.g0("YMAX"), 42);
            EXPECT_EQ(k.g0("MX"), 2);
        }
        // The engine and the painter are set up for picture 11 of the record.
        EXPECT_EQ(k.rec->EID(), Projektfixture::ID);
        EXPECT_EQ(k.rec->EIDOBJEKT(), 11);
        EXPECT_EQ(k.rec->ELXMIN()->size(), 25u);
        EXPECT_EQ(k.rec->ELXDIFF()->size(), 24u);
        EXPECT_EQ(*k.rec->ELXIT(), *k.rec->ELXDIFF());
        EXPECT_EQ(k.rec->ELYMIN(), k.seite.ELYMIN);
    }
}

// The painter reads the view record the composer has written earlier in the
// same composition, and the composition leaves no transaction open.
TEST(Seite11, PainterReadsTheViewRecordWrittenInTheSameComposition)
{
    Komposition k;
    k.sql("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX) "
          "VALUES (?, 11, 0, 1, 9, 9, 9, 9, 3, 900, -3, 42, 2, 0.5, 1)", keyed);
    k.setze("MA", 200);
    for (bool neu : {false, true}) {
        k.seite.BONEU = neu;
        k.seite.BILD11(0, 0, 0, nullptr);
        const auto p = k.seite.profil();
        ASSERT_TRUE(p);
        EXPECT_FLOAT_EQ(p->MY(), 0.2f) << neu;
        EXPECT_EQ(p->OY(), neu ? -1 : 1);
        EXPECT_FLOAT_EQ(p->MX(), neu ? 1.0f : 2.0f);
        EXPECT_FALSE(k.cnn->inTransaction());
        EXPECT_FLOAT_EQ(k.g0("MY"), 0.2f);
    }
    EXPECT_TRUE(k.dienste.dialogs.messages().empty());
}

// When the view record cannot be stored at the end (another program keeps
// the file), the accessor reports the scale it could not store; the page is
// drawn all the same and the next composition stores it.
TEST(Seite11, ViewRecordThatCannotBeStoredIsReported)
{
    Komposition k;
    sqlite3_busy_timeout(k.cnn->handle(), 20);
    auto fremd = db::Connection::open(k.cnn->path());
    fremd->execute(QStringLiteral("BEGIN"));
    fremd->openRecordset(QStringLiteral("SELECT COUNT(*) FROM E1"));
    k.seite.BILD11(0, 0, 0, nullptr);
    fremd->execute(QStringLiteral("ROLLBACK"));
    const auto& boxen = k.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(boxen[0].text, QStringLiteral("Wert 0,1 kann nicht in die Spalte MY der Tabelle G0 gespeichert werden!"));
    EXPECT_TRUE(text(*k.rec, QStringLiteral("2,30")));
    EXPECT_FALSE(k.cnn->inTransaction());
    EXPECT_EQ(k.anzahl(QStringLiteral("SELECT COUNT(*) FROM G0 WHERE ID = ?"), keyed), 0);
    k.seite.BILD11(0, 0, 0, nullptr);
    EXPECT_FLOAT_EQ(k.g0("MY"), 0.1f);
}

TEST(Seite11, PainterSetUpFromTheRecord)
{
    Komposition k;
    k.setze("TAV", 0);
    k.sql("UPDATE E1 SET OPTH = 1");
    k.seite.BILD11(0, 0, 0, nullptr);
    const auto p = k.seite.profil();
    ASSERT_TRUE(p);
    EXPECT_FLOAT_EQ(p->EH(), 312.5f);
    EXPECT_FLOAT_EQ(p->EROK(), 0.4f);
    EXPECT_TRUE(p->EOPTH());
    EXPECT_FALSE(p->ETAV());
    EXPECT_EQ(p->ELBUListe(), (QStringList{"Dr. Huber", "", "Ing. Maier", ""}));
    EXPECT_TRUE(text(*k.rec, QStringLiteral("NN")));
    EXPECT_TRUE(text(*k.rec, QStringLiteral("310,20")));   // 312.5 - 2.3
    EXPECT_TRUE(text(*k.rec, QStringLiteral("(G, S, u', md) 1")));
    EXPECT_TRUE(text(*k.rec, QStringLiteral("3: Ing. Maier")));
    EXPECT_EQ(k.seite.letzteSchicht(), 2);
}

TEST(Seite11, ProgressValues)
{
    Komposition k;
    k.fortschritte.clear();
    k.seite.BILD11(0, 0, 0, nullptr);
    EXPECT_EQ(k.fortschritte, (std::vector<int>{25, 35, 40, 44, 48, 52, 56, 60, 70, 74, 78, 82, 84, 88, 92}));
}

TEST(Seite11, RecordWithoutOptionsDrawsTheSoilColumnOnly)
{
    Komposition k;
    k.sql("DELETE FROM E12");
    k.seite.BILD11(0, 0, 0, nullptr);
    ASSERT_EQ(k.seite.gezeichneteSpalten().size(), 1u);
    EXPECT_FLOAT_EQ(k.seite.xBereich()[1], 20 + 84);
    EXPECT_FLOAT_EQ(k.seite.yBereich()[0], -5 * 0.075f);
    EXPECT_FALSE(text(*k.rec, QStringLiteral("Maßstab 1: 100")));
    EXPECT_TRUE(k.dienste.dialogs.messages().empty());
}

// A request that arrives while a composition runs (the accessor's writes let
// events through) is not nested: it runs once afterwards.
TEST(Seite11, RequestDuringACompositionRunsOnceAfterIt)
{
    Komposition k;
    int tiefe = 0, hoechste = 0;
    auto fabrik = k.seite.maschinenFabrik;
    k.seite.maschinenFabrik = [&](int16_t modus) {
        ++tiefe;
        hoechste = std::max(hoechste, tiefe);
        if (k.maschinen == 0) {
            // two events while the first composition is under way
            k.seite.BILD11(0, 0, 0, nullptr);
            k.seite.BILD11(0, 0, 0, nullptr);
        }
        auto m = fabrik(modus);
        --tiefe;
        return m;
    };
    k.seite.BILD11(0, 0, 0, nullptr);
    EXPECT_EQ(k.maschinen, 2);
    EXPECT_EQ(hoechste, 1);
    EXPECT_FALSE(k.seite.laeuft());
    EXPECT_EQ(k.xs().size(), 11u);
}

// When no CAD engine can be made the CAD pass reports "cannot create object"
// in the composer's own box and draws nothing.
TEST(Seite11, CadModeWithoutEngineReportsAndStops)
{
    Komposition k;
    k.seite.maschinenFabrik = [](int16_t) { return std::shared_ptr<drawing::DrawingInterface>(); };
    drawing::RecordingTarget dokument;
    k.seite.BILD11(2, 0, 0, &dokument);
    const auto boxen = k.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("Bild 11"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 429\n"))) << boxen[0].text.toStdString();
    EXPECT_TRUE(k.seite.gezeichneteSpalten().empty());
    EXPECT_TRUE(dokument.lines().isEmpty());
}

// An engine without the CAD clip member raises in the target step; Cancel in
// the composer's box ends the composition there: no progress, no frame, no
// columns.
TEST(Seite11, CancelInTheTargetStepEndsTheComposition)
{
    Komposition k;
    k.seite.maschinenFabrik = [&](int16_t) {
        k.rec = std::make_shared<drawing::RecordingEngine>();
        return k.rec;
    };
    k.fortschritte.clear();
    k.dienste.dialogs.answerMessage(vb::vbCancel);
    drawing::RecordingTarget dokument;
    k.seite.BILD11(2, 0, 0, &dokument);
    const auto boxen = k.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("Bild 11"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 438\n"))) << boxen[0].text.toStdString();
    EXPECT_TRUE(k.fortschritte.empty());
    EXPECT_TRUE(alle(*k.rec, QStringLiteral("SKALEN")).empty());
    EXPECT_TRUE(k.seite.gezeichneteSpalten().empty());
}

// A record with a row in every test table: the composition draws every column
// with its heading 12 mm left of the column's place, on the screen and on the
// CAD engine, without an error box and with finite coordinates only.
TEST(Seite11, EveryTestColumnInOneComposition)
{
    const std::pair<const char*, const char*> koepfe[] = {
        {"Bohrverfahren", "INSERT INTO E8 (ID, I1, VTB, VERF, DBL) VALUES (?, 0, 2.3, 'Greiferbohrung', 300)"},
        {"Verrohrung", "INSERT INTO E7 (ID, I1, VTV, VTYP, MAT, DPR) VALUES (?, 0, 2.0, 'Bohrrohr', 'Stahl', 178)"},
        {"GW", "INSERT INTO E3 (ID, I1, GTYP, TGW, GWDATUM) VALUES (?, 0, 1, 1.2, '2026-03-12')"},
        {"Proben", "INSERT INTO E4 (ID, I1, GUETE, TUKP, BEZ, ENTVERF, PF, PS, PG, D04) "
                   "VALUES (?, 0, '2', 1.5, 'SP 1', 1, 20, 70, 10, 30)"},
        {"Standardsonde", "INSERT INTO E6 (ID, I1, STYP, VTS, N15, N30) VALUES (?, 0, 0, 3.0, 9, 27)"},
        {"Taschenpenetrometer", "INSERT INTO E5 (ID, I1, VTT, MX, SX) VALUES (?, 0, 1.0, 130, 12)"},
        {"Kornverteilung", nullptr},
        {"Bildsamkeit", "INSERT INTO E9 (ID, I1, VTBI, W, WP, WL) VALUES (?, 0, 2.0, 24, 38, 21)"},
        {"Flachdilatometer", "INSERT INTO E11 (ID, I1, VTF, IND, KD, ED) VALUES (?, 0, 4.0, 2.3, 0.47, 7350)"},
        {"Pressiometer", "INSERT INTO E10 (ID, I1, VTP, EP, PL) VALUES (?, 0, 5.0, 85, 23.4)"},
    };
    for (const int16_t modus : {int16_t(0), int16_t(2)}) {
        Komposition k;
        for (const auto& [kopf, einfuegen] : koepfe)
            if (einfuegen)
                k.sql(einfuegen, keyed);
        for (const char* s : {"BVV", "VV", "PROV", "GWV", "TPV", "STSV", "BILDV", "PRV", "FDV", "KVV"})
            k.setze(s, 1);
        drawing::RecordingTarget dokument;
        k.seite.BILD11(modus, 0, 0, modus == 2 ? &dokument : nullptr);
        for (const auto& b : k.dienste.dialogs.messages())
            ADD_FAILURE() << modus << " " << b.title.toStdString() << ": " << b.text.toStdString();

        std::vector<float> x;
        for (const auto& [s, xs] : k.seite.gezeichneteSpalten())
            if (s != Spalte::PROFIL)
                x.push_back(xs);
        ASSERT_EQ(x.size(), std::size(koepfe));
        for (size_t i = 0; i < x.size(); ++i) {
            const auto t = text(*k.rec, QString::fromUtf8(koepfe[i].first));
            ASSERT_TRUE(t) << koepfe[i].first;
            EXPECT_FLOAT_EQ(t->z[0], x[i] - 12) << koepfe[i].first;
        }
        for (const Aufruf& a : aufrufe(*k.rec))
            for (float z : a.z)
                ASSERT_TRUE(std::isfinite(z)) << a.name.toStdString();
        // The grain-size bars in the CAD engine's width class for 0.30 mm.
        EXPECT_EQ(k.rec->calls().contains(QStringLiteral("LINIENEINSTELLUNGEN 0 2 255")), modus == 2);
    }
}

// The input window stores one row with every value Null for each grid the user
// never touched. Such rows draw nothing: the page with them is the page
// without them, on the screen, on paper and in CAD; a row that holds a single
// value is still drawn.
TEST(Seite11, RowsThatHoldNothingDrawNothing)
{
    const char* tabellen[] = {"E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11"};
    struct Fall { const char* name; bool schichten; bool leereSchicht; };
    const Fall faelle[] = {
        {"layers and untouched test grids", true, false},
        {"every grid untouched", false, true},
    };
    auto zeichnen = [&](const Fall& f, int16_t modus, bool leereZeilen, const char* zusatz = nullptr) {
        Komposition k;
        if (!f.schichten)
            k.sql("DELETE FROM E2");
        if (leereZeilen) {
            for (const char* t : tabellen)
                k.cnn->execute(QStringLiteral("INSERT INTO %1 (ID, I1) VALUES (?, 0)").arg(QLatin1String(t)), keyed);
            if (f.leereSchicht)
                k.sql("INSERT INTO E2 (ID, I1) VALUES (?, 0)", keyed);
        }
        if (zusatz)
            k.sql(zusatz, keyed);
        drawing::RecordingTarget dokument;
        k.seite.drucker = &k.bild;
        k.seite.BILD11(modus, 0, 0, modus == 2 ? &dokument : nullptr);
        EXPECT_TRUE(k.dienste.dialogs.messages().empty()) << f.name;
        return k.rec->calls();
    };
    for (const Fall& f : faelle)
        for (const int16_t modus : {int16_t(0), int16_t(1), int16_t(2)})
            EXPECT_EQ(zeichnen(f, modus, true), zeichnen(f, modus, false)) << f.name << " " << modus;

    // A pocket penetrometer row with only its value and no depth is a row.
    const QStringList mitWert = zeichnen(faelle[0], 0, true, "UPDATE E5 SET MX = 150 WHERE ID = ?");
    EXPECT_TRUE(mitWert.filter(QStringLiteral("Taschenpenetrometer")).size() > 0);
    EXPECT_TRUE(zeichnen(faelle[0], 0, false).filter(QStringLiteral("Taschenpenetrometer")).isEmpty());
}
