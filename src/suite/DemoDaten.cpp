// The demo project: boreholes of a bridge and road site in a river valley,
// with layers, groundwater, samples and the in-situ tests.

#include "suite/SuiteBuilder.h"

#include "database/Connection.h"

#include <QDate>

#include <cmath>
#include <initializer_list>

namespace suite {

namespace {

using vb::Variant;

const Variant N = Variant::null();

Variant t(const char* s) { return s ? Variant(QString::fromUtf8(s)) : N; }
Variant f(double x) { return Variant(float(x)); }
Variant i16(int x) { return Variant(int16_t(x)); }
Variant l(int x) { return Variant(x); }
Variant d(int jahr, int monat, int tag) { return Variant::date(QDate(jahr, monat, tag)); }

// Inserts rows, each value converted by its column's declared type.
class Schreiber {
public:
    explicit Schreiber(db::Connection& c) : m_c(c) {}

    void zeile(const QString& tabelle, const QStringList& spalten, const std::vector<Variant>& werte)
    {
        QString sql = QStringLiteral("INSERT INTO [") + tabelle + QStringLiteral("] (");
        QString fragen;
        db::Params p;
        for (int i = 0; i < spalten.size(); ++i) {
            if (i) {
                sql += QLatin1Char(',');
                fragen += QLatin1Char(',');
            }
            sql += QLatin1Char('[') + spalten[i] + QLatin1Char(']');
            fragen += QLatin1Char('?');
            p.push_back(db::convertForColumn(werte[size_t(i)], m_c.columnType(tabelle, spalten[i])));
        }
        m_c.execute(sql + QStringLiteral(") VALUES (") + fragen + QLatin1Char(')'), p);
    }

    // Rows of a per-record table: ID and I1 are put in front of each row.
    void tabelle(const QString& name, int32_t id, const QStringList& spalten,
                 std::initializer_list<std::vector<Variant>> zeilen)
    {
        int i1 = 0;
        for (const auto& z : zeilen)
            detail(name, id, i1++, spalten, z);
    }

    void detail(const QString& name, int32_t id, int i1, const QStringList& spalten, const std::vector<Variant>& z)
    {
        std::vector<Variant> werte{l(id), i16(i1)};
        werte.insert(werte.end(), z.begin(), z.end());
        zeile(name, QStringList{QStringLiteral("ID"), QStringLiteral("I1")} + spalten, werte);
    }

    // The display options as every save leaves them (scale 1:ma, fill mode
    // farben).
    void anzeige(int32_t id, int ma = 100, int farben = 0)
    {
        zeile(QStringLiteral("E12"),
              {"ID", "MA", "SYMBOLE", "FARBEN", "BZTV", "BZSV", "BFV", "BEMV", "BUV", "ARV", "BVV", "VV", "PROV",
               "GWV", "TPV", "STSV", "BILDV", "PRV", "FDV", "KVV", "TAV"},
              {l(id), i16(ma), i16(0), i16(farben), i16(1), i16(1), i16(1), i16(1), i16(1), Variant(false), i16(1),
               i16(1), i16(1), i16(1), i16(1), i16(1), i16(1), i16(1), i16(1), i16(1), Variant(true)});
    }

