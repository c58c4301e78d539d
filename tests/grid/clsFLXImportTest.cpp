#include "GridFixture.h"

#include "grid/FlxImport.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using grid::Elektronikvorgabe;
using grid::FlxImport;
using grid::FlxWert;

namespace {
Elektronikvorgabe vorgabe(int zl, const QString& tzs, const QString& tzz,
                          std::vector<std::pair<QString, double>> werte)
{
    Elektronikvorgabe v;
    v.zl = int16_t(zl);
    v.tzs = tzs;
    v.tzz = tzz;
    for (const auto& [spalte, pos] : werte) {
        Elektronikvorgabe::Messwert w;
        w.spalte = spalte;
        w.position = pos;
        v.werte.push_back(w);
    }
    return v;
}

QByteArray zeilen(const QStringList& l)
{
    return l.join(QLatin1Char('\n')).toUtf8();
}
} // namespace

class ImportTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        binden(5);
        FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 4, 5}));
        FLX.ELSELEK(FlxWert::texte({"I1", "A", "B", "DAT", "ZEIT"}));
    }
    bool importiere(const Elektronikvorgabe& v, const QByteArray& inhalt)
    {
        const bool ok = FlxImport::importieren(FLX, v, inhalt, QStringLiteral("geraet.txt"));
        EXPECT_FALSE(vb::waitPointerShown());
        return ok;
    }
    QStringList tabelle()
    {
        QStringList l;
        for (int r = flx->FixedRows(); r < flx->Rows(); ++r) {
            QStringList z;
            for (int c = 0; c < flx->Cols(); ++c)
                z << flx->TextMatrix(r, c);
            l << z.join(QLatin1Char('|'));
        }
        return l;
    }
};

TEST_F(ImportTest, DisabledGridImportsNothing)
{
    flx->setEnabledState(false);
    EXPECT_FALSE(importiere(vorgabe(3, ";", "", {{"A", 0}}), "1;2;3xx\n"));
    EXPECT_EQ(tabelle(), QStringList{"0||||"});
}

struct Layout {
    const char* name;
    const char* locale;
    Elektronikvorgabe v;
    QStringList datei;
    QStringList erwartet;
};

class LayoutTest : public ImportTest, public ::testing::WithParamInterface<Layout> {};

