#include "entry/Codelisten.h"
#include "entry/Eingabetabellen.h"
#include "platform/Services.h"

#include <gtest/gtest.h>

using namespace eingabe;

namespace {
QString u(const char* t) { return QString::fromUtf8(t); }
}

TEST(Codelisten, ListTextsBecomeCodesOnlyWhenExact)
{
    const struct {
        Kodierung k;
        const char* zelle;
        const char* erwartet;
    } faelle[] = {
        {Kodierung::Grundwassertyp, "keine Angabe", "0"},
        {Kodierung::Grundwassertyp, "zuletzt gemessen", "1"},
        {Kodierung::Grundwassertyp, "bei Aufschluß angetroffen", "2"},
        {Kodierung::Grundwassertyp, "zuletzt gemessen ", "zuletzt gemessen "},
        {Kodierung::Grundwassertyp, "Zuletzt gemessen", "Zuletzt gemessen"},
        {Kodierung::Grundwassertyp, "3", "3"},
        {Kodierung::Grundwassertyp, "", ""},
        {Kodierung::Entnahmeverfahren, "gest. Probe", "0"},
        {Kodierung::Entnahmeverfahren, "Sonderprobe", "1"},
        {Kodierung::Entnahmeverfahren, "Bohrkern", "2"},
        {Kodierung::Sondentyp, "offene Sonde", "0"},
        {Kodierung::Sondentyp, "geschlossene Sonde", "1"},
        {Kodierung::Sondentyp, "Bohrkern", "Bohrkern"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(textZuCode(f.k, u(f.zelle)), u(f.erwartet)) << f.zelle;
}

TEST(Codelisten, CodesBecomeTextsWhenOpening)
{
    vb::ScopedLocale de(QStringLiteral("de_DE"));
    const struct {
        Kodierung k;
        const char* zelle;
        const char* erwartet;
    } faelle[] = {
        {Kodierung::Grundwassertyp, "0", "keine Angabe"},
        {Kodierung::Grundwassertyp, " 1 ", "zuletzt gemessen"},
        {Kodierung::Grundwassertyp, "2,0", "bei Aufschluß angetroffen"},
        {Kodierung::Grundwassertyp, "3", "3"},
        {Kodierung::Grundwassertyp, "1,5", "1,5"},
        {Kodierung::Grundwassertyp, "", ""},
        {Kodierung::Grundwassertyp, "abc", "abc"},
        {Kodierung::Entnahmeverfahren, "2", "Bohrkern"},
        {Kodierung::Entnahmeverfahren, "-1", "-1"},
        {Kodierung::Sondentyp, "0", "offene Sonde"},
        {Kodierung::Sondentyp, "1", "geschlossene Sonde"},
        // The penetrometer type is compared as text: blanks count.
        {Kodierung::Sondentyp, " 1", " 1"},
        {Kodierung::Sondentyp, "1,0", "1,0"},
        {Kodierung::Sondentyp, "2", "2"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(codeZuText(f.k, u(f.zelle)), u(f.erwartet)) << f.zelle;
}

TEST(Codelisten, ListsInBothLanguages)
{
    const struct {
        Liste l;
        bool englisch;
        int anzahl;
        const char* erster;
        const char* letzter;
    } faelle[] = {
        {Liste::Hauptbestandteile, false, 26, "Y", "LöL"},
        {Liste::Hauptbestandteile, true, 22, "Y", "LöL"},
        {Liste::Nebenbestandteile, false, 19, "", "t'"},
        {Liste::Nebenbestandteile, true, 0, nullptr, nullptr},
        {Liste::Rundungsgrad, true, 6, "ka* ", "ge* "},
        {Liste::Bodenzustand, false, 9, "lo", "fe"},
        {Liste::Bodenfarbe, false, 22, "keine Angabe", "RAL8028"},
        {Liste::Beurteiler, true, 6, "0", "5"},
        {Liste::Grundwasser, false, 3, "zuletzt gemessen", "keine Angabe"},
        {Liste::Entnahmeverfahren, false, 3, "gest. Probe", "Bohrkern"},
        {Liste::Sondentyp, true, 2, "offene Sonde", "geschlossene Sonde"},
        {Liste::Rohrmaterial, false, 3, "keine Angaben", "PVC"},
    };
    for (const auto& f : faelle) {
        const QStringList l = eintraege(f.l, f.englisch);
        ASSERT_EQ(l.size(), f.anzahl) << int(f.l);
        if (f.anzahl) {
            EXPECT_EQ(l.first(), u(f.erster));
            EXPECT_EQ(l.last(), u(f.letzter));
        }
    }
    EXPECT_TRUE(eintraege(Liste::Hauptbestandteile).contains(u("b¯U")));
    EXPECT_FALSE(eintraege(Liste::Hauptbestandteile, true).contains(u("bU")));
    EXPECT_TRUE(eintraege(Liste::Hauptbestandteile, true).contains(QStringLiteral("U")));
}

TEST(Eingabetabellen, GridsMatchTheirTables)
{
    const auto& r = raster();
    ASSERT_EQ(r.size(), 10u);
    const char* tabellen[] = {"E2", "E3", "E4", "E5", "E6", "E8", "E10", "E11", "E9", "E7"};
    const int spalten[] = {10, 4, 12, 4, 5, 4, 4, 5, 5, 5};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(r[i].index, i);
        EXPECT_EQ(r[i].tabelle, QString::fromLatin1(tabellen[i]));
        ASSERT_EQ(int(r[i].spalten.size()), spalten[i]);
        const Spalte& s0 = r[i].spalten[0];
        EXPECT_EQ(s0.feld, QStringLiteral("I1"));
        EXPECT_EQ(s0.typ, Laufnummer);
        EXPECT_EQ(s0.breiteMm, 12.5);
        EXPECT_EQ(s0.tooltip, i == 0 ? QStringLiteral("Lfd. Nummer") : QStringLiteral("Nummer"));
        for (size_t c = 1; c < r[i].spalten.size(); ++c)
            EXPECT_EQ(r[i].spalten[c].breiteMm, 15.0);
    }
    // Saved and opened in table order.
    QStringList folge;
    for (const Raster* x : rasterNachTabelle())
        folge << x->tabelle;
    EXPECT_EQ(folge.join(QLatin1Char(',')), QStringLiteral("E2,E3,E4,E5,E6,E7,E8,E9,E10,E11"));
    // The coded columns sit where the translations look for them.
    EXPECT_EQ(r[1].spalten[1].kodierung, Kodierung::Grundwassertyp);
    EXPECT_EQ(r[2].spalten[5].kodierung, Kodierung::Entnahmeverfahren);
    EXPECT_EQ(r[4].spalten[1].kodierung, Kodierung::Sondentyp);
    EXPECT_EQ(r[7].tabDeutsch, QStringLiteral(" Flachdilatometer"));
    EXPECT_EQ(r[7].tabEnglisch, QStringLiteral("Flachdilatometer"));
    EXPECT_EQ(r[7].spalten[2].zeile1, QStringLiteral("I {t,1}D"));
}