    // A record evaluated once: its evaluation row says built, and the log
    // page's view record is what the first composition of a page 1:100 with
    // every column shown stores (x range 0 to xmax, depth ymin to ymax).
    void ausgewertet(int32_t id, float xmax, float ymin, float ymax)
    {
        zeile(QStringLiteral("A1"), {"ID", "BONEU"}, {l(id), Variant(false)});
        zeile(QStringLiteral("G0"),
              {"ID", "IDOBJEKT", "OX", "OY", "RL", "RR", "RO", "RU", "XMIN", "XMAX", "YMIN", "YMAX", "MX", "MY",
               "MYMX"},
              {l(id), i16(11), i16(1), i16(-1), f(5), f(7), f(5), f(5), f(0), f(xmax), f(ymin), f(ymax), f(1),
               f(0.1), f(0)});
    }

private:
    db::Connection& m_c;
};

const QStringList kE1 = {"ID", "KEN", "KOM", "AKT", "RW", "HW", "H", "ROK", "OPTK", "OPTH", "B1", "B2", "B3", "B4"};
const QStringList kE2 = {"TUKS", "HPTB1", "HPTB2", "NEBB", "RUND", "ZUST", "FARBE", "BEMS", "BS"};
const QStringList kE3 = {"GTYP", "TGW", "GWDATUM"};
const QStringList kE4 = {"GUETE", "TUKP", "HPK", "BEZ", "ENTVERF", "PF", "PS", "PG", "PPX", "PPY", "D04"};
const QStringList kE5 = {"VTT", "MX", "SX"};
const QStringList kE6 = {"STYP", "VTS", "N15", "N30"};
const QStringList kE7 = {"VTV", "VTYP", "MAT", "DPR"};
const QStringList kE8 = {"VTB", "VERF", "DBL"};
const QStringList kE9 = {"VTBI", "W", "WP", "WL"};
const QStringList kE10 = {"VTP", "PL", "EP"};
const QStringList kE11 = {"VTF", "IND", "KD", "ED"};

struct Schicht {
    double tuks;
    const char* hptb1;
    const char* hptb2;
    const char* nebb;
    const char* rund;
    const char* zust;
    const char* farbe;
    const char* bems;
    int bs;
};

void schichten(Schreiber& s, int32_t id, std::initializer_list<Schicht> liste)
{
    int i1 = 0;
    for (const Schicht& x : liste)
        s.detail(QStringLiteral("E2"), id, i1++, kE2,
                 {f(x.tuks), t(x.hptb1), t(x.hptb2), t(x.nebb), t(x.rund), t(x.zust), t(x.farbe), t(x.bems),
                  i16(x.bs)});
}

// KB 1: core borehole at the bridge abutment, every table filled.
void kb1(Schreiber& s)
{
    const int id = 1;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("KB 1"), t("Kernbohrung Widerlager Achse 10"), Variant(true), Variant(4468123.45),
             Variant(5427890.12), Variant(312.45), f(0.65), Variant(true), Variant(true), t("Dr. K. Lindner"),
             t("Dipl.-Geol. M. Hartwig"), N, N});
    schichten(s, id,
              {{0.30, "Mu", nullptr, "s,u'", nullptr, "lo", "RAL8028", "Oberboden, durchwurzelt", 1},
               {1.40, "bU", nullptr, "s',t'", nullptr, "st", "RAL1011", "Auelehm", 1},
               {2.60, "b'T", nullptr, "u,s'", nullptr, "we", "RAL7031", "Auelehm, tonig", 1},
               {4.10, "fS", "mS", "u'", "ge' ", "md", "RAL1002",
                "Fein- bis Mittelsand, schwach schluffig, gleichkörnig, an der Basis einzelne Feinkieslagen bis "
                "2 cm; ab 3,8 m nass, Wasserzutritt bei 4,0 m; Kern zwischen 3,2 und 3,6 m gestört, Probe aus der "
                "Schappe; organoleptisch unauffällig, kein Geruch; Bohrfortschritt stetig, kein Nachfall",
                2},
               {6.80, "G", "S", "x'", "ge", "di", "RAL7006", "wasserführend", 2},
               {8.50, "gmG", nullptr, "s,x", "ge* ", "di", "RAL7030", "Kernverlust 0,2 m", 2},
               {10.20, "b¯T", nullptr, "u", nullptr, "ha", "RAL7013", "Tertiär", 1},
               {12.00, "fS", nullptr, "u,t'", nullptr, "sd", "RAL1014", "Endteufe", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3,
              {{i16(2), f(4.30), d(2026, 3, 12)}, {i16(1), f(3.85), d(2026, 3, 19)}});
    s.tabelle(QStringLiteral("E4"), id, kE4,
              {{t("3"), f(1.20), f(20.0), t("GP 1"), i16(0), f(62), f(30), f(8), f(0), f(0), f(78)},
               {t("2"), f(3.50), f(25.0), t("SP 2"), i16(1), f(12), f(80), f(8), f(0), f(0), f(35)},
               {t("3"), f(6.00), f(20.0), t("GP 3"), i16(0), f(4), f(28), f(60), f(8), f(0), f(9)},
               {t("1"), f(9.80), f(30.0), t("KP 4"), i16(2), f(88), f(10), f(2), f(0), f(0), f(96)}});
    s.tabelle(QStringLiteral("E5"), id, kE5,
              {{f(0.90), f(150), f(20)}, {f(1.80), f(95), f(15)}, {f(2.40), f(60), f(10)}, {f(9.50), f(380), f(40)}});
    s.tabelle(QStringLiteral("E6"), id, kE6,
              {{i16(0), f(4.50), f(12), f(27)}, {i16(0), f(6.00), f(15), f(33)}, {i16(1), f(7.50), f(22), f(48)}});
    s.tabelle(QStringLiteral("E7"), id, kE7,
              {{f(6.00), t("Bohrrohr"), t("Stahl"), f(178)}, {f(12.00), t("Bohrrohr"), t("Stahl"), f(146)}});
    s.tabelle(QStringLiteral("E8"), id, kE8,
              {{f(1.00), t("Schappe"), f(220)}, {f(12.00), t("Rotationskernbohrung"), f(146)}});
    s.tabelle(QStringLiteral("E9"), id, kE9,
              {{f(1.50), f(24.5), f(19), f(36)}, {f(2.50), f(31.2), f(22), f(48)}, {f(10.00), f(18.8), f(21), f(55)}});
    s.tabelle(QStringLiteral("E10"), id, kE10,
              {{f(5.00), f(9.5), f(85)}, {f(7.00), f(14.0), f(160)}, {f(11.00), f(22.0), f(310)}});
    s.tabelle(QStringLiteral("E11"), id, kE11,
              {{f(1.20), f(0.45), f(4.8), f(5200)},
               {f(2.20), f(0.30), f(3.1), f(3100)},
               {f(3.20), f(1.80), f(2.4), f(9800)},
               {f(9.80), f(0.25), f(6.5), f(14500)}});
    s.anzeige(id);
}

// KB 2: the second abutment.
void kb2(Schreiber& s)
{
    const int id = 2;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("KB 2"), t("Kernbohrung Widerlager Achse 20"), Variant(false), Variant(4468161.08),
             Variant(5427934.77), Variant(311.98), f(0.50), Variant(true), Variant(true), t("Dr. K. Lindner"), N,
             N, N});
    schichten(s, id,
              {{0.20, "Mu", nullptr, "s", nullptr, "lo", "RAL8028", nullptr, 1},
               {1.90, "bU", "fS", "t'", nullptr, "we", "RAL1011", "Auelehm, weich", 1},
               {3.30, "mS", "fS", "g'", "ge' ", "lo", "RAL1002", nullptr, 1},
               {5.70, "G", nullptr, "s,x'", "ge", "md", "RAL7006", "wasserführend", 1},
               {7.10, "X", "G", "s'", "ka", "di", "RAL7030", "Steinlage", 1},
               {9.00, "bT", nullptr, "u", nullptr, "ha", "RAL7013", "Tertiär", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(2), f(3.90), d(2026, 3, 16)}});
    s.tabelle(QStringLiteral("E4"), id, kE4,
              {{t("3"), f(1.50), f(20.0), t("GP 1"), i16(0), f(70), f(25), f(5), f(0), f(0), f(84)},
               {t("3"), f(5.00), f(20.0), t("GP 2"), i16(0), f(3), f(30), f(59), f(8), f(0), f(7)},
               {t("1"), f(8.50), f(30.0), t("KP 3"), i16(2), f(91), f(8), f(1), f(0), f(0), f(97)}});
    s.tabelle(QStringLiteral("E5"), id, kE5, {{f(1.20), f(55), f(10)}, {f(8.70), f(420), f(35)}});
    s.tabelle(QStringLiteral("E6"), id, kE6, {{i16(0), f(4.00), f(9), f(21)}, {i16(0), f(6.50), f(25), f(52)}});
    s.tabelle(QStringLiteral("E7"), id, kE7, {{f(7.50), t("Bohrrohr"), t("Stahl"), f(178)}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(9.00), t("Rotationskernbohrung"), f(146)}});
    s.tabelle(QStringLiteral("E9"), id, kE9, {{f(1.40), f(33.0), f(23), f(45)}, {f(8.80), f(19.5), f(20), f(52)}});
    s.tabelle(QStringLiteral("E10"), id, kE10, {{f(6.00), f(11.5), f(120)}, {f(8.50), f(19.0), f(260)}});
    s.tabelle(QStringLiteral("E11"), id, kE11, {{f(1.00), f(0.35), f(3.6), f(2900)}, {f(2.50), f(2.10), f(2.0), f(11800)}});
    // Evaluated in natural colours: Berechnen shows the layers' RAL colours.
    s.anzeige(id, 100, 1);
    s.ausgewertet(id, 850, -3, 11);
}