TEST_P(LayoutTest, FillsTheRowsOfTheLayout)
{
    const Layout& l = GetParam();
    vb::ScopedLocale locale(QString::fromUtf8(l.locale));
    EXPECT_TRUE(importiere(l.v, zeilen(l.datei)));
    EXPECT_EQ(tabelle(), l.erwartet);
    EXPECT_EQ(boxen().count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, LayoutTest,
    ::testing::Values(
        Layout{"zeilenDe", "de_DE", vorgabe(5, "", "", {{"A", 2}, {"B", 4}}),
               {"4", "0", "12.5", "x", "7", " 4 ", "1", "1,5", "y", "8"}, {"0|12,5|7||", "1|1,5|8||"}},
        Layout{"zeilenEn", "en_US", vorgabe(5, "", "", {{"A", 2}, {"B", 4}}),
               {"4", "0", "12.5", "x", "7"}, {"0|12.5|7||"}},
        Layout{"satzProZeile", "de_DE", vorgabe(3, ";", "", {{"A", 0}, {"B", 2}}), {"a;b;cXY", "", "d;e;fXY", ""},
               {"0|a|c||", "1|d|f||"}},
        // Text after the last record separator is no record.
        Layout{"eineZeile", "de_DE", vorgabe(2, ";", "|", {{"A", 0}, {"B", 1}}), {"1;2xx|3;4xx|5;6xx"},
               {"0|1|2||", "1|3|4||"}},
        // A key that matches no column writes into column 0, which is renumbered.
        Layout{"unbekannteSpalte", "de_DE", vorgabe(2, ";", "", {{"ZZ", 0}, {"B", 1}}), {"9;8xx"}, {"0||8||"}},
        Layout{"fuehrendeDezimalzeichen", "de_DE", vorgabe(3, ";", "", {{"A", 0}, {"B", 1}}), {",5;-,5;xx"},
               {"0|0,5|-0,5||"}},
        Layout{"trennzeichenPlatzhalter", "de_DE", vorgabe(2, "<TAB>", "", {{"A", 0}, {"B", 1}}),
               {"1\t2xx"}, {"0|1|2||"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, FactorsReadPointOrCommaInEveryLocale)
{
    for (const char* loc : {"de_DE", "en_US"}) {
        vb::ScopedLocale locale(QString::fromUtf8(loc));
        flx->setRows(2);
        auto v = vorgabe(3, ";", "", {{"A", 0}, {"B", 1}});
        v.werte[0].faktor = 2.5f;
        EXPECT_TRUE(importiere(v, "12.5;x;..\n2,5;y;..\n"));
        const QString sep = QString::fromUtf8(loc) == QLatin1String("de_DE") ? QStringLiteral(",") : QStringLiteral(".");
        EXPECT_EQ(spalte(1), (QStringList{"31" + sep + "25", "6" + sep + "25"})) << loc;
        // A factor of 1 leaves text that is no number alone.
        EXPECT_EQ(spalte(2), (QStringList{"x", "y"}));
    }
}

// A device's number: blanks only before and after it, a point or a comma,
// an exponent of up to three digits.
TEST(GeraetezahlTest, NumbersAndWhatIsNone)
{
    const QString blanks(1000, QLatin1Char(' '));
    const struct {
        QString text;
        std::optional<double> zahl;
    } faelle[] = {
        {"1,5", 1.5},       {" \t-2.5e3 ", -2500}, {",5", 0.5},         {"5.", 5},
        {"+7E-2", 0.07},    {blanks + "3" + blanks, 3},                {"", std::nullopt},
        {blanks, std::nullopt}, {blanks + "x", std::nullopt},          {"1" + blanks + "x", std::nullopt},
        {".", std::nullopt}, {"- 1", std::nullopt},  {"1 2", std::nullopt}, {"1e1234", std::nullopt},
        {"1e", std::nullopt}, {"e5", std::nullopt},  {"1.000,5", std::nullopt},
        {QChar(0xA0) + QStringLiteral("5"), std::nullopt},   // a no-break space is no blank here
    };
    for (const auto& f : faelle)
        EXPECT_EQ(FlxImport::geraetezahl(f.text), f.zahl) << f.text.size() << " [" << f.text.left(12).toStdString() << "]";
}

TEST_F(ImportTest, DatesAndTimesAreRearrangedByThePreset)
{
    auto v = vorgabe(3, ";", "", {{"DAT", 0}, {"ZEIT", 1}});
    v.datum = QStringLiteral("JJJJ-MM-TT");
    v.uhrzeit = QStringLiteral("hhmmss");
    EXPECT_TRUE(importiere(v, "2003-05-20;143005;xx\n;;xx\n"));
    EXPECT_EQ(spalte(3), (QStringList{"20.05.03", ".."}));
    EXPECT_EQ(spalte(4), (QStringList{"14:30:05", "::"}));

    flx->setRows(2);
    v.datum = QStringLiteral("JJJJ-MM");
    v.uhrzeit.clear();
    EXPECT_TRUE(importiere(v, "2003-05-20;1;xx\n"));
    EXPECT_EQ(spalte(3), QStringList{"2003-05-20"});
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Datumsformat im "
                                                  "Menü Elektronikvorgaben eingegeben!"));
    EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / Importieren"));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
}

TEST_F(ImportTest, DamagedCycleIsReplacedByTheNextOne)
{
    const auto v = vorgabe(4, "", "", {{"A", 2}, {"B", 3}});
    boxen().answerMessage(vb::vbOK);
    EXPECT_TRUE(importiere(v, zeilen({"3", "0", "a", "b", "2", "1", "c", "d", "3", "2", "e", "f", ""})));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("ZyklusNr. 0 der Elektronikdatei ist beschädigt!"));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKCancel);
    EXPECT_EQ(tabelle(), QStringList{"0|e|f||"});
}

