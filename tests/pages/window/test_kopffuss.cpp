// The page header and footer block: which texts it prints, where, and how it
// reads the inline markup.
#include "pages/window/clsKOPFFUSS.h"

#include "drawing/Markup.h"
#include "drawing/Target.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QTime>
#include <cmath>

namespace {

constexpr double kTwips = 1440.0 / 25.4;   // twips per millimetre
constexpr float kBreite = 16000.0f;
constexpr float kHoehe = 11000.0f;

struct Umgebung
{
    vb::TestServices dienste;
    drawing::RecordingTarget ziel;
    clsKOPFFUSS kf;

    explicit Umgebung(drawing::Target::Kind art = drawing::Target::Kind::Picture,
                      float breite = kBreite)
        : ziel(breite, kHoehe, 96.0, art)
    {
        kf.AUSGABEOBJEKT(&ziel, QSizeF(breite, kHoehe));
    }

    void fuellen()
    {
        kf.BEARBEITER(QStringLiteral("H. Berger"));
        kf.COPYRIGHT(QStringLiteral("Copyright (C) 2026"));
        kf.PROGRAMMIERER(QStringLiteral("Entwicklung"));
        kf.PROJEKT(QStringLiteral("TE2026.01"));
        kf.UEBERSCHRIFT(QStringLiteral("KAVELOR"));
        kf.KENNZEICHNUNG(QStringLiteral("B1"));
        kf.KOMMENTAR(QStringLiteral("Erkundung Nord"));
        kf.DATUM(QDateTime(QDate(2026, 12, 10), QTime(0, 0)));
        kf.UHRZEIT(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 33)));
    }

    // Width and height of a text in a given font, measured on the surface.
    double breite(const QString& text, const drawing::StdFont& font)
    {
        auto alt = ziel.Font();
        ziel.Font(drawing::newFont(font));
        const double w = ziel.TextWidth(text);
        ziel.Font(alt);
        return w;
    }
    double hoehe(const QString& text, const drawing::StdFont& font)
    {
        auto alt = ziel.Font();
        ziel.Font(drawing::newFont(font));
        const double h = ziel.TextHeight(text);
        ziel.Font(alt);
        return h;
    }

    // The first piece whose text is t.
    const clsKOPFFUSS::Stueck* stueck(const QString& t) const
    {
        for (const auto& s : kf.gedruckt())
            if (s.text == t)
                return &s;
        return nullptr;
    }
};

drawing::StdFont arial(float size, bool bold = false)
{
    drawing::StdFont f;
    f.Name = QStringLiteral("Arial");
    f.Size = size;
    f.Bold = bold;
    f.Weight = bold ? 700 : 400;
    return f;
}

} // namespace

TEST(KopfFuss, PrintsHeaderAndFooterTextsInBothLanguages)
{
    struct Fall
    {
        int16_t sprache;
        QStringList erwartet;
        QStringList fehlt;
    };
    const Fall faelle[] = {
        {3,
         {"KAVELOR", "Datensatz B1", "Erkundung Nord", "Projekt TE2026.01", "Seite 1/1",
          "Programmentwicklung: Entwicklung", "Copyright (C) 2026", "10.12.2026", "14:05",
          "Bearbeiter: H. Berger"},
         {}},
        {1,
         {"KAVELOR", "File B1", "Erkundung Nord", "Project TE2026.01", "Page 1/1",
          "Program developed by Entwicklung", "Copyright (C) 2026", "14:05", "Project Manager: H. Berger"},
         {"Datensatz B1"}},
        // Another language keeps the label it has and leaves the language texts empty.
        {2,
         {"KAVELOR", "Datensatz  B1", "Erkundung Nord", "Copyright (C) 2026", "14:05"},
         {"Projekt TE2026.01", "Seite 1/1", "Bearbeiter: H. Berger"}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.sprache);
        Umgebung u;
        u.fuellen();
        u.kf.SPRACHE(fall.sprache);
        u.kf.KOPFFUSSZEILE();
        for (const auto& t : fall.erwartet)
            EXPECT_TRUE(u.kf.zeilen().contains(t)) << t.toStdString() << " in "
                                                  << u.kf.zeilen().join(" | ").toStdString();
        for (const auto& t : fall.fehlt)
            EXPECT_FALSE(u.kf.zeilen().contains(t)) << t.toStdString();
        EXPECT_TRUE(u.dienste.dialogs.messages().empty());
    }
}

