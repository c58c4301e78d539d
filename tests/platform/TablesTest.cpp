// Colour numbers, character tables and page units.
#include "platform/Colors.h"
#include "platform/TextTables.h"
#include "platform/Units.h"
#include "platform/VbError.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

using namespace vb;

TEST(Colors, ColourLongsAreBgrAndBasicColoursAreTheStandardValues)
{
    EXPECT_EQ(RGB(255, 100, 0), 0x0064FF);
    EXPECT_EQ(RGB(300, -5, 77), 0x4D00FF);   // parts are clamped
    EXPECT_EQ(toQColor(RGB(255, 100, 0)), QColor(255, 100, 0));
    EXPECT_EQ(fromQColor(QColor(77, 34, 26)), RGB(77, 34, 26));
    EXPECT_EQ(toQColor(vbBlue), QColor(0, 0, 255));

    const QColor basic[16] = {
        {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},     {128, 0, 128},
        {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    };
    for (int n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(toQColor(QBColor(n)), basic[n]);
    }
    EXPECT_THROW(QBColor(16), VbError);

    // System colours take the palette's colours; the window background is the base colour.
    EXPECT_TRUE(toQColor(vbButtonFace).isValid());
    EXPECT_EQ(toQColor(vbWindowBackground), QGuiApplication::palette().color(QPalette::Base));
    EXPECT_EQ(toQColor(vbWindowText), QGuiApplication::palette().color(QPalette::Text));
}

TEST(TextTables, Windows1252)
{
    struct Case {
        int code;
        char16_t unicode;
    };
    const Case cases[] = {
        {65, u'A'},      {0xB0, u'°'},    {0xB2, u'²'},    {0xB3, u'³'},    {0xB5, u'µ'},
        {0xD8, u'Ø'},    {0xDF, u'ß'},    {0xFC, u'ü'},    {0x80, u'€'},    {0x84, u'„'},
        {0x93, u'“'},    {0x96, u'–'},    {0x97, u'—'},    {0x99, u'™'},    {0x9F, u'Ÿ'},
        {0x81, 0x0081},  {0xA0, 0x00A0},  {0, 0},          {255, u'ÿ'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cp1252ToUnicode(c.code), QChar(c.unicode));
        EXPECT_EQ(Asc(Chr(c.code)), c.code);
    }
    EXPECT_THROW(cp1252ToUnicode(256), VbError);
    EXPECT_THROW(Asc(QString()), VbError);
    EXPECT_EQ(Asc(QStringLiteral("α")), 63);
    EXPECT_EQ(fromCp1252(QByteArray("Gr\xfc\xdf" "e \x80", 7)), QStringLiteral("Grüße €"));
    EXPECT_EQ(toCp1252(QStringLiteral("Grüße € α")), QByteArray("Gr\xfc\xdf" "e \x80 ?", 9));
}

TEST(TextTables, SymbolFontLettersAreGreek)
{
    const QString latin = QStringLiteral("abgdezhqiklmnxoprstufcywjvVJ");
    const QString greek = QStringLiteral("αβγδεζηθικλμνξοπρστυφχψωϕϖςϑ");
    EXPECT_EQ(symbolToUnicode(latin), greek);
    EXPECT_EQ(symbolToUnicode(QStringLiteral("ABGDEZHQIKLMNXOPRSTUFCYW")),
              QStringLiteral("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"));
    // Signs of the font, and characters it leaves alone.
    EXPECT_EQ(symbolToUnicode(QStringLiteral("\"$'*-@\\^~")), QStringLiteral("∀∃∋∗−≅∴⊥∼"));
    EXPECT_EQ(symbolToUnicode(QStringLiteral("0123 +=()[]")), QStringLiteral("0123 +=()[]"));
    EXPECT_EQ(symbolToUnicode(QChar(0xB0)), QChar(0x00B0));   // degree stays
    EXPECT_EQ(symbolToUnicode(QChar(0xB1)), QChar(0x00B1));   // plus-minus stays
    EXPECT_EQ(symbolToUnicode(QChar(0xA3)), QChar(0x2264));   // ≤
    EXPECT_EQ(symbolToUnicode(QChar(0xD6)), QChar(0x221A));   // √
}

TEST(Units, TwipsMillimetresAndPixels)
{
    EXPECT_DOUBLE_EQ(mmToTwips(1.0), 56.7);
    EXPECT_DOUBLE_EQ(twipsToMm(11907.0), 11907.0 / 56.7);
    EXPECT_DOUBLE_EQ(inchToTwips(1.0), 1440.0);
    EXPECT_DOUBLE_EQ(twipsPerPixel(96.0), 15.0);
    EXPECT_DOUBLE_EQ(twipsToPixels(1440.0, 96.0), 96.0);
    EXPECT_DOUBLE_EQ(mmToPixels(25.4, 300.0), 300.0);
    EXPECT_DOUBLE_EQ(pixelsToMm(mmToPixels(210.0, 96.0), 96.0), 210.0);
    EXPECT_DOUBLE_EQ(pointsToTwips(12.0), 240.0);
    EXPECT_NEAR(pointsToMm(72.0), 25.4, 1e-12);
}
