#include "pages/Seite11.h"

#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "autocad/clsAGRAFIK.h"
#include "drawing/clsGRAFIK.h"
#include "log/ProfilRegeln.h"
#include "log/Zeilenleser.h"
#include "log/clsPROFIL.h"
#include "platform/StepRunner.h"
#include "platform/VbError.h"

using seite11::Spalte;

namespace {

const QString IDOBJEKT = QStringLiteral("IDOBJEKT");
const Wert BILD_NR = Wert(vb::Variant(int16_t(11)));

drawing::NumberList xStarts()
{
    return {0, 25, 50, 75, 100, 125, 150, 175, 200, 250, 300, 350, 400,
            450, 500, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000};
}

drawing::NumberList xBreiten()
{
    return {25, 50, 75, 100, 125, 150, 175, 200, 250, 300, 350, 400,
            450, 500, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000};
}

void fortschritt(int wert)
{
    db::sharedState().setFortschritt(wert);
}

// Restores the running flag however the composition ends.
struct Laufmarke
{
    bool& flag;
    explicit Laufmarke(bool& f) : flag(f) { flag = true; }
    ~Laufmarke() { flag = false; }
};

} // namespace

Seite11::Seite11() = default;
Seite11::~Seite11() = default;

void Seite11::setDaten(const QString& tabelle, clsDATEN* dat)
{
    if (dat)
        m_fremd[tabelle] = dat;
    else
        m_fremd.erase(tabelle);
}

clsDATEN& Seite11::daten(const QString& tabelle)
{
    if (auto it = m_fremd.find(tabelle); it != m_fremd.end())
        return *it->second;
    auto& eigen = m_eigen[tabelle];
    if (!eigen) {
        eigen = std::make_unique<clsDATEN>();
        eigen->ETABELLE(tabelle);
    }
    return *eigen;
}

void Seite11::BILD11(int16_t OBJ, float XDL, float YDO, drawing::EngineObject* AutoCADDatei)
{
    if (m_laeuft) {
        // Never compose inside a composition: run the request once afterwards.
        m_nachzuholen = Anfrage{OBJ, XDL, YDO, AutoCADDatei};
        return;
    }
    Laufmarke marke(m_laeuft);
    Anfrage a{OBJ, XDL, YDO, AutoCADDatei};
    for (;;) {
        {
            // One transaction per composition: its reads cost no lock each
            // and its view-record writes are stored with one sync.
            clsDATEN::Lauf lauf(daten(QStringLiteral("G0")));
            komponieren(a);
            lauf.beenden();
        }
        if (!m_nachzuholen)
            break;
        a = *m_nachzuholen;
        m_nachzuholen.reset();
    }
}

void Seite11::spalteZeichnen(Spalte s, clsDATEN& dat, float x)
{
    int16_t SG = 7;
    clsPROFIL& p = *m_profil;
    switch (s) {
    case Spalte::BOHRUNG: p.BOHRUNG(dat, SG, x); break;
    case Spalte::VERROHRUNG: p.VERROHRUNG(dat, SG, x); break;
    case Spalte::GRUNDWASSER: p.GRUNDWASSER(dat, SG, x); break;
    case Spalte::PROBEN: p.PROBEN(dat, SG, x); break;
    case Spalte::STANDARDSONDE: p.STANDARDSONDE(dat, SG, x); break;
    case Spalte::TASCHENPENETROMETER: p.TASCHENPENETROMETER(dat, SG, x); break;
    case Spalte::KORNVERTEILUNG: p.KORNVERTEILUNG(dat, SG, x); break;
    case Spalte::BILDSAMKEIT: p.BILDSAMKEIT(dat, SG, x); break;
    case Spalte::FLACHDILATOMETER: p.FLACHDILATOMETER(dat, SG, x); break;
    case Spalte::PRESSIOMETER: p.PRESSIOMETER(dat, SG, x); break;
    case Spalte::PROFIL: break;
    }
    m_spalten.emplace_back(s, x);
}