TEST(KopfFuss, FooterDateTakesTheUsersShortDateAndTheTimeHoursAndMinutes)
{
    // The block's own language stays German; the date follows the user's
    // locale. A locale without a language (C, as a bare system has) takes
    // the German form rather than a month name.
    struct Fall
    {
        const char* locale;
        const char* datum;
    };
    const Fall faelle[] = {
        {"de_DE", "10.12.2026"},
        {"de_AT", "10.12.2026"},
        {"en_US", "12/10/2026"},
        {"en_GB", "10/12/2026"},
        {"C", "10.12.2026"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.locale);
        Umgebung u;
        const vb::ScopedLocale lokal{QString::fromLatin1(fall.locale)};
        u.fuellen();
        u.kf.KOPFFUSSZEILE();
        EXPECT_TRUE(u.kf.zeilen().contains(QString::fromLatin1(fall.datum)))
            << u.kf.zeilen().join(" | ").toStdString();
        EXPECT_TRUE(u.kf.zeilen().contains(QStringLiteral("14:05")));
        EXPECT_FALSE(u.kf.zeilen().join(' ').contains(QStringLiteral("Dec")));
    }
}

TEST(KopfFuss, PlacesHeaderAndFooterAgainstTheMarginsAndFrame)
{
    Umgebung u;
    u.fuellen();
    u.kf.KOPFFUSSZEILE();
    const double L = 15 * kTwips, R = 15 * kTwips, T = 15 * kTwips, B = 15 * kTwips;

    const auto* titel = u.stueck("KAVELOR");
    ASSERT_TRUE(titel);
    EXPECT_NEAR(titel->x, L, 0.5);
    EXPECT_NEAR(titel->y, T, 0.5);
    EXPECT_EQ(titel->font.Size, 16.0f);
    EXPECT_TRUE(titel->font.Bold);

    const double hk = u.hoehe("B1", arial(10));
    const double ht = u.hoehe("KAVELOR", arial(16, true));
    const auto* kennung = u.stueck("Datensatz B1");
    ASSERT_TRUE(kennung);
    EXPECT_NEAR(kennung->y, T + 9 * kTwips, 0.5);
    const auto* kommentar = u.stueck("Erkundung Nord");
    ASSERT_TRUE(kommentar);
    EXPECT_NEAR(kommentar->y, T + 9 * kTwips + 1.5 * hk, 0.5);

    // The project ends at the right margin, on the title's baseline row.
    const auto* projekt = u.stueck("Projekt TE2026.01");
    ASSERT_TRUE(projekt);
    EXPECT_NEAR(projekt->x + u.breite("Projekt TE2026.01", arial(10)), kBreite - R, 0.5);
    EXPECT_NEAR(projekt->y, T + ht - hk, 0.5);
    const auto* seite = u.stueck("Seite 1/1");
    ASSERT_TRUE(seite);
    EXPECT_NEAR(seite->x, projekt->x - u.breite(QString(15, ' ') + "Seite 1/1", arial(10)), 0.5);

    // Footer lines are bottom-aligned: the first ends at H - B, the second one line lower.
    const double h = u.hoehe("Entwicklung", arial(7));
    const auto* entwickler = u.stueck("Programmentwicklung: Entwicklung");
    ASSERT_TRUE(entwickler);
    EXPECT_NEAR(entwickler->y + h, kHoehe - B, 0.5);
    EXPECT_NEAR(entwickler->x + u.breite("Programmentwicklung: Entwicklung", arial(7)), kBreite - R, 0.5);
    const auto* copyright = u.stueck("Copyright (C) 2026");
    ASSERT_TRUE(copyright);
    EXPECT_NEAR(copyright->x, entwickler->x, 0.5);
    EXPECT_NEAR(copyright->y + h, kHoehe - B + h, 0.5);
    const auto* datum = u.stueck("10.12.2026");
    ASSERT_TRUE(datum);
    EXPECT_NEAR(datum->x + u.breite("10.12.2026", arial(7)) / 2, (kBreite + L - R) / 2, 0.5);
    const auto* bearbeiter = u.stueck("Bearbeiter: H. Berger");
    ASSERT_TRUE(bearbeiter);
    EXPECT_NEAR(bearbeiter->x, L, 0.5);
    EXPECT_NEAR(bearbeiter->y + h, kHoehe - B, 0.5);
    EXPECT_EQ(bearbeiter->font.Size, 7.0f);

    // The block leaves the surface in the footer font.
    EXPECT_EQ(u.ziel.FontSize(), 7.0f);
    EXPECT_EQ(u.ziel.FontName(), QStringLiteral("Arial"));
}