TEST_F(ImportTest, DamagedFirstCycleLeavesTheRowsEnteredBefore)
{
    flx->setRows(3);
    flx->setTextMatrix(1, 1, QStringLiteral("erste"));
    flx->setTextMatrix(2, 1, QStringLiteral("zweite"));
    boxen().answerMessage(vb::vbOK);
    const auto v = vorgabe(4, "", "", {{"A", 2}, {"B", 3}});
    EXPECT_TRUE(importiere(v, zeilen({"2", "0", "a", "b", "3", "1", "c", "d", ""})));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!"));
    EXPECT_EQ(tabelle(), (QStringList{"0|erste|||", "1|zweite|||", "2|c|d||"}));
}

TEST_F(ImportTest, MissingCyclesAreReportedAndSkipped)
{
    const auto v = vorgabe(3, "", "", {{"A", 2}});
    QStringList datei;
    for (int z : {0, 1, 2, 3, 4, 7})
        datei << "2" << QString::number(z) << QStringLiteral("w%1").arg(z);
    boxen().answerMessage(vb::vbOK);
    EXPECT_TRUE(importiere(v, zeilen(datei)));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Es fehlen ein oder mehrere Zyklen nach ZyklusNr. 4 !"));
    EXPECT_EQ(spalte(1), (QStringList{"w0", "w1", "w2", "w3", "w4", "w7"}));

    // Cancel ends the import and leaves the grid as it was.
    flx->setRows(2);
    flx->setTextMatrix(1, 1, QStringLiteral("vorher"));
    boxen().clear();
    boxen().answerMessage(vb::vbCancel);
    EXPECT_FALSE(importiere(v, zeilen(datei)));
    EXPECT_EQ(tabelle(), QStringList{"0|vorher|||"});
}

struct Kaputt {
    const char* name;
    Elektronikvorgabe v;
    QByteArray datei;
    int zeile;
};

class KaputtTest : public ImportTest, public ::testing::WithParamInterface<Kaputt> {};

TEST_P(KaputtTest, ReportsTheLineAndLeavesTheGridAsItWas)
{
    const Kaputt& k = GetParam();
    flx->setRows(3);
    flx->setTextMatrix(1, 1, QStringLiteral("alt"));
    const QStringList vorher = tabelle();
    EXPECT_FALSE(importiere(k.v, k.datei));
    EXPECT_EQ(tabelle(), vorher);
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Die Elektronikdatei geraet.txt kann in Zeile %1 nicht gelesen "
                                                  "werden. Es wurde nichts importiert.")
                                       .arg(k.zeile));
    EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / Importieren"));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, KaputtTest,
    ::testing::Values(Kaputt{"ohneTrennzeichen", vorgabe(3, ";", "", {{"A", 0}}), "1;2;3xx\n4;5;6xx\n789xx\n", 3},
                      Kaputt{"zyklusKopfKeineZahl", vorgabe(3, "", "", {{"A", 2}}), "2\n0\na\nzwei\n1\nb\n", 4},
                      Kaputt{"binaer", vorgabe(3, ";", "", {{"A", 0}}), QByteArray("1;2;3xx\n\x00\x01\xff;\x02", 13),
                             2},
                      Kaputt{"markeFehlt", [] {
                                 auto v = vorgabe(2, ";", "|", {{"A", 0}});
                                 v.kenz1kz = QStringLiteral("DATEN:");
                                 return v;
                             }(),
                             "1;2xx|3;4xx|", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the demo presets and their sample files -------------------------------

#include "suite/SuiteBuilder.h"

class DemoImportTest : public GridTest {
protected:
    suite::Testumgebung umgebung;
    QString datei(const char* name) const
    {
        return umgebung.pfade().projekt + QStringLiteral("/Elektronik/") + QLatin1String(name);
    }
    // A grid of an index column and plain columns, with these import keys.
    void raster(const QStringList& schluessel)
    {
        binden(int(schluessel.size()));
        std::vector<FlxWert> typen(size_t(schluessel.size()), FlxWert(int16_t(0)));
        typen[0] = FlxWert(int16_t(1));
        FLX.ELSTYP(FlxWert::liste(typen));
        FLX.ELSELEK(FlxWert::texte(schluessel));
    }
    // Open descriptors of this process on a file.
    static int offen(const QString& pfad)
    {
        int n = 0;
        const QString ziel = QFileInfo(pfad).canonicalFilePath();
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System))
            if (fd.symLinkTarget() == ziel)
                ++n;
        return n;
    }
};