// Layers of the deep borehole: valley fill over a Tertiary alternation.
struct Folge {
    const char* hptb1;
    const char* hptb2;
    const char* nebb;
    const char* rund;
    bool bindig;
};

const Folge kTertiaer[] = {
    {"b¯T", nullptr, "u", nullptr, true},     {"bU", nullptr, "t,s'", nullptr, true},
    {"fS", nullptr, "u'", nullptr, false},    {"mS", "fS", "u'", "ge' ", false},
    {"bT", nullptr, "u,s'", nullptr, true},   {"b'U", "fS", "t'", nullptr, true},
    {"gS", "mS", "g'", "ge", false},          {"b¯T", nullptr, "u'", nullptr, true},
    {"fS", "b'U", "t'", nullptr, false},        {"bU", nullptr, "s,t'", nullptr, true},
    {"mfS", nullptr, "u", nullptr, false},
};
const char* kFarbenTertiaer[] = {"RAL7031", "RAL7032", "RAL1014", "RAL7003", "RAL8000", "RAL7013", "RAL1004"};
const char* kBindig[] = {"st", "ha", "fe", "ha"};
const char* kNichtbindig[] = {"md", "di", "sd", "di"};

int bk3(Schreiber& s)
{
    const int id = 3;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("BK 3/26"), t("Tiefbohrung Pfeiler Achse 15, Erkundung Tertiär"), Variant(false),
             Variant(4468140.61), Variant(5427911.30), Variant(312.10), f(0.80), Variant(true), Variant(true),
             t("Dr. K. Lindner"), t("Dipl.-Geol. M. Hartwig"), t("Prof. Dr. E. Sauer"), N});
    int i1 = 0;
    auto schicht = [&](double tuks, const char* h1, const char* h2, const char* nebb, const char* rund,
                       const char* zust, const char* farbe, const char* bems, int bs) {
        s.detail(QStringLiteral("E2"), id, i1++, kE2,
                 {f(tuks), t(h1), t(h2), t(nebb), t(rund), t(zust), t(farbe), t(bems), i16(bs)});
    };
    schicht(0.40, "Mu", nullptr, "s,u", nullptr, "lo", "RAL8028", "Oberboden", 1);
    schicht(1.60, "bU", nullptr, "s',t'", nullptr, "st", "RAL1011", "Auelehm", 1);
    schicht(3.00, "G", "S", "x'", "ge", "md", "RAL7006", "Talkies, wasserführend", 2);
    double tiefe = 3.00;
    for (int k = 0; i1 < 64; ++k) {
        tiefe += 0.60 + 0.10 * (k % 4) + ((k % 9 == 4) ? 0.35 : 0.0);
        tiefe = std::round(tiefe * 100.0) / 100.0;
        const Folge& g = kTertiaer[k % std::size(kTertiaer)];
        const char* zust = g.bindig ? kBindig[k % 4] : kNichtbindig[k % 4];
        const char* bems = nullptr;
        if (k % 7 == 3)
            bems = "Lignitstreifen";
        else if (k % 11 == 5)
            bems = "Kalkkonkretionen";
        else if (k % 13 == 8)
            bems = "Kernverlust 0,1 m";
        schicht(tiefe, g.hptb1, g.hptb2, g.nebb, g.rund, zust, kFarbenTertiaer[k % std::size(kFarbenTertiaer)],
                bems, 1 + k % 3);
    }
    const double endteufe = tiefe;
    s.tabelle(QStringLiteral("E3"), id, kE3,
              {{i16(2), f(2.10), d(2026, 2, 23)}, {i16(1), f(1.95), d(2026, 3, 2)}, {i16(0), f(14.60), N}});
    for (int k = 0; k < 12; ++k) {
        const double tiefeP = 1.2 + k * 3.9;
        const bool fein = k % 3 != 1;
        const double pf = fein ? 55 + (k * 7) % 35 : 6 + k % 5;
        const double ps = fein ? 100 - pf - 4 : 62 - k % 5;
        const double pg = 100 - pf - ps;
        s.detail(QStringLiteral("E4"), id, k, kE4,
                 {t(k % 4 == 3 ? "1" : "2"), f(tiefeP), f(k % 4 == 3 ? 30.0 : 20.0),
                  Variant(QString::fromLatin1(k % 4 == 3 ? "KP %1" : "SP %1").arg(k + 1)), i16(k % 4 == 3 ? 2 : 1),
                  f(pf), f(ps), f(pg), f(0), f(0), f(std::min(99.0, pf + 12))});
    }
    for (int k = 0; k < 6; ++k)
        s.detail(QStringLiteral("E5"), id, k, kE5, {f(1.0 + k * 7.5), f(120 + k * 45), f(15 + k * 4)});
    for (int k = 0; k < 10; ++k)
        s.detail(QStringLiteral("E6"), id, k, kE6, {i16(k < 4 ? 0 : 1), f(4.5 + k * 4.5), f(8 + k * 3), f(18 + k * 7)});
    s.tabelle(QStringLiteral("E7"), id, kE7,
              {{f(3.50), t("Standrohr"), t("Stahl"), f(273)},
               {f(18.00), t("Bohrrohr"), t("Stahl"), f(219)},
               {f(36.00), t("Bohrrohr"), t("Stahl"), f(178)}});
    s.tabelle(QStringLiteral("E8"), id, kE8,
              {{f(3.50), t("Greiferbohrung"), f(300)},
               {f(18.00), t("Rotationskernbohrung"), f(200)},
               {f(endteufe), t("Seilkernbohrung"), f(146)}});
    for (int k = 0; k < 8; ++k)
        s.detail(QStringLiteral("E9"), id, k, kE9, {f(4.0 + k * 5.5), f(21.0 + (k * 3) % 9), f(18 + k % 5), f(38 + (k * 5) % 22)});
    for (int k = 0; k < 8; ++k)
        s.detail(QStringLiteral("E10"), id, k, kE10, {f(5.0 + k * 5.0), f(10.0 + k * 3.5), f(90 + k * 45)});
    for (int k = 0; k < 15; ++k)
        s.detail(QStringLiteral("E11"), id, k, kE11,
                 {f(1.0 + k * 1.0), f(k % 4 == 2 ? 1.9 : 0.3 + 0.05 * k), f(2.0 + 0.3 * (k % 6)), f(3000 + k * 850)});
    s.anzeige(id, 200);
    return i1;
}