// The page number stands at one place in both languages: the room before the
// project is measured on the German text, also when the English one is printed.
TEST(KopfFuss, PageNumberPlaceIsMeasuredOnTheGermanText)
{
    struct Fall
    {
        int16_t sprache;
        QString projekt;
        QString seite;
    };
    const Fall faelle[] = {
        {3, "Projekt TE2026.01", "Seite 12/30"},
        {1, "Project TE2026.01", "Page 12/30"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.sprache);
        Umgebung u;
        u.fuellen();
        u.kf.SPRACHE(fall.sprache);
        u.kf.SEITE(12);
        u.kf.SEITENANZAHL(30);
        u.kf.KOPFFUSSZEILE();
        const auto* projekt = u.stueck(fall.projekt);
        const auto* seite = u.stueck(fall.seite);
        ASSERT_TRUE(projekt && seite) << u.kf.zeilen().join(" | ").toStdString();
        EXPECT_NEAR(seite->x, projekt->x - u.breite(QString(15, ' ') + "Seite 12/30", arial(10)), 0.5);
        EXPECT_NEAR(seite->y, projekt->y, 0.5);
    }
}

TEST(KopfFuss, IdentifierListStopsWithEllipsisWhenTheNextOneDoesNotFit)
{
    // Room left for the identifiers: frame - margins - label width. The test
    // adds the next identifier and a comma, without the blank.
    vb::TestServices dienste;
    drawing::RecordingTarget mess(kBreite, kHoehe);
    mess.FontName("Arial");
    mess.FontSize(10);
    const double label = mess.TextWidth("Datensätze");
    const double mitKomma = mess.TextWidth("B1, B2B3,");
    const double mitBlank = mess.TextWidth("B1, B2, B3,");
    ASSERT_LT(mitKomma, mitBlank);
    const double raender = 30 * kTwips;

    struct Fall
    {
        double verfuegbar;
        QString erwartet;
    };
    const Fall faelle[] = {
        {100000, "Datensätze B1, B2, B3, B4"},
        {mitKomma - 1, "Datensätze B1, B2, ..."},
        {(mitKomma + mitBlank) / 2, "Datensätze B1, B2, B3, ..."},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.erwartet.toStdString());
        const float breite = float(fall.verfuegbar + raender + label);
        drawing::RecordingTarget ziel(breite, kHoehe);
        clsKOPFFUSS kf;
        kf.AUSGABEOBJEKT(&ziel, QSizeF(breite, kHoehe));
        kf.KENNZEICHNUNG(QStringList{"B1", "B2", "B3", "B4"});
        kf.KOPFFUSSZEILE();
        EXPECT_TRUE(kf.zeilen().contains(fall.erwartet)) << kf.zeilen().join(" | ").toStdString();
    }
}

TEST(KopfFuss, EmptyIdentifierAndSwitchedOffPageNumber)
{
    Umgebung mit;
    mit.fuellen();
    mit.kf.KOPFFUSSZEILE();

    Umgebung u;
    u.fuellen();
    u.kf.KENNZEICHNUNG(QString());
    u.kf.EBOKFS(false);
    u.kf.KOPFFUSSZEILE();
    for (const auto& s : u.kf.gedruckt()) {
        EXPECT_FALSE(s.text.startsWith("Datensatz")) << s.text.toStdString();
        EXPECT_FALSE(s.text.startsWith("Seite")) << s.text.toStdString();
    }
    // The comment keeps its place below the (empty) identifier line, the
    // project its place at the right margin.
    ASSERT_TRUE(u.stueck("Erkundung Nord"));
    EXPECT_DOUBLE_EQ(u.stueck("Erkundung Nord")->y, mit.stueck("Erkundung Nord")->y);
    ASSERT_TRUE(u.stueck("Projekt TE2026.01"));
    EXPECT_DOUBLE_EQ(u.stueck("Projekt TE2026.01")->x, mit.stueck("Projekt TE2026.01")->x);
}

TEST(KopfFuss, CopyrightWiderThanDeveloperLineSetsTheBlockEdge)
{
    Umgebung u;
    u.fuellen();
    const QString breit = QStringLiteral("Copyright (C) 2026 KAVELOR Ingenieursoftware, alle Rechte vorbehalten");
    u.kf.COPYRIGHT(breit);
    u.kf.KOPFFUSSZEILE();
    const auto* c = u.stueck(breit);
    const auto* e = u.stueck("Programmentwicklung: Entwicklung");
    ASSERT_TRUE(c && e);
    EXPECT_NEAR(c->x, kBreite - 15 * kTwips - u.breite(breit, arial(7)), 0.5);
    EXPECT_DOUBLE_EQ(e->x, c->x);
}