TEST_F(DemoImportTest, FileIsClosedAndPointerRestoredOnEveryPath)
{
    binden(5);
    FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 0, 0}));
    FLX.ELSELEK(FlxWert::texte({"I1", "VTF", "IND", "KD", "ED"}));
    QTemporaryDir dir;
    const QString kaputt = dir.filePath(QStringLiteral("kaputt.txt"));
    QFile f(kaputt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Kopf\n1;2;3;4;*\nohne Trennzeichen\n");
    f.close();
    const struct {
        QString pfad;
        bool ergebnis;
        int boxen;
    } faelle[] = {{datei("DMT.txt"), true, 0},
                  {kaputt, false, 1},
                  {dir.filePath(QStringLiteral("fehlt.txt")), false, 1}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.pfad.toStdString());
        boxen().clear();
        flx->setRows(2);
        EXPECT_EQ(FLX.IMPORTIEREN(QStringLiteral("DMT"), fall.pfad), fall.ergebnis);
        EXPECT_EQ(boxen().count(), fall.boxen);
        EXPECT_FALSE(vb::waitPointerShown());
        EXPECT_EQ(offen(fall.pfad), 0);
    }
    EXPECT_EQ(boxen().last().text,
              QStringLiteral("Die Elektronikdatei fehlt.txt kann nicht geöffnet werden. Es wurde nichts importiert."));
}

