#include "entry/Eingabetabellen.h"

#include <algorithm>

namespace eingabe {

namespace {

QString u(const char* t) { return QString::fromUtf8(t); }

// Column 0 of every grid: the running number I1.
Spalte laufnummer(const char* tooltip)
{
    Spalte s;
    s.feld = QStringLiteral("I1");
    s.zeile1 = QStringLiteral("Lfd.");
    s.zeile2 = QStringLiteral("Nr.");
    s.tooltip = u(tooltip);
    s.typ = Laufnummer;
    s.format = QStringLiteral("#0");
    s.ausrichtung = Mitte;
    s.breiteMm = 12.5;
    return s;
}

Spalte sp(const char* feld, const char* z1, const char* z2, const char* tip, int typ, const char* format, int al,
          Liste liste = Liste::Keine, Kodierung kod = Kodierung::Keine)
{
    Spalte s;
    s.feld = u(feld);
    s.zeile1 = u(z1);
    s.zeile2 = u(z2);
    s.tooltip = u(tip);
    s.typ = typ;
    s.format = u(format);
    s.ausrichtung = al;
    s.liste = liste;
    s.kodierung = kod;
    return s;
}

std::vector<Raster> baue()
{
    std::vector<Raster> r;
    r.push_back({0, QStringLiteral("E2"), u("Schichtenaufbau"), u("layers"),
                 {laufnummer("Lfd. Nummer"),
                  sp("TUKS", "UK Schicht", "[m]", "Tiefe des Profils unter der GOK", Text, "#0.00", Rechts),
                  sp("HPTB1", "Hauptbe-", "standteil1", "Hauptbestandteil 1", Auswahl, "", Links,
                     Liste::Hauptbestandteile),
                  sp("HPTB2", "Hauptbe-", "standteil2", "Hauptbestandteil 2", Auswahl, "", Links,
                     Liste::Hauptbestandteile),
                  sp("NEBB", "Nebenbe-", "standteile",
                     "Nebenbestandteile; Falls mehrere vorhanden sind, können sie durch ein Komma direkt in das Feld "
                     "eingegeben werden;",
                     Auswahl, "", Links, Liste::Nebenbestandteile),
                  sp("RUND", "Rundungs-", "grad", "Rundungsgrad rund / kantig", Auswahl, "", Links,
                     Liste::Rundungsgrad),
                  sp("ZUST", "Boden-", "zust.", "Bodenzustand", Auswahl, "", Links, Liste::Bodenzustand),
                  sp("FARBE", "Boden-", "farbe", "Bodenfarbe", Auswahl, "", Links, Liste::Bodenfarbe),
                  sp("BEMS", "Kommentar", "", "Bemerkung zur Schicht", Text, "", Links),
                  sp("BS", "Beurteiler", "", "Beurteiler der Schicht", Auswahl, "", Links, Liste::Beurteiler)}});
    r.push_back({1, QStringLiteral("E3"), u("Grundwasser"), u("groundwater"),
                 {laufnummer("Nummer"),
                  sp("GTYP", "GTYP", "", "Meßzeitpunkt der Grundwasserbeobachtung", Auswahl, "", Links,
                     Liste::Grundwasser, Kodierung::Grundwassertyp),
                  sp("TGW", "TGW", "[m]", "Tiefe des Grundwasserspiegels unter GOK", Text, "#0.00", Rechts),
                  sp("GWDATUM", "DATUM", "[TT.MM.JJ]", "Datum der Beobachtung", Datum, "", Mitte)}});
    r.push_back({2, QStringLiteral("E4"), u("Bodenproben"), u("samples"),
                 {laufnummer("Nummer"), sp("GUETE", "Güte", "", "Probengüte", Text, "", Links),
                  sp("TUKP", "TUKP", "[m]", "Unterkante der Probenentnahmestelle unter GOK", Text, "#0.00", Rechts),
                  sp("HPK", "HPK", "[cm]", "Höhe des Probenkörpers [cm]", Text, "#0.0", Rechts),
                  sp("BEZ", "BEZ", "", "Typenbezeichnung der Probe", Text, "", Links),
                  sp("ENTVERF", "Entnahme-", "verf.", "verwendetes Probenentnahmeverfahren", Auswahl, "", Links,
                     Liste::Entnahmeverfahren, Kodierung::Entnahmeverfahren),
                  sp("PF", "Feinan-", "teil [%]", "Feinanteil", Text, "#0", Rechts),
                  sp("PS", "Sand", "[%]", "Sand", Text, "#0", Rechts),
                  sp("PG", "Kies", "[%]", "Kies", Text, "#0", Rechts),
                  sp("PPX", "Steine", "[%]", "Steine", Text, "#0", Rechts),
                  sp("PPY", "Blöcke", "[%]", "Blöcke", Text, "#0", Rechts),
                  sp("D04", "D 0.4", "[%]", "Durchgang 0.4mm", Text, "#0", Rechts)}});
    r.push_back({3, QStringLiteral("E5"), u("&Taschenpenetrometer"), u("pocket penetrometer"),
                 {laufnummer("Nummer"), sp("VTT", "VTT", "[m]", "Ansatztiefe unter GOK", Text, "#0.00", Rechts),
                  sp("MX", "MX", "[-]", "Mittelwert des Versuchs", Text, "#0.0", Rechts),
                  sp("SX", "SX", "[-]", "Standardabweichung des Versuchs", Text, "#0.0", Rechts)}});
    r.push_back({4, QStringLiteral("E6"), u("Standardsonde"), u("standard penetrometer"),
                 {laufnummer("Nummer"),
                  sp("STYP", "STYP", "", "Standardsondentyp", Auswahl, "", Links, Liste::Sondentyp,
                     Kodierung::Sondentyp),
                  sp("VTS", "VTS", "[m]", "Tiefe des Ansatzpunktes unter GOK", Text, "#0.00", Rechts),
                  sp("N15", "N15", "[-]", "Schlagzahl von 0-15 cm", Text, "#0", Mitte),
                  sp("N30", "N30", "[-]", "Schlagzahl von 0-30 cm", Text, "#0", Mitte)}});
    r.push_back({5, QStringLiteral("E8"), u("Bohrverfahren"), u("drill-method"),
                 {laufnummer("Nummer"), sp("VTB", "VTB", "[m]", "Tiefe unter GOK", Text, "#0.00", Rechts),
                  sp("VERF", "Verfahren", "[-]", "angewantes Bohrverfahren", Text, "", Links),
                  sp("DBL", "DBL", "[mm]", "Bohrloch Durchmesser", Text, "#0", Mitte)}});
    r.push_back({6, QStringLiteral("E10"), u("Pressiometer"), u("pressure meter"),
                 {laufnummer("Nummer"), sp("VTP", "VTP", "[m]", "Tiefe der Meßzelle unter GOK", Text, "#0.00", Rechts),
                  sp("PL", "PL", "[bar]", "Grenzdruck", Text, "#0", Rechts),
                  sp("EP", "EP", "[bar]", "Pressiometermodul", Text, "#0", Rechts)}});
    r.push_back({7, QStringLiteral("E11"), u(" Flachdilatometer"), u("Flachdilatometer"),
                 {laufnummer("Nummer"), sp("VTF", "VTF", "[m]", "Versuchstiefe unter GOK", Text, "#0.00", Rechts),
                  sp("IND", "I {t,1}D", "[1]", "Materialindex", Text, "#0.00", Mitte),
                  sp("KD", "K{t,1}D", "[1]", "Horizontalspannungsindex", Text, "#0.00", Mitte),
                  sp("ED", "E{t,1}D", "[kN/m²]", "Dilatometermodul", Text, "#0.00", Mitte)}});
    r.push_back({8, QStringLiteral("E9"), u("Bildsamkeit"), u("plasticity"),
                 {laufnummer("Nummer"), sp("VTBI", "VTBI", "[m]", "Versuchstiefe unter GOK", Text, "#0.00", Rechts),
                  sp("W", "W", "[%]", "Wassergehalt in %", Text, "#0.0", Rechts),
                  sp("WP", "WP", "[-]", "Ausrollgrenze nach Atterberg", Text, "#0", Mitte),
                  sp("WL", "WL", "[-]", "Fließgrenze nach Atterberg", Text, "#0", Mitte)}});
    r.push_back({9, QStringLiteral("E7"), u("Verrohrung"), u("casing"),
                 {laufnummer("Nummer"),
                  sp("VTV", "VTV", "[m]", "Tiefe der Rohrunterkante unter GOK", Text, "#0.00", Rechts),
                  sp("VTYP", "VTYP", "", "Rohrtyp", Text, "", Links),
                  sp("MAT", "Rohr-", "material", "Rohrmaterial", Auswahl, "", Links, Liste::Rohrmaterial),
                  sp("DPR", "DPR", "[mm]", "Rohrdurchmesser", Text, "#0", Mitte)}});
    return r;
}

} // namespace

const std::vector<Raster>& raster()
{
    static const std::vector<Raster> r = baue();
    return r;
}

std::vector<const Raster*> rasterNachTabelle()
{
    std::vector<const Raster*> r;
    for (const Raster& x : raster())
        r.push_back(&x);
    std::sort(r.begin(), r.end(),
              [](const Raster* a, const Raster* b) { return a->tabelle.mid(1).toInt() < b->tabelle.mid(1).toInt(); });
    return r;
}

QString tab0Deutsch() { return QStringLiteral(" Allgemeine Daten"); }
QString tab0Englisch() { return QStringLiteral("general data"); }

const std::vector<Anzeigevorgabe>& anzeigevorgaben()
{
    static const std::vector<Anzeigevorgabe> v = {
        {QStringLiteral("MA"), 100, false},  {QStringLiteral("SYMBOLE"), 0, false}, {QStringLiteral("FARBEN"), 0, false},
        {QStringLiteral("BZTV"), 1, false},  {QStringLiteral("BZSV"), 1, false},    {QStringLiteral("BFV"), 1, false},
        {QStringLiteral("BEMV"), 1, false},  {QStringLiteral("BUV"), 1, false},     {QStringLiteral("ARV"), 0, true},
        {QStringLiteral("BVV"), 1, false},   {QStringLiteral("VV"), 1, false},      {QStringLiteral("PROV"), 1, false},
        {QStringLiteral("GWV"), 1, false},   {QStringLiteral("TPV"), 1, false},     {QStringLiteral("STSV"), 1, false},
        {QStringLiteral("BILDV"), 1, false}, {QStringLiteral("PRV"), 1, false},     {QStringLiteral("FDV"), 1, false},
        {QStringLiteral("KVV"), 1, false},   {QStringLiteral("TAV"), -1, true},
    };
    return v;
}

} // namespace eingabe