TEST(KopfFuss, MarginsConvertMillimetresToSurfaceUnits)
{
    Umgebung u;
    EXPECT_NEAR(u.kf.randOben(), 15 * kTwips, 0.05);
    u.kf.RANDABSTAND(7.5f, "oben");
    EXPECT_NEAR(u.kf.randOben(), 7.5 * kTwips, 0.05);
    EXPECT_NEAR(u.kf.randUnten(), 15 * kTwips, 0.05);
    EXPECT_NEAR(u.kf.randLinks(), 15 * kTwips, 0.05);
    u.kf.RANDABSTAND(10.0f, "rechts");
    EXPECT_NEAR(u.kf.randRechts(), 10 * kTwips, 0.05);
    EXPECT_NEAR(u.kf.randLinks(), 15 * kTwips, 0.05);
    u.kf.RANDABSTAND(20.0f);
    for (double r : {u.kf.randOben(), u.kf.randUnten(), u.kf.randLinks(), u.kf.randRechts()})
        EXPECT_NEAR(r, 20 * kTwips, 0.05);

    // A surface in millimetres needs no conversion; binding it again resets to 15 mm.
    u.ziel.ScaleMode(drawing::vbMillimeters);
    u.kf.AUSGABEOBJEKT(&u.ziel, QSizeF(u.ziel.ScaleWidth(), u.ziel.ScaleHeight()));
    EXPECT_NEAR(u.kf.randOben(), 15, 0.05);
    EXPECT_EQ(u.ziel.ScaleMode(), drawing::vbMillimeters);
    EXPECT_EQ(u.ziel.FontSize(), 8.0f);

    clsKOPFFUSS ohne;
    try {
        ohne.RANDABSTAND(15);
        FAIL() << "margin without a surface";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, 91);
    }
}

TEST(KopfFuss, MarkupPiecesTakeTheirSlotsAndShifts)
{
    struct Teil
    {
        QString text;
        int slot;
        double anteil;   // shift as share of the piece's own height, raised positive
    };
    struct Fall
    {
        QString eingabe;
        std::vector<Teil> teile;
    };
    const Fall faelle[] = {
        {"H{t,1}2O", {{"H", 2, 0}, {"2", 4, -0.35}, {"O", 2, 0}}},
        {"m{h,1}2", {{"m", 2, 0}, {"2", 4, 0.25}}},
        {"{c,177}", {{QString(QChar(0xB1)), 2, 0}}},
        {"20{c,176}C", {{"20", 2, 0}, {QString(QChar(0xB0)), 2, 0}, {"C", 2, 0}}},
        {"{g,1}s", {{QString(QChar(0x03C3)), 3, 0}}},
        {"x{gt,1}a", {{"x", 2, 0}, {QString(QChar(0x03B1)), 5, -0.35}}},
        {"{zz,1}ab", {{"a", 0, 0}, {"b", 2, 0}}},
        {"a{zz,5}bc", {{"a", 2, 0}, {"bc", 2, 0}}},
        // Two directives in a row have an empty plain piece between them.
        {"a{t,1}b{zz,1}cd", {{"a", 2, 0}, {"b", 4, -0.35}, {"c", 2, 0}, {"d", 2, 0}}},
        {"a{t,1}b{zz,2}cd", {{"a", 2, 0}, {"b", 4, -0.35}, {"cd", 2, 0}}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.eingabe.toStdString());
        Umgebung u;
        u.ziel.FontSize(10);
        u.kf.TEXT(1000, 2000, fall.eingabe);
        const auto& g = u.kf.gedruckt();
        ASSERT_EQ(g.size(), qsizetype(fall.teile.size()));
        double x = 1000;
        for (size_t i = 0; i < fall.teile.size(); ++i) {
            const auto& t = fall.teile[i];
            EXPECT_EQ(g[i].text, t.text);
            EXPECT_EQ(g[i].slot, t.slot);
            EXPECT_NEAR(g[i].x, x, 0.05);
            const double h = u.hoehe(g[i].text, g[i].font);
            EXPECT_NEAR(g[i].y, 2000 - t.anteil * h, 0.05);
            x += u.breite(g[i].text, g[i].font);
        }
        // The slots were made from the surface font when it was bound (Arial
        // 8): the small ones have 8 / 1.175 points, rounded.
        for (const auto& s : g) {
            if (s.slot >= 4) {
                EXPECT_EQ(s.font.Size, 7.0f);
            } else if (s.slot >= 1) {
                EXPECT_EQ(s.font.Size, 8.0f);
            } else {
                EXPECT_EQ(s.font.Size, 10.0f);
            }
        }
        EXPECT_TRUE(u.dienste.dialogs.messages().empty());
    }
}