TEST_F(DemoImportTest, PocketPenetrometerFileInBothLocales)
{
    const struct {
        const char* locale;
        QStringList erwartet;
    } faelle[] = {{"de_DE", {"0|0,60|140,0|15,0", "1|1,20|95,0|10,0", "2|2,40|60,0|8,0"}},
                  {"en_US", {"0|0.60|140.0|15.0", "1|1.20|95.0|10.0", "2|2.40|60.0|8.0"}}};
    for (const auto& f : faelle) {
        vb::ScopedLocale locale(QString::fromUtf8(f.locale));
        binden(4);
        FLX.ELSTYP(FlxWert::ganzzahlen({1, 0, 0, 0}));
        FLX.ELFORMAT(FlxWert::texte({"#0", "#0.00", "#0.0", "#0.0"}));
        FLX.ELSELEK(FlxWert::texte({"I1", "VTT", "MX", "SX"}));
        EXPECT_TRUE(FLX.IMPORTIEREN(QStringLiteral("TP"), datei("TP.txt")));
        QStringList zeilen;
        for (int r = 1; r < flx->Rows(); ++r)
            zeilen << QStringList{flx->TextMatrix(r, 0), flx->TextMatrix(r, 1), flx->TextMatrix(r, 2),
                                  flx->TextMatrix(r, 3)}
                          .join(QLatin1Char('|'));
        EXPECT_EQ(zeilen, f.erwartet) << f.locale;
        EXPECT_FALSE(vb::waitPointerShown());
    }
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DemoImportTest, EverySampleFileFitsItsPreset)
{
    const struct {
        const char* preset;
        const char* datei;
        QStringList schluessel;
        QStringList ersteZeile;
    } faelle[] = {
        {"DMT", "DMT.txt", {"I1", "VTF", "IND", "KD", "ED"}, {"0", "1,2", "2,1", "5,3", "12400"}},
        {"MENARD", "MENARD.txt", {"I1", "VTP", "PL", "EP"}, {"0", "2,5", "8,5", "72"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.preset);
        raster(f.schluessel);
        EXPECT_TRUE(FLX.IMPORTIEREN(QString::fromUtf8(f.preset), datei(f.datei)));
        EXPECT_EQ(flx->Rows(), 4);
        QStringList erste;
        for (int c = 0; c < flx->Cols(); ++c)
            erste << flx->TextMatrix(1, c);
        EXPECT_EQ(erste, f.ersteZeile);
    }
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DemoImportTest, RowsTheGridHoldsStayAndTheFileIsAppended)
{
    // Every layout appends to the rows already entered, with or without a
    // marker that starts the data part of the file.
    const struct {
        const char* preset;
        const char* datei;
        QStringList schluessel;
        QString ersteNeue;
    } faelle[] = {
        {"DMT", "DMT.txt", {"I1", "VTF", "IND", "KD", "ED"}, "1,2|2,1|5,3|12400"},
        {"MENARD", "MENARD.txt", {"I1", "VTP", "PL", "EP"}, "2,5|8,5|72"},
        {"TP", "TP.txt", {"I1", "VTT", "MX", "SX"}, "0,6|140|15"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.preset);
        boxen().clear();
        raster(f.schluessel);
        flx->setRows(3);
        // The numbers in column 0 are renumbered; the values stay.
        QStringList vorher;
        for (int r = 1; r < 3; ++r)
            for (int c = 1; c < flx->Cols(); ++c) {
                flx->setTextMatrix(r, c, QString::number(r * 10 + c));
                vorher << flx->TextMatrix(r, c);
            }

        EXPECT_TRUE(FLX.IMPORTIEREN(QString::fromUtf8(f.preset), datei(f.datei)));
        EXPECT_EQ(boxen().count(), 0);
        ASSERT_EQ(flx->Rows(), 6);
        QStringList danach;
        for (int r = 1; r < 3; ++r)
            for (int c = 1; c < flx->Cols(); ++c)
                danach << flx->TextMatrix(r, c);
        EXPECT_EQ(danach, vorher);
        QStringList neu;
        for (int c = 1; c < flx->Cols(); ++c)
            neu << flx->TextMatrix(3, c);
        EXPECT_EQ(neu.join(QLatin1Char('|')), f.ersteNeue);
    }
}

TEST_F(DemoImportTest, PickOffersThePresetOfTheGridAndAPresetOfAnotherGridIsRefused)
{
    const struct {
        const char* raster;
        QStringList schluessel;
        const char* vorschlag;     // preselected in the pick; "" none (an empty line first)
        const char* gewaehlt;      // the user's choice
        bool importiert;
    } faelle[] = {
        {"pocket penetrometer", {"I1", "VTT", "MX", "SX"}, "TP", "TP", true},
        {"flat dilatometer", {"I1", "VTF", "IND", "KD", "ED"}, "DMT", "DMT", true},
        {"pocket penetrometer, DMT chosen", {"I1", "VTT", "MX", "SX"}, "TP", "DMT", false},
        {"layers", {"I1", "TUKS", "HPTB1"}, "", "MENARD", false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.raster);
        boxen().clear();
        raster(f.schluessel);
        flx->setRows(3);
        flx->setTextMatrix(1, 1, QStringLiteral("0,5"));
        const QString gewaehlt = QString::fromUtf8(f.gewaehlt);
        boxen().answerInput(gewaehlt).answerFile(datei(gewaehlt == "TP" ? "TP.txt" : "DMT.txt"));

        EXPECT_EQ(FlxImport::mitAuswahl(FLX, umgebung.pfade().projekt + QStringLiteral("/Elektronik")), f.importiert);
        const auto& pick = boxen().records()[0];
        EXPECT_EQ(pick.defaultText, QString::fromUtf8(f.vorschlag));
        QStringList liste{"DMT", "MENARD", "TP"};
        if (!*f.vorschlag)
            liste.prepend(QString());
        EXPECT_EQ(pick.choices, liste);
        if (f.importiert) {
            EXPECT_GT(flx->Rows(), 3);
            continue;
        }
        // Refused at the pick: said so before any device file is asked for,
        // and the grid holds what it held.
        std::vector<vb::DialogRecord::Kind> arten;
        for (const auto& r : boxen().records())
            arten.push_back(r.kind);
        EXPECT_EQ(arten, (std::vector{vb::DialogRecord::Kind::InputBox, vb::DialogRecord::Kind::MessageBox}));
        ASSERT_EQ(boxen().messages().size(), 1u);
        EXPECT_EQ(boxen().last().title, QStringLiteral("MSFlexGrid / Importieren"));
        EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("Die Elektronikvorgabe ") + gewaehlt
                                                   + QStringLiteral(" passt nicht zu dieser Tabelle")))
            << boxen().last().text.toStdString();
        EXPECT_TRUE(boxen().last().text.endsWith(QStringLiteral("Es wurde nichts importiert.")));
        EXPECT_EQ(flx->Rows(), 3);
        EXPECT_EQ(spalte(1), (QStringList{"0,5", ""}));
        EXPECT_FALSE(vb::waitPointerShown());
    }
}

