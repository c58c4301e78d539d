#pragma once
// clsPROFIL — the log painter. One painter draws the columns of one log page:
// the header block, the soil column and the test columns. It is handed a
// drawing engine (screen, printer, CAD or a recording engine — it only calls
// the drawing interface) and takes a copy of the picture's view record when
// the engine is set. Every column reads its table through the accessor it is
// given and draws nothing when the record has no rows there.
//
// Units: x in world units of the picture (page mm while the view's MX is 1),
// y in metres of depth. k mm right of x is x + k*MX; k mm down the page from y
// is y + d*k*MY with the down sign d (-1 when OY is 1, else +1).
#include "log/ProfilRegeln.h"
#include "platform/Variant.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

class clsDATEN;
namespace drawing { class DrawingInterface; }

// Parameters of the soil column. Members the column changes (SG 0 becomes 8;
// FARBEN falls to 0 where the target can't show the chosen fill) are written
// back into the caller's record.
struct ProfilParameter
{
    int16_t SYMBOLE = 0;   // symbol standard: 0 ÖNORM, 1 DIN
    int16_t FARBEN = 0;    // fill mode: 0 none, 1 natural colours, 2 by soil family
    int16_t BUV = 0;       // 1: assessor numbers and assessor list
    int16_t BEMV = 0;      // 1: remark line under a layer's description
    int16_t BFV = 0;       // 1: colour line under a layer's description
    int16_t BZSV = 0;      // 1: soil state marks
    bool ARV = false;      // True: descriptions centred in their text block
    int16_t SG = 0;        // font size in points; 0 means 8
    std::optional<float> X;   // left edge of the strip; default: middle of the x range
    int16_t BOKOT = 0;     // non-zero: no depth arrow, no depth leaders and labels
    int16_t BOBKEN = 0;    // non-zero: no description leaders and texts
    // Width in page mm the remarks are broken to: the room the page leaves
    // free right of the column. Default: the least room, BEMERKUNGSBREITE.
    std::optional<float> BEMBREITE;
};

// Parameters of the header block.
struct KopfParameter
{
    int16_t SYMBOLE = 0;
    int16_t FARBEN = 0;
    int16_t SG = 0;              // 0 means 8 (written back)
    std::optional<float> LL;     // rule length in mm; 0 or missing: to the end of the x range; < 0: no rule
    std::optional<float> X;      // left edge; default: middle of the x range (0 on a CAD engine)
    std::optional<float> Y;      // first line; default 0
    std::optional<vb::Variant> AOPTK;   // overrides E1.OPTK: a Boolean is taken, anything else is False
};

class clsPROFIL
{
public:
    clsPROFIL();
    ~clsPROFIL();
    clsPROFIL(const clsPROFIL&) = delete;
    clsPROFIL& operator=(const clsPROFIL&) = delete;

    // --- properties -------------------------------------------------------
    // Setting the engine copies the view record (XMIN, XMAX, YMIN, YMAX, RO, RL,
    // MX, MY, OY of picture EIDOBJEKT) and seeds the random numbers.
    void setEclsBILD(std::shared_ptr<drawing::DrawingInterface> engine);
    std::shared_ptr<drawing::DrawingInterface> EclsBILD() const { return m_bild; }
    bool EBOACAD() const { return m_EBOACAD; }
    void setEBOACAD(bool v) { m_EBOACAD = v; }
    bool EMEHRFACHAUSWERTUNG() const { return m_EMEHRFACHAUSWERTUNG; }
    void setEMEHRFACHAUSWERTUNG(bool v) { m_EMEHRFACHAUSWERTUNG = v; }
    float EH() const { return m_EH; }
    void setEH(float v) { m_EH = v; }
    vb::Variant ELBU() const;                  // the assessor names as one text list
    QStringList ELBUListe() const { return m_ELBU; }
    void setELBU(const QStringList& namen) { m_ELBU = namen; m_ELBUgesetzt = true; }
    bool EOPTH() const { return m_EOPTH; }
    void setEOPTH(bool v) { m_EOPTH = v; }
    float EROK() const { return m_EROK; }
    void setEROK(float v) { m_EROK = v; }
    bool ETAV() const { return m_ETAV; }
    void setETAV(bool v) { m_ETAV = v; }
    float EYB() const { return m_EYB; }
    void setEYB(float v) { m_EYB = v; }