// RKS 4: a short driven-core probe in local coordinates.
void rks4(Schreiber& s)
{
    const int id = 4;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("RKS 4"), N, Variant(false), Variant(105.30), Variant(212.75), Variant(0.35), N,
             Variant(false), Variant(false), t("Dipl.-Geol. M. Hartwig"), N, N, N});
    schichten(s, id,
              {{0.50, "A", nullptr, "g,s,x'", "ka", "lo", "keine Angabe", "Auffüllung, Ziegelreste", 1},
               {1.80, "bU", nullptr, "s'", nullptr, "we", "RAL1011", nullptr, 1},
               {3.20, "fS", "mS", "u'", "ge' ", "md", "RAL1002", nullptr, 1},
               {4.00, "G", nullptr, "s", "ge", "di", "RAL7006", "kein Bohrfortschritt", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(2), f(2.75), d(2026, 3, 18)}});
    // A standard penetration test whose blow counts were not written down.
    s.tabelle(QStringLiteral("E6"), id, kE6, {{i16(0), f(3.00), N, N}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(4.00), t("Rammkernsondierung"), f(60)}});
    s.anzeige(id);
}

// A well whose identifier carries apostrophes.
void brunnen(Schreiber& s)
{
    const int id = 5;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("Brunnen 'Am Anger'"), t("Förderbrunnen, Ausbau DN 150 'PVC'"), Variant(false),
             Variant(4468302.90), Variant(5428012.44), Variant(309.70), f(0.40), Variant(true), Variant(true),
             t("Dr. K. Lindner"), N, N, N});
    schichten(s, id,
              {{0.30, "Mu", nullptr, "s", nullptr, "lo", "RAL8028", nullptr, 1},
               {2.20, "bU", nullptr, "s,t'", nullptr, "st", "RAL1011", nullptr, 1},
               {7.40, "G", "S", "x'", "ge", "md", "RAL7006", "Grundwasserleiter", 1},
               {9.60, "gG", nullptr, "s,x", "ge* ", "di", "RAL7030", nullptr, 1},
               {11.00, "bT", nullptr, "u", nullptr, "ha", "RAL7013", "Brunnensohle", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(1), f(2.95), d(2026, 4, 2)}});
    s.tabelle(QStringLiteral("E7"), id, kE7,
              {{f(3.00), t("Vollrohr"), t("PVC"), f(150)}, {f(9.50), t("Filterrohr"), t("PVC"), f(150)}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(11.00), t("Trockenbohrung"), f(400)}});
    s.anzeige(id);
}