TEST(KopfFuss, AlignmentMeasuresTheTextWithoutDirectives)
{
    Umgebung u;
    u.ziel.FontSize(10);
    u.kf.TEXT(5000, 3000, "A{g,1}bC", 1, 2);
    const double w = u.breite("AbC", *u.ziel.Font());
    const double h = u.ziel.TextHeight("AbC");
    ASSERT_FALSE(u.kf.gedruckt().isEmpty());
    EXPECT_NEAR(u.kf.gedruckt().first().x, 5000 - w / 2, 0.05);
    EXPECT_NEAR(u.kf.gedruckt().first().y, 3000 - h, 0.05);
    EXPECT_EQ(drawing::plainText("a{g,1}b{t,2}cd{x"), QStringLiteral("abcd{x"));
}

TEST(KopfFuss, InsertedCharacterSitsFurtherRightOnThePrinter)
{
    Umgebung bild;
    Umgebung drucker(drawing::Target::Kind::Printer);
    for (Umgebung* u : {&bild, &drucker}) {
        u->ziel.FontSize(10);
        u->kf.TEXT(1000, 1000, "a{c,176}b");
    }
    ASSERT_EQ(bild.kf.gedruckt().size(), 3);
    ASSERT_EQ(drucker.kf.gedruckt().size(), 3);
    const double versatz = 0.35 * drucker.hoehe(QString(QChar(0xB0)), drucker.kf.gedruckt()[1].font);
    EXPECT_NEAR(drucker.kf.gedruckt()[1].x - bild.kf.gedruckt()[1].x, versatz, 0.5);
    EXPECT_NEAR(drucker.kf.gedruckt()[2].x - bild.kf.gedruckt()[2].x, versatz, 0.5);
}

TEST(KopfFuss, MalformedDirectiveIsReportedAndTheRestShownOnOk)
{
    struct Fall
    {
        QString eingabe;
        int antwort;
        int nummer;
        QStringList teile;
    };
    const Fall faelle[] = {
        {"ab{xyz", vb::vbOK, 0, {"ab", "{xyz"}},
        {"ab{xyz", vb::vbCancel, 0, {"ab"}},
        {"ab{t,x}cd", vb::vbOK, 13, {"ab", "{t,x}cd"}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.eingabe.toStdString());
        Umgebung u;
        u.dienste.dialogs.answerMessage(fall.antwort);
        u.kf.TEXT(0, 0, fall.eingabe);
        const auto boxen = u.dienste.dialogs.messages();
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_EQ(boxen[0].title, QStringLiteral("Sub TEXT, Klassenmodul clsGRAFIK"));
        EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Error: %1\n").arg(fall.nummer)))
            << boxen[0].text.toStdString();
        EXPECT_EQ(boxen[0].buttons, vb::MsgButtons::OKCancel);
        QStringList gedruckt;
        for (const auto& s : u.kf.gedruckt())
            gedruckt << s.text;
        EXPECT_EQ(gedruckt, fall.teile);
    }
}

TEST(KopfFuss, DrawsOnAPictureSurface)
{
    vb::TestServices dienste;
    drawing::PictureTarget bild(kBreite, kHoehe);
    bild.Cls();
    clsKOPFFUSS kf;
    kf.AUSGABEOBJEKT(&bild, QSizeF(kBreite, kHoehe));
    kf.UEBERSCHRIFT("KAVELOR");
    kf.KENNZEICHNUNG(QStringLiteral("B1"));
    kf.KOPFFUSSZEILE();
    // Something dark was painted into the title's corner.
    const QImage& img = bild.image();
    const int x0 = int(15 * kTwips / 15), y0 = int(15 * kTwips / 15);
    int dunkel = 0;
    for (int y = y0; y < y0 + 25 && y < img.height(); ++y)
        for (int x = x0; x < x0 + 120 && x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++dunkel;
    EXPECT_GT(dunkel, 20);
}