    // --- column operations ------------------------------------------------
    void BESCHRIFTUNG(clsDATEN& DAT, KopfParameter& p);
    void PROFIL(clsDATEN& DAT, ProfilParameter& p);
    void BILDSAMKEIT(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void BOHRUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void FLACHDILATOMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void GRUNDWASSER(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void KORNVERTEILUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void PRESSIOMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void PROBEN(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void STANDARDSONDE(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void TASCHENPENETROMETER(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});
    void VERROHRUNG(clsDATEN& DAT, int16_t& SG, std::optional<float> X = {});

    // --- helpers shared by the columns --------------------------------------
    // Depth arrow of a column standing at x.
    void TIEFENPFEIL(float x, int16_t SG);
    // Horizontal value scale; returns value units per mm. SG 0 becomes 6.
    // Tick lines that run down the column as grid lines leave out the boxes
    // in FREI (the texts written between them).
    float MSKALA(float X, float Y, float MIN, float MAX, float STEP, float LENGTH, int16_t& SG,
                 const QString& TITLE, float Y2, const std::vector<profilregeln::Aussparung>& FREI = {});
    // Random whole number from lo to hi inclusive.
    int16_t ZUFALLSZAHL(int16_t lo, int16_t hi);
    // The generator's next value in [0, 1).
    float ZUFALLSWERT();
    // A fixed start for the random numbers of every later hand-over of an
    // engine, so that scattered symbols repeat (tests, benchmarks); nullopt
    // goes back to a fresh start per hand-over.
    static void setZufallsstart(std::optional<uint32_t> start);

    // Soil fill colour, colour name, area symbols and state marks. The fill
    // colours, area symbols and state marks are drawn by their own routines.
    int32_t FARBAUSWAHL(int16_t& FARBEN, const QString& farbe, const QString& code);
    QString FARBBEZ(const QString& farbe);
    // `wortzeile`: the line height (page mm) of the column's texts; a word
    // written as the area symbol needs a layer at least this tall.
    void UNTERGRUNDPROFIL(float x1, float y1, float x2, float y2, const QString& code,
                          QString& rundung, int16_t& standard, float wortzeile = 0);
    void BODENZUSTAND(float x1, float y1, float x2, float y2, const QString& code);
    // One area symbol centred at (x, y) page mm, of size s: the Austrian
    // standard's symbols, and the DIN standard, which draws none.
    void SYMBOLOENORM(float x, float y, const QString& code, float s, const QString& rundung);
    void SYMBOLDIN(float x, float y, const QString& code, float s, const QString& rundung);

    // The copy of the view record taken when the engine was set.
    float XMIN() const { return m_XMIN; }
    float XMAX() const { return m_XMAX; }
    float YMIN() const { return m_YMIN; }
    float YMAX() const { return m_YMAX; }
    float MX() const { return m_MX; }
    float MY() const { return m_MY; }
    int16_t OY() const { return m_OY; }
    int abwaerts() const { return m_d; }   // the down sign d

private:
    friend class Testspalte;   // the frame of the test columns

    // Default x of a column: the middle of the x range on the screen and printer
    // engine, 0 on any other.
    float standardX() const;
    drawing::DrawingInterface& bild() const;   // raises 91 when no engine is set
    // Open polyline through world points in the current line settings;
    // LAGEPFEIL 1 ends it in an arrow head.
    void zug(std::vector<float> xs, std::vector<float> ys, int16_t LAGEPFEIL = 0);

    std::shared_ptr<drawing::DrawingInterface> m_bild;
    bool m_EBOACAD = false;
    bool m_EMEHRFACHAUSWERTUNG = false;
    float m_XMIN = 0, m_XMAX = 0, m_YMIN = 0, m_YMAX = 0, m_RO = 0, m_RL = 0, m_MX = 0, m_MY = 0;
    int16_t m_OY = 0;
    int m_d = 1;
    float m_EH = 0;
    QStringList m_ELBU;
    bool m_ELBUgesetzt = false;
    bool m_EOPTH = false;
    float m_EROK = 0;
    bool m_ETAV = false;
    float m_EYB = 0;
    std::mt19937 m_zufall;
};