// The earlier project TE2025.07: a stormwater basin and its inflow, explored
// in autumn 2025. Its KB 1 shares the identifier of the bridge project's
// first borehole but is another borehole.
void frueherKb1(Schreiber& s)
{
    const int id = 1;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("KB 1"), t("Kernbohrung Einlaufbauwerk"), Variant(true), Variant(4468975.20),
             Variant(5426701.64), Variant(299.10), f(0.55), Variant(true), Variant(true), t("Dipl.-Geol. M. Hartwig"),
             N, N, N});
    schichten(s, id,
              {{0.40, "Mu", nullptr, "u,s'", nullptr, "lo", "RAL8028", "Oberboden", 1},
               {2.30, "bU", nullptr, "t,s'", nullptr, "we", "RAL1011", "Hochflutlehm", 1},
               {4.90, "G", "S", "u'", "ge", "md", "RAL7006", "wasserführend", 1},
               {7.00, "bT", nullptr, "u", nullptr, "ha", "RAL7013", "Endteufe", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(2), f(2.60), d(2025, 10, 7)}, {i16(1), f(2.35), d(2025, 10, 14)}});
    s.tabelle(QStringLiteral("E4"), id, kE4,
              {{t("3"), f(1.50), f(20.0), t("GP 1"), i16(0), f(74), f(22), f(4), f(0), f(0), f(88)},
               {t("3"), f(4.00), f(20.0), t("GP 2"), i16(0), f(5), f(33), f(57), f(5), f(0), f(10)}});
    s.tabelle(QStringLiteral("E5"), id, kE5, {{f(1.20), f(70), f(12)}, {f(2.00), f(85), f(14)}});
    s.tabelle(QStringLiteral("E6"), id, kE6, {{i16(0), f(3.00), f(7), f(16)}, {i16(0), f(4.50), f(18), f(39)}});
    s.tabelle(QStringLiteral("E7"), id, kE7, {{f(5.00), t("Bohrrohr"), t("Stahl"), f(146)}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(7.00), t("Rotationskernbohrung"), f(146)}});
    s.tabelle(QStringLiteral("E9"), id, kE9, {{f(1.80), f(27.5), f(20), f(41)}});
    s.anzeige(id);
}

