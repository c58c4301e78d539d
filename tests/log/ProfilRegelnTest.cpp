// Label placement and the texts of the soil column and the header block.
#include "log/ProfilRegeln.h"
#include "drawing/Markup.h"
#include "drawing/Target.h"
#include "platform/Services.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace profilregeln;

TEST(ProfilRegeln, LayerDescriptionFromTheCodes)
{
    struct Fall { const char* h1; const char* h2; const char* neb; const char* zust; int16_t bs; int16_t buv; const char* text; };
    const Fall faelle[] = {
        {"G", "S", "u'", "md", 2, 1, "(G, S, u', md) 2"},
        {"G", "S", "u'", "md", 0, 1, "G, S, u', md"},
        {"G", "S", "u'", "md", 5, 1, "(G, S, u', md) "},      // assessor 5: parentheses, no number
        {"G", "S", "u'", "md", 2, 0, "(G, S, u', md) "},      // numbers switched off
        {"G", "S", "u'", "md", 1, 2, "(G, S, u', md) "},      // only BUV exactly 1 shows numbers
        {"", "S", "", "", 0, 1, ", S"},                       // empty main constituent
        {"", "", "", "", 0, 1, ""},
        {"mG", "", "s, u'", "", 4, 1, "(mG, s, u') 4"},
        {"fS", "", "", "st", 0, 1, "fS, st"},
        {"T", "", "", "", -1, 1, "(T) -1"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(schichtbeschreibung(QString::fromUtf8(f.h1), QString::fromUtf8(f.h2), QString::fromUtf8(f.neb),
                                      QString::fromUtf8(f.zust), f.bs, f.buv),
                  QString::fromUtf8(f.text))
            << f.h1 << "|" << f.h2 << "|" << f.bs << "|" << f.buv;
}

TEST(ProfilRegeln, RoundnessWordsAlsoForTrimmedCodes)
{
    struct Fall { const char* code; const char* wort; };
    const Fall faelle[] = {
        {"ka* ", "kantig"}, {"ka*", "kantig"}, {"ka", "kantig"}, {"ka' ", "kantig"}, {"ka'", "kantig"},
        {"ge' ", "gerundet"}, {"ge'", "gerundet"}, {"ge", "gerundet"}, {"ge* ", "gerundet"}, {"ge*", "gerundet"},
        {"", ""}, {"KA", ""}, {"kantig", ""}, {"g e", ""},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(rundungswort(QString::fromUtf8(f.code)), QString::fromUtf8(f.wort)) << f.code;
}

TEST(ProfilRegeln, FirstStateCodeInListOrder)
{
    struct Fall { const char* zust; const char* code; };
    const Fall faelle[] = {
        {"md", "md"}, {"st, md", "md"}, {"mdst", "md"}, {"fe", "fe"}, {"MD", ""}, {"", ""}, {"xy", ""}, {"weich", "we"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(zustandscode(QString::fromUtf8(f.zust)), QString::fromUtf8(f.code)) << f.zust;
}

TEST(ProfilRegeln, TextBlockHeight)
{
    const float h = 7 * 0.4f;
    EXPECT_FLOAT_EQ(textblockhoehe(h, 1, "RAL1002", 1, "nass"), 3.7f * h);
    EXPECT_FLOAT_EQ(textblockhoehe(h, 1, "keine Angabe", 0, "nass"), 2.7f * h);
    EXPECT_FLOAT_EQ(textblockhoehe(h, 1, "", 1, ""), 1.7f * h);
    EXPECT_FLOAT_EQ(textblockhoehe(h, 2, "RAL1002", 2, "nass"), 1.7f * h);
    // A remark broken onto three lines adds three lines; switched off, none.
    EXPECT_FLOAT_EQ(textblockhoehe(h, 1, "RAL1002", 1, "nass", 3), 5.7f * h);
    EXPECT_FLOAT_EQ(textblockhoehe(h, 1, "RAL1002", 0, "nass", 3), 2.7f * h);
}

// Line breaking with one width unit per character: at blanks, a word longer
// than the room cut inside it, never inside a markup directive.
TEST(ProfilRegeln, LineBreaking)
{
    const auto zeichen = [](const QString& t) { return float(t.size()); };
    struct Fall { const char* text; float breite; QStringList zeilen; };
    const Fall faelle[] = {
        {"", 10, {}},
        {"nass", 10, {"nass"}},
        {" genau zehn", 11, {" genau zehn"}},                 // fits: unchanged, blanks and all
        {"Sand und Kies", 8, {"Sand und", "Kies"}},
        {"Sand und Kies", 4, {"Sand", "und", "Kies"}},
        {"Feinsandlinsen", 5, {"Feins", "andli", "nsen"}},     // a word wider than the room
        {"ab Feinsandlinsen x", 6, {"ab", "Feinsa", "ndlins", "en x"}},
        {"a  b", 3, {"a ", "b"}},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(umbrechen(QString::fromUtf8(f.text), f.breite, zeichen), f.zeilen) << f.text;
}

// A style directive stays on the line of the characters it styles, and no
// line ends inside a directive, so each line draws without a markup error.
// Widths count the characters as drawn (the markup left out).
TEST(ProfilRegeln, LineBreakingKeepsDirectivesWithWhatTheyStyle)
{
    const auto gezeichnet = [](const QString& t) { return float(drawing::plainText(t).size()); };
    struct Fall { const char* text; float breite; QStringList zeilen; };
    const Fall faelle[] = {
        {"10{h,2}mm", 2, {"10", "{h,2}mm"}},                    // not "10{h,2}" and "mm"
        {"10{h,2}mm", 3, {"10", "{h,2}mm"}},                    // not "10{h,2}m" and "m"
        {"A{h,1}2{t,1}3", 1, {"A", "{h,1}2", "{t,1}3"}},
        {"x{h, 1}2 abc", 2, {"x{h, 1}2", "ab", "c"}},          // a blank inside a directive is no break
        {"H{t,3}2 O abcd", 3, {"H", "{t,3}2 O", "abc", "d"}},  // nor one among the styled characters
        {"{g,6}abcdef", 4, {"{g,6}abcd", "ef"}},                // styled run wider than the room: parted where it fills
        {"20{c,176}Cxyz", 2, {"20{c,176}", "Cx", "yz"}},        // an inserted character styles nothing after it
        // Directives among the characters another one styles (the runs
        // overlap), and one after the end of another's run.
        {"{h,9}{h,9}{g,2}ad{h,9}bd", 3, {"{h,9}{h,9}{g,2}ad{h,9}b", "d"}},
        {"a{h,1}ed{h,3}{h,1}", 2, {"a{h,1}e", "d{h,3}{h,1}"}},
    };
    for (const Fall& f : faelle) {
        const QStringList zeilen = umbrechen(QString::fromUtf8(f.text), f.breite, gezeichnet);
        EXPECT_EQ(zeilen, f.zeilen) << f.text << " broken as " << zeilen.join(u'|').toStdString();
        for (const QString& z : zeilen) {
            bool angehalten = false;
            std::exception_ptr fehler;
            drawing::splitMarkup(z, &angehalten, &fehler);
            EXPECT_FALSE(angehalten || fehler) << f.text << ": " << z.toStdString();
        }
    }
}

// The width the remark breaks to is measured alike for every target: it grows
// with the text and the size, and leaves the markup out.
TEST(ProfilRegeln, TextWidthInPageMillimetres)
{
    const float a = textbreite(QStringLiteral("Auelehm"), 7);
    EXPECT_GT(a, 8.0f);
    EXPECT_LT(a, 14.0f);
    EXPECT_GT(textbreite(QStringLiteral("Auelehm, tonig"), 7), a);
    EXPECT_NEAR(textbreite(QStringLiteral("Auelehm"), 14), 2 * a, 0.05f);
    EXPECT_FLOAT_EQ(textbreite(QStringLiteral("m{h,1}2"), 7), textbreite(QStringLiteral("m2"), 7));
}

// Label lines of thin and thick layers, on a page where depth grows with world
// y (OY -1, d +1) and on one where it grows downwards (OY 1, d -1).
TEST(ProfilRegeln, LabelLineRule)
{
    const float MY = 0.1f;   // 1:100, 0.1 m per mm
    const float h = 2.8f;    // 7 pt: one line is 0.28 m
    const std::vector<float> g(5, h);
    {
        // bottoms 0.1 (thin, first), 0.2 (thin), 0.3 (thin), 2.0 (thick), 2.1 (thin)
        const std::vector<float> y{0.1f, 0.2f, 0.3f, 2.0f, 2.1f};
        const auto L = beschriftungslinien(y, g, 0.0f, 1, -1, MY);
        ASSERT_EQ(L.size(), 5u);
        EXPECT_FLOAT_EQ(L[0], 0.28f);           // one line below the ground line
        EXPECT_FLOAT_EQ(L[1], 0.56f);           // one line below the previous label
        EXPECT_FLOAT_EQ(L[2], 0.84f);
        EXPECT_FLOAT_EQ(L[3], 2.0f);            // a thick layer returns to its own bottom
        EXPECT_FLOAT_EQ(L[4], 2.28f);
    }
    {
        const std::vector<float> y{1.0f, 1.1f, 3.0f};
        const auto L = beschriftungslinien(y, std::vector<float>(3, h), 0.0f, 1, -1, MY);
        EXPECT_FLOAT_EQ(L[0], 1.0f);
        EXPECT_FLOAT_EQ(L[1], 1.28f);
        EXPECT_FLOAT_EQ(L[2], 3.0f);
    }
    {
        // mirrored page: depths as negative world y
        const std::vector<float> y{-0.1f, -0.2f, -2.0f};
        const auto L = beschriftungslinien(y, std::vector<float>(3, h), 0.0f, -1, 1, MY);
        EXPECT_FLOAT_EQ(L[0], -0.28f);
        EXPECT_FLOAT_EQ(L[1], -0.56f);
        EXPECT_FLOAT_EQ(L[2], -2.0f);
    }
    {
        // spacing per row: a tall text block pushes the next one down by its own height
        const std::vector<float> y{0.5f, 0.6f, 0.7f};
        const std::vector<float> b{3.7f * h, 1.7f * h, 1.7f * h};
        const auto B = beschriftungslinien(y, b, 0.0f, 1, -1, MY);
        EXPECT_FLOAT_EQ(B[0], 3.7f * h * MY);
        EXPECT_FLOAT_EQ(B[1], B[0] + 1.7f * h * MY);
        EXPECT_FLOAT_EQ(B[2], B[1] + 1.7f * h * MY);
    }
}

TEST(ProfilRegeln, DepthLabelsInGerman)
{
    vb::ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(tiefentext(false, 312.5f, 2.3f), QStringLiteral("310,20"));
    EXPECT_EQ(tiefentext(true, 312.5f, 2.3f), QStringLiteral("2,30"));
    EXPECT_EQ(tiefentext(true, 0.0f, 0.05f), QStringLiteral("0,05"));
    EXPECT_EQ(kopftext(false, 312.5f), QStringLiteral("312,50"));
    EXPECT_EQ(kopftext(true, 312.5f), QStringLiteral("0.00"));   // literal: keeps its point
    EXPECT_EQ(tiefensymbol(true, true), QStringLiteral("z"));
    EXPECT_EQ(tiefensymbol(false, true), QStringLiteral("NN"));
    EXPECT_EQ(tiefensymbol(false, false), QStringLiteral("z"));
}

TEST(ProfilRegeln, DepthLabelsInEnglish)
{
    vb::ScopedLocale en(QStringLiteral("en_US"));
    EXPECT_EQ(tiefentext(false, 312.5f, 2.3f), QStringLiteral("310.20"));
    EXPECT_EQ(kopftext(false, 312.5f), QStringLiteral("312.50"));
}

TEST(ProfilRegeln, HeaderBlockLines)
{
    vb::ScopedLocale de(QStringLiteral("de_DE"));
    auto z = kopfzeilen(true, 5432100.125, 300.5, 312.5f, true, false, 0.1f, 0, 2);
    EXPECT_EQ(z[0], QStringLiteral("Geodätisches Koordinatensystem"));
    EXPECT_EQ(z[1], QStringLiteral("Rechtswert = 5432100,125 m"));   // full national-grid precision
    EXPECT_EQ(z[2], QStringLiteral("Hochwert = 300,500 m"));
    EXPECT_EQ(z[3], QStringLiteral("Geländehöhe über Adria = 312,500 m"));
    EXPECT_EQ(z[4], QStringLiteral("Tiefenangabe bezogen auf Adria"));
    EXPECT_EQ(z[5], QStringLiteral("Maßstab 1: 100"));
    EXPECT_EQ(z[6], QStringLiteral("Symbole nach ÖNORM"));
    EXPECT_EQ(z[7], QStringLiteral("Farben nach ÖNORM"));

    z = kopfzeilen(false, 0, 0, 0, false, false, 0.075f, 1, 1);
    EXPECT_EQ(z[0], QStringLiteral("Lokales Koordinatensystem"));
    EXPECT_EQ(z[1], QStringLiteral("Rechtswert = 0,000 m"));
    EXPECT_EQ(z[3], QStringLiteral("Geländehöhe über der Bezugsebene = 0,000 m"));
    EXPECT_EQ(z[4], QStringLiteral("Tiefenangabe bezogen auf lok. Bezugsebene"));
    EXPECT_EQ(z[5], QStringLiteral("Maßstab 1: 75"));
    EXPECT_EQ(z[6], QStringLiteral("Symbole nach DIN"));
    EXPECT_EQ(z[7], QStringLiteral("natürliche Farben"));

    z = kopfzeilen(false, 0, 0, 0, true, true, 0.2f, 0, 0);
    EXPECT_EQ(z[4], QStringLiteral("Tiefenangabe bezogen auf GOK"));
    EXPECT_EQ(z[5], QStringLiteral("Maßstab 1: 200"));
    EXPECT_EQ(z[7], QStringLiteral("keine Farben"));
}

TEST(ProfilRegeln, ScaleNumberFormat)
{
    EXPECT_EQ(skalenformat(0.05f), QStringLiteral("0.00"));
    EXPECT_EQ(skalenformat(0.1f), QStringLiteral("0.00"));
    EXPECT_EQ(skalenformat(0.5f), QStringLiteral("0.0"));
    EXPECT_EQ(skalenformat(100), QStringLiteral("0"));
    EXPECT_EQ(skalenformat(0.0001f), QStringLiteral("0.00000"));
    EXPECT_EQ(skalenformat(0.001f), QStringLiteral("0.0000"));
}

// Scale maxima are rounded up to the multiple for their size, the step follows
// the rounded maximum, and a maximum of 0 takes the first step.
TEST(ProfilRegeln, ScaleMaximumAndStep)
{
    const std::vector<Stufe> zehntel{{1, 0.1f}, {1e30f, 1}};
    const std::vector<Stufe> schritte{{0.1f, 0.02f}, {0.5f, 0.1f}, {1, 0.2f}, {3, 0.5f}, {1e30f, 1}};
    struct Fall { float M; float maximum; float schritt; };
    const Fall faelle[] = {
        {0.47f, 0.5f, 0.1f}, {0.35f, 0.4f, 0.1f}, {0.5f, 0.5f, 0.1f}, {0.05f, 0.1f, 0.02f},
        {2.2f, 3, 0.5f}, {3, 3, 0.5f}, {3.01f, 4, 1}, {0, 0.02f, 0.02f},
    };
    for (const Fall& f : faelle) {
        const Skalenteilung t = skalenteilung(f.M, zehntel, schritte);
        EXPECT_NEAR(t.maximum, f.maximum, 1e-6) << f.M;
        EXPECT_FLOAT_EQ(t.schritt, f.schritt) << f.M;
    }
    const std::vector<Stufe> zehner{{1e30f, 10}};
    for (const auto& [M, maximum] : std::vector<std::pair<float, float>>{{0.3f, 10}, {25, 30}, {30, 30}, {0, 10}})
        EXPECT_FLOAT_EQ(skalenteilung(M, zehner, zehner).maximum, maximum) << M;
    const float groesste = std::numeric_limits<float>::max();
    EXPECT_TRUE(std::isfinite(skalenteilung(groesste, zehner, zehner).maximum));
    EXPECT_TRUE(std::isfinite(skalenteilung(groesste, {{1e30f, 1e38f}}, zehner).maximum));
}

TEST(ProfilRegeln, UprightTextSpacing)
{
    EXPECT_FLOAT_EQ(senkrechtabstand(7, 10, 2.8f), 23.8f);
    EXPECT_FLOAT_EQ(senkrechtabstand(7, 0, 2.8f), 2.8f);
    EXPECT_FLOAT_EQ(senkrechtabstand(8, 3, 3.2f), 10.4f);
}

// The width a text is broken and spaced by is the width it has on paper:
// each text printed alone through the printer target into a PDF, at the sizes
// the log uses, spans what pdftotext reports as its line's box. Texts with
// many kerning pairs ("AV", "To", "Wa") and with wide and narrow letters show
// a width measured with kerning, at another size or with another resolution.
TEST(ProfilRegeln, TextWidthIsTheWidthOnPaper)
{
    struct Fall { const char* text; int16_t SG; };
    const Fall faelle[] = {
        {"Geländehöhe über der Bezugsebene = 312,450 m", 8}, {"Rechtswert = 4468123,450 m", 8},
        {"AVAVAV WAWA Torf Tyrol LTV", 7}, {"Wasserführung: Yo, PAVT", 7}, {"iiiiiiiiii mmmmm", 7},
        {"Maßstab 1: 200", 10}, {"(G, S, u', md) 2", 6}, {"AWZ@[]|~", 8},
    };
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString pdf = ordner.filePath(QStringLiteral("breiten.pdf"));
    {
        drawing::PrinterTarget drucker(pdf);
        drucker.ScaleMode(drawing::vbMillimeters);
        float y = 20;
        for (const Fall& f : faelle) {
            drucker.FontName(QStringLiteral("Arial"));
            drucker.FontSize(f.SG);
            drucker.CurrentX(20);
            drucker.CurrentY(y);
            drucker.Print(QString::fromUtf8(f.text));
            y += 20;
        }
        drucker.EndDoc();
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    // The lines, top to bottom, as their words joined by blanks and their width in mm.
    static const QRegularExpression zeile(QStringLiteral(R"re(<line xMin="([0-9.]+)"[^>]*xMax="([0-9.]+)"[^>]*>(.*?)</line>)re"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression wort(QStringLiteral(R"re(<word [^>]*>([^<]*)</word>)re"));
    std::vector<std::pair<QString, double>> zeilen;
    for (auto z = zeile.globalMatch(xml); z.hasNext();) {
        const auto m = z.next();
        QStringList woerter;
        for (auto w = wort.globalMatch(m.captured(3)); w.hasNext();)
            woerter << w.next().captured(1);
        const double breite = (m.captured(2).toDouble() - m.captured(1).toDouble()) * 25.4 / 72.0;
        QString text = woerter.join(u' ');
        for (const auto& [zeichen, entitaet] : {std::pair{"'", "&apos;"}, {"\"", "&quot;"}, {"<", "&lt;"},
                                                {">", "&gt;"}, {"&", "&amp;"}})
            text.replace(QLatin1String(entitaet), QLatin1String(zeichen));
        zeilen.emplace_back(text, breite);
    }
    ASSERT_EQ(zeilen.size(), std::size(faelle)) << xml.toStdString();
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const Fall& f = faelle[i];
        EXPECT_EQ(zeilen[i].first, QString::fromUtf8(f.text));
        const double gedruckt = zeilen[i].second;
        // The printer places each letter on its own device pixel (1/600 inch),
        // which moves a line's end by up to about half a percent.
        EXPECT_NEAR(textbreite(QString::fromUtf8(f.text), f.SG), gedruckt, 0.05 + 0.006 * gedruckt)
            << f.text << " at " << f.SG << " points";
    }
    EXPECT_FLOAT_EQ(textbreite(QString(), 8), 0);
}

// The right column of the header block stays at 60 units unless a left line
// needs more room.
TEST(ProfilRegeln, HeaderBlockRightColumnMakesRoomForTheLeftLines)
{
    vb::ScopedLocale de(QStringLiteral("de_DE"));
    const auto adria = kopfzeilen(true, 4468123.45, 5427890.12, 312.45f, true, true, 0.1f, 0, 0);
    EXPECT_FLOAT_EQ(kopfspalte(adria, 8, 1), 60);
    const auto lokal = kopfzeilen(false, 105.3, 212.75, 0.35f, false, true, 0.1f, 0, 0);
    const float x = kopfspalte(lokal, 8, 1);
    EXPECT_FLOAT_EQ(x, textbreite(lokal[3], 8) + 3);
    EXPECT_GT(x, 60);
    EXPECT_FLOAT_EQ(kopfspalte(lokal, 8, 2), 2 * x);   // world units per mm
}

// Grid lines leave out the boxes on them, in the direction they are drawn.
TEST(ProfilRegeln, GridLinePiecesAroundBoxes)
{
    using Stuecke = std::vector<std::pair<float, float>>;
    const std::vector<Aussparung> boxen = {{9, 12, 2, 3}, {9, 12, 5, 6}, {9, 12, 5.5f, 7}, {20, 30, 0, 10}};
    struct Fall { float x, ya, yb; Stuecke frei; };
    const Fall faelle[] = {
        {10, 0, 10, {{0, 2}, {3, 5}, {7, 10}}},
        {10, 10, 0, {{10, 7}, {5, 3}, {2, 0}}},    // drawn upwards
        {15, 0, 10, {{0, 10}}},                    // no box on the line
        {10, 2.5f, 4, {{3, 4}}},                   // starts inside a box
        {25, 0, 10, {}},                           // wholly inside
        {9, 0, 1, {{0, 1}}},                       // boxes beside the piece
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(freieStuecke(f.x, f.ya, f.yb, boxen), f.frei) << f.x << " " << f.ya << " " << f.yb;
    EXPECT_EQ(freieStuecke(10, 0, 10, {}), (Stuecke{{0, 10}}));
}