float Seite11::bemerkungsbreite(const seite11::Schalter& schalter, bool TAV, bool OPTH)
{
    // A column switched on whose table has no rows draws nothing.
    vb::ErrorTrap falle(QStringLiteral("Bild 11"));
    const auto zeichnet = [&](size_t k) {
        return !zeilennummern(falle, daten(QString::fromLatin1(seite11::SPALTEN[k].tabelle))).empty();
    };
    const int16_t SG = 7;   // the font size every column is drawn in
    return seite11::bemerkungsbreite(schalter, zeichnet,
                                     profilregeln::pfeiltextReichweite(SG, profilregeln::tiefensymbol(TAV, OPTH)),
                                     profilregeln::BEMERKUNGSBREITE);
}

void Seite11::komponieren(const Anfrage& a)
{
    // A read or write that reports failure (falle.access) ends the composition
    // quietly: the accessor has shown its own box.
    vb::ErrorTrap falle(QStringLiteral("Bild 11"));
    const int16_t OBJ = a.OBJ;
    m_spalten.clear();

    // 1-3: picture, painter, engine.
    if (OBJ == seite11::BILDSCHIRM)
        falle([&] {
            if (!bild)
                vb::raise(vb::err::ObjectNotSet);
            bild->Cls();
        });
    falle([&] { m_profil = std::make_shared<clsPROFIL>(); });
    if (falle.cancelled() || !m_profil)
        return;
    falle([&] {
        if (OBJ == seite11::AUTOCAD)
            m_profil->setEBOACAD(true);
        std::shared_ptr<drawing::DrawingInterface> neu;
        if (maschinenFabrik)
            neu = maschinenFabrik(OBJ);
        else if (OBJ == seite11::AUTOCAD)
            neu = std::make_shared<clsAGRAFIK>();
        else
            neu = std::make_shared<clsGRAFIK>();
        if (!neu)
            vb::raise(vb::err::CannotCreateObject);
        m_maschine = std::move(neu);
    });
    if (falle.cancelled() || !m_maschine)
        return;
    std::shared_ptr<drawing::DrawingInterface> g = m_maschine;

    clsDATEN& E1 = daten(QStringLiteral("E1"));
    clsDATEN& E2 = daten(QStringLiteral("E2"));
    clsDATEN& E12 = daten(QStringLiteral("E12"));
    clsDATEN& G0 = daten(QStringLiteral("G0"));

    // 4: scale: world metres per page millimetre.
    falle([&] {
        float MA = 0;
        m_massstab = 0;
        E12.DTVS(QStringLiteral("MA"), MA);
        m_massstab = MA / 1000.0f;
        G0.DVTS(QStringLiteral("MY"), m_massstab, IDOBJEKT, BILD_NR);
    });

    // 5: a new evaluation starts from a fresh view record.
    if (BONEU) {
        falle([&] {
            G0.DVTI(QStringLiteral("OX"), 1, IDOBJEKT, BILD_NR);
            G0.DVTI(QStringLiteral("OY"), -1, IDOBJEKT, BILD_NR);
            const std::pair<const char*, float> werte[] = {
                {"RL", seite11::RAND_LINKS}, {"RR", seite11::RAND_RECHTS}, {"RO", 5}, {"RU", 5}, {"XMIN", 0}, {"XMAX", 0},
                {"YMIN", 0}, {"YMAX", 0}, {"MX", 1}, {"MYMX", 0}};
            for (const auto& [spalte, wert] : werte)
                G0.DVTS(QString::fromLatin1(spalte), wert, IDOBJEKT, BILD_NR);
        });
    }

    // 6-7: identity and target.
    falle([&] {
        g->EID(ID);
        g->EIDOBJEKT(11);
    });
    falle([&] {
        const float twipsProMm = float(drawing::kTwipsPerMm);
        switch (OBJ) {
        case seite11::BILDSCHIRM:
            g->EOBJEKT(bild);
            g->EXDL(0);
            g->EYDO(0);
            g->EXBALKEN(xBalken);
            g->EYBALKEN(yBalken);
            break;
        case seite11::DRUCKER:
            g->EOBJEKT(drucker);
            g->EXDL(bildLinks / twipsProMm + a.XDL);
            g->EYDO(bildOben / twipsProMm + a.YDO);
            g->ELX(175);
            g->ELY(230);
            g->EXBALKEN(xBalken);
            g->EYBALKEN(yBalken);
            break;
        case seite11::AUTOCAD:
            g->EBOGRENZEN(acadGrenzen);
            g->EOBJEKT(a.datei);
            g->EXBALKEN(xBalken);
            g->EYBALKEN(yBalken);
            g->EXDL(a.XDL);
            g->EYDO(a.YDO);
            g->ELX(bildBreite / twipsProMm);
            g->ELY(bildHoehe / twipsProMm);
            break;
        default:
            vb::raise(vb::err::InvalidCall);
        }
    });
    if (falle.cancelled())
        return;
    fortschritt(25);

    // 9: axes. The x range starts at the stored XMIN and ends at the page
    // extent; the depth range is fitted to the data at its top, and at its
    // bottom only on a new evaluation.
    falle([&] {
        g->EBOXMIN(false);
        g->EBOXMAX(true);
        g->EAXEX(0);
        g->ESKTX(0);
        g->ELXMIN(xStarts());
        g->ELXDIFF(xBreiten());
        g->ELXIT(g->ELXDIFF().value_or(drawing::NumberList{}));
        g->ELXGIT(g->ELXDIFF().value_or(drawing::NumberList{}));
        g->ETEXTX(QString());
        g->EBOYMIN(true);
        g->EBOYMAX(BONEU);
        g->EAXEY(0);
        g->ESKTY(0);
        g->ELYMIN(ELYMIN);
        g->ELYDIFF(ELYDIFF);
        g->ELYIT(ELYIT);
        g->ELYGIT(ELYGIT);
        g->ETEXTY(QString());
    });
    if (falle.cancelled())
        return;

    // 10-11: page extent from the switches.
    seite11::Schalter schalter{};
    for (size_t k = 0; k < seite11::SPALTEN.size(); ++k)
        if (seite11::SPALTEN[k].schalter)
            falle.access([&] { return E12.DTVI(QString::fromLatin1(seite11::SPALTEN[k].schalter), schalter[k]); });
    if (falle.cancelled())
        return;
    falle([&] { m_xBereich = {0.0f, seite11::anordnen(OBJ, schalter).ausdehnung}; });

    // 12-14: depth range with room for the header block above and 20 mm below.
    // Without a scale the engine fits MY itself; the allowances take 1:75.
    if (m_massstab == 0.0f)
        m_massstab = seite11::ERSATZ_MASSSTAB;
    int16_t BZTV = 0;
    falle.access([&] { return E12.DTVI(QStringLiteral("BZTV"), BZTV); });
    if (falle.cancelled())
        return;
    if (BZTV != 1)
        falle.access([&] { return G0.DVTS(QStringLiteral("YMIN"), 0.0f, IDOBJEKT, BILD_NR); });
    if (falle.cancelled())
        return;
    float letzteTiefe = 0;
    falle([&] {
        int16_t MINI = 0, AN = 0;
        m_letzteSchicht = 0;
        E2.INDEX(MINI, m_letzteSchicht, AN, QStringLiteral("I1"));
        E2.DTVS(QStringLiteral("TUKS"), letzteTiefe, QStringLiteral("I1"), Wert(vb::Variant(m_letzteSchicht)));
    });
    m_yBereich = seite11::tiefenbereich(BZTV, m_massstab, letzteTiefe);

    // 15-16: frame.
    falle([&] {
        g->LINIENEINSTELLUNGEN();
        g->SCHRIFTEINSTELLUNGEN();
        g->SKALEN(-1, std::vector<float>(m_xBereich.begin(), m_xBereich.end()),
                  std::vector<float>(m_yBereich.begin(), m_yBereich.end()));
    });
    float XMIN = 0, YMIN = 0;
    falle.access([&] { return G0.DTVS(QStringLiteral("XMIN"), XMIN, IDOBJEKT, BILD_NR); });
    falle.access([&] { return G0.DTVS(QStringLiteral("YMIN"), YMIN, IDOBJEKT, BILD_NR); });
    if (falle.cancelled())
        return;
    fortschritt(35);

    // 18: the painter.
    clsPROFIL& p = *m_profil;
    falle([&] { p.setEclsBILD(g); });
    falle([&] { p.setEYB(0); });
    bool OPTH = false, TAV = false;
    {
        float ROK = 0, H = 0;
        QStringList namen;
        falle.access([&] { return E1.DTVS(QStringLiteral("ROK"), ROK); });
        falle([&] { p.setEROK(ROK); });
        for (const char* spalte : {"B1", "B2", "B3", "B4"}) {
            QString name;
            falle.access([&] { return E1.DTVT(QString::fromLatin1(spalte), name); });
            namen << name;
        }
        if (falle.cancelled())
            return;
        falle([&] { p.setELBU(namen); });
        falle.access([&] { return E1.DTVB(QStringLiteral("OPTH"), OPTH); });
        falle([&] { p.setEOPTH(OPTH); });
        falle.access([&] { return E12.DTVB(QStringLiteral("TAV"), TAV); });
        falle([&] { p.setETAV(TAV); });
        falle.access([&] { return E1.DTVS(QStringLiteral("H"), H); });
        falle([&] { p.setEH(H); });
        if (falle.cancelled())
            return;
    }
    fortschritt(40);

    // 20: header block.
    falle.access([&] { return E12.DTVI(QStringLiteral("BZTV"), BZTV); });
    if (falle.cancelled())
        return;
    if (BZTV == 1) {
        KopfParameter k;
        falle.access([&] { return E12.DTVI(QStringLiteral("SYMBOLE"), k.SYMBOLE); });
        falle.access([&] { return E12.DTVI(QStringLiteral("FARBEN"), k.FARBEN); });
        if (falle.cancelled())
            return;
        k.SG = 8;
        k.LL = 0.0f;
        k.X = XMIN;
        k.Y = YMIN;
        falle([&] { p.BESCHRIFTUNG(E1, k); });
    }
    fortschritt(44);

    // 21-24: the columns from left to right. Each switch is read as its
    // column comes up; the columns stand where anordnen places them with the
    // switches read so far (a column's place depends only on those before it).
    seite11::Schalter gelesen{};
    for (size_t k = 0; k < seite11::SPALTEN.size(); ++k) {
        const seite11::SpaltenArt& s = seite11::SPALTEN[k];
        if (falle.cancelled())
            return;
        if (s.spalte == Spalte::PROFIL) {
            ProfilParameter pp;
            const std::pair<const char*, int16_t*> schalterFelder[] = {
                {"SYMBOLE", &pp.SYMBOLE}, {"FARBEN", &pp.FARBEN}, {"BUV", &pp.BUV}, {"BEMV", &pp.BEMV},
                {"BFV", &pp.BFV}, {"BZSV", &pp.BZSV}};
            for (const auto& [spalte, ziel] : schalterFelder)
                falle.access([&] { return E12.DTVI(QString::fromLatin1(spalte), *ziel); });
            falle.access([&] { return E12.DTVB(QStringLiteral("ARV"), pp.ARV); });
            if (falle.cancelled())
                return;
            const float x = seite11::anordnen(OBJ, gelesen).x[k];
            pp.SG = 7;
            pp.X = x;
            falle([&] { pp.BEMBREITE = bemerkungsbreite(schalter, TAV, OPTH); });
            if (falle.cancelled())
                return;
            falle([&] { p.PROFIL(E2, pp); });
            m_spalten.emplace_back(s.spalte, x);
            fortschritt(s.fortschritt);
            continue;
        }
        falle.access([&] { return E12.DTVI(QString::fromLatin1(s.schalter), gelesen[k]); });
        if (falle.cancelled())
            return;
        const seite11::Anordnung lage = seite11::anordnen(OBJ, gelesen);
        if (lage.gezeichnet[k])
            falle([&] { spalteZeichnen(s.spalte, daten(QString::fromLatin1(s.tabelle)), lage.x[k]); });
        fortschritt(s.fortschritt);
    }
}