// B 1: the borehole the information system already holds.
void frueherB1(Schreiber& s)
{
    const int id = 2;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("B 1"), t("Erkundung Regenrückhaltebecken"), Variant(false), Variant(4469012.37),
             Variant(5426733.81), Variant(298.62), f(0.50), Variant(true), Variant(true), t("Dipl.-Geol. M. Hartwig"),
             N, N, N});
    schichten(s, id,
              {{0.30, "Mu", nullptr, "s,u'", nullptr, "lo", "RAL8028", "Oberboden", 1},
               {2.10, "bU", nullptr, "s,t'", nullptr, "st", "RAL1011", nullptr, 1},
               {5.00, "G", "S", "u'", "ge", "md", "RAL7006", "wasserführend", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(2), f(2.40), d(2025, 10, 9)}});
    s.tabelle(QStringLiteral("E4"), id, kE4,
              {{t("2"), f(1.80), f(25.0), t("SP 1"), i16(1), f(68), f(27), f(5), f(0), f(0), f(81)}});
    s.tabelle(QStringLiteral("E6"), id, kE6, {{i16(0), f(3.50), f(11), f(24)}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(5.00), t("Schappe"), f(220)}});
    s.anzeige(id);
}

// B 2: the inflow channel, in local coordinates.
void frueherB2(Schreiber& s)
{
    const int id = 3;
    s.zeile(QStringLiteral("E1"), kE1,
            {l(id), t("B 2"), t("Zulaufgerinne"), Variant(false), Variant(48.20), Variant(131.75), Variant(1.25), N,
             Variant(false), Variant(false), t("Dipl.-Geol. M. Hartwig"), N, N, N});
    schichten(s, id,
              {{0.60, "A", nullptr, "s,g,x'", "ka", "lo", "keine Angabe", "Auffüllung", 1},
               {1.90, "bU", nullptr, "t'", nullptr, "we", "RAL1011", nullptr, 1},
               {3.40, "fS", "mS", "u'", "ge' ", "md", "RAL1002", nullptr, 1},
               {4.20, "bT", nullptr, "u", nullptr, "st", "RAL7031", nullptr, 1},
               {5.00, "G", nullptr, "s", "ge", "di", "RAL7006", "Endteufe", 1}});
    s.tabelle(QStringLiteral("E3"), id, kE3, {{i16(2), f(1.70), d(2025, 10, 10)}});
    s.tabelle(QStringLiteral("E5"), id, kE5, {{f(1.00), f(45), f(8)}});
    s.tabelle(QStringLiteral("E8"), id, kE8, {{f(5.00), t("Rammkernsondierung"), f(80)}});
    s.tabelle(QStringLiteral("E11"), id, kE11, {{f(1.50), f(0.40), f(3.0), f(2600)}});
    s.anzeige(id);
}

} // namespace

std::vector<DemoBohrung> demoUebersicht()
{
    return {{1, QStringLiteral("KB 1"), 8},
            {2, QStringLiteral("KB 2"), 6},
            {3, QStringLiteral("BK 3/26"), 64},
            {4, QStringLiteral("RKS 4"), 4},
            {5, QStringLiteral("Brunnen 'Am Anger'"), 5}};
}

std::vector<DemoBohrung> demoBohrungen(db::Connection& cnn)
{
    db::Connection::Transaction tx(cnn);
    Schreiber s(cnn);
    kb1(s);
    kb2(s);
    bk3(s);
    rks4(s);
    brunnen(s);
    tx.commit();
    return demoUebersicht();
}

std::vector<DemoBohrung> fruehereUebersicht()
{
    return {{1, QStringLiteral("KB 1"), 4}, {2, QStringLiteral("B 1"), 3}, {3, QStringLiteral("B 2"), 5}};
}

std::vector<DemoBohrung> fruehereBohrungen(db::Connection& cnn)
{
    db::Connection::Transaction tx(cnn);
    Schreiber s(cnn);
    frueherKb1(s);
    frueherB1(s);
    frueherB2(s);
    tx.commit();
    return fruehereUebersicht();
}

} // namespace suite