// The refusal of a preset of another grid speaks the user's language, at the
// pick and when a caller names the preset itself.
TEST_F(DemoImportTest, APresetOfAnotherGridIsRefusedInTheUsersLanguage)
{
    const struct {
        const char* sprache;
        const char* text;
    } faelle[] = {
        {"de_DE", "Die Elektronikvorgabe DMT passt nicht zu dieser Tabelle: keiner ihrer Messwerte "
                  "(VTF, IND, KD, ED) hat hier eine Spalte. Es wurde nichts importiert."},
        {"en_US", "The device preset DMT does not fit this table: none of its measured values "
                  "(VTF, IND, KD, ED) has a column here. Nothing was imported."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.sprache);
        vb::ScopedLocale sprache(QString::fromLatin1(f.sprache));
        raster({"I1", "VTT", "MX", "SX"});
        for (const bool mitPick : {true, false}) {
            boxen().clear();
            if (mitPick) {
                boxen().answerInput(QStringLiteral("DMT")).answerFile(datei("DMT.txt"));
                EXPECT_FALSE(FlxImport::mitAuswahl(FLX, umgebung.pfade().projekt + QStringLiteral("/Elektronik")));
            } else {
                EXPECT_FALSE(FLX.IMPORTIEREN(QStringLiteral("DMT"), datei("DMT.txt")));
            }
            ASSERT_EQ(boxen().messages().size(), 1u) << mitPick;
            EXPECT_EQ(boxen().last().text.toStdString(), f.text) << mitPick;
        }
    }
}

TEST_F(ImportTest, ControlCharactersOfAFieldDoNotReachTheCell)
{
    EXPECT_TRUE(importiere(vorgabe(3, ";", "", {{"A", 0}, {"B", 1}}), "1\t5;x\x7fy;-xx\n"));
    EXPECT_EQ(tabelle(), QStringList{"0|15|xy||"});
}

// The import cuts no value to a length: a value of characters of several
// code units (an emoji, a letter with a combining accent) reaches its cell
// whole, in both separator layouts and the line layout.
TEST_F(ImportTest, CharactersOfSeveralCodeUnitsReachTheCellWhole)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString akut = QStringLiteral("e\u0301");
    EXPECT_TRUE(importiere(vorgabe(3, ";", "", {{"A", 0}, {"B", 1}}),
                           (QStringLiteral("Kies ") + emoji + QStringLiteral(";Caf") + akut + QStringLiteral(";-xx\n"))
                               .toUtf8()));
    EXPECT_EQ(spalte(1), QStringList{QStringLiteral("Kies ") + emoji});
    EXPECT_EQ(spalte(2), QStringList{QStringLiteral("Caf") + akut});
}

// Where the import removes a number of characters — the two that end the last
// field of a record, a value's prefix and suffix by their length — it removes
// whole characters: a character the count would split is removed with them,
// never left in a cell as half an emoji or a letter without its accent.
TEST_F(ImportTest, RemovingByLengthTakesWholeCharacters)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString akut = QStringLiteral("e\u0301");
    auto v = vorgabe(2, ";", "", {{"A", 0}, {"B", 1}});
    v.werte[0].praefix = QStringLiteral("T=");
    v.werte[0].suffix = QStringLiteral("mm");
    const QString datei = QStringLiteral("T=5;ab") + emoji + QStringLiteral("x\n")   // last field cut in the emoji
                          + QStringLiteral("X") + emoji + QStringLiteral("6;c") + akut + QStringLiteral("x\n")
                          + QStringLiteral("T=7") + emoji + QStringLiteral("m;dd\n");
    flx->setRows(2);
    EXPECT_TRUE(importiere(v, datei.toUtf8()));
    for (const QString& t : tabelle())
        EXPECT_FALSE(t.contains(QChar(0xFFFD)) || t.contains(QLatin1Char('?'))) << t.toStdString();
    EXPECT_EQ(spalte(1), (QStringList{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")}));
    EXPECT_EQ(spalte(2), (QStringList{QStringLiteral("ab"), QStringLiteral("c"), QString()}));
}
