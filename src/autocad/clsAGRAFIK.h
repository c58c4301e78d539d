#pragma once
// clsAGRAFIK: the drawing interface on a CAD document. The page composer
// creates one for a CAD composition of a log page, binds it to the document
// that the export opened (EOBJEKT) and lets the log painter draw through it
// exactly as through the screen engine: the same members, the same world to
// page transform. Where the screen engine paints, this engine adds entities
// to the document's model space, in page millimetres (x right, y down); the
// export turns the finished drawing right way up.
//
// Binding to a document makes sure the ISO line types, the text styles
// "ZarEvezo" (typeface "txt") and "VavAvever" (typeface "greekC" when used)
// and the layer "BILD" + picture number exist, makes that layer active and
// sets the default text style.
//
// EBOGRENZEN True (the default) clips lines, arcs, texts and markers at the
// picture borders as the screen engine does; False draws everything.

#include "autocad/AcadDocument.h"
#include "drawing/ViewEngine.h"
#include "platform/StepRunner.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class clsAGRAFIK : public drawing::ViewEngine {
public:
    // Binds to the working copy of the shared state and takes the ID of its
    // first active record (0 without one). Without a working copy raises 91.
    clsAGRAFIK();
    ~clsAGRAFIK() override;
    clsAGRAFIK(const clsAGRAFIK&) = delete;
    clsAGRAFIK& operator=(const clsAGRAFIK&) = delete;

    // ---- properties (plain ones in EngineProperties) -------------------------
    using drawing::EngineProperties::EOBJEKT;
    // Binds the engine to a CAD document (anything else raises 13).
    void EOBJEKT(drawing::EngineObject* document) override;
    bool EBOGRENZEN() const override { return m_EBOGRENZEN; }
    void EBOGRENZEN(bool v) override { m_EBOGRENZEN = v; }

    // ---- operations ----------------------------------------------------------
    void LINIENEINSTELLUNGEN(int16_t LINIENART = 0, float LINIENBREITE = 0, int32_t FARBE = 0) override;
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0) override;
    void TEXT(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override;
    bool TEXTPASST(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
                   int16_t ARY = 0) override;
    void POLYGON(drawing::SingleArray& X, drawing::SingleArray& Y, int16_t PSIT = 0, int16_t PSTYP = 0,
                 int16_t PNR = 0, const QString& TEXT = QString(), int16_t LAGETEXT = 0, int16_t LAGEPFEIL = 0,
                 bool FARBEN = false, const std::optional<drawing::NumberList>& BOL = std::nullopt) override;
    void KREIS(float XM, float YM, float R, float AL1 = 0, drawing::ByRef<float> AL2 = 0.0f, int16_t LAGEPFEIL = 0,
               bool BOKREISP = false, std::optional<int16_t> KO = std::nullopt) override;
    void GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO = 0) override;
    void KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL) override;
    void LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                      const std::vector<std::vector<float>>& P, int16_t IT) override;
    void SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY) override;
    void LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB = std::nullopt,
               int16_t BOSK = 0) override;
    void SYMBOLE(float XP, float YP, int16_t PSTYP, float GROESSE = 0) override;

    // ---- engine state (read by tests and the figures) ---------------------------
    acad::Document* document() const { return m_doc; }
    const QString& linetypeName() const { return m_LINIENTYP; }
    int16_t lineweight() const { return m_LINIENGEWICHT; }
    int colourIndex() const { return m_FARBINDEX; }
    double textHeight() const { return m_TEXTHOEHE; }

    // ---- FigureHost ------------------------------------------------------------
    int32_t foreColor() const override;
    void setForeColor(int32_t c) override;
    void setFill(bool solid, int32_t color) override;
    void circle(float xc, float yc, float r) override;
    void arc(float xc, float yc, float r, float from, float to) override;
    void dot(float xp, float yp) override;
    void pointSymbol(float xp, float yp, int16_t nr) override { SYMBOLE(xp, yp, nr, 0); }
    bool clipsToFrame() const override { return m_EBOGRENZEN; }
    bool drawsWholeArcs() const override { return true; }
    void wholeArc(float xc, float yc, float rp, float al1, float al2, int ox, int oy) override;

protected:
    void beforeScroll() override;
    void scrollAxis(bool horizontal) override;

private:
    acad::Document& doc() const;  // raises 91 while unbound
    // Whether TEXT draws the text, with its anchor turned into page mm;
    // errors go to `trap`. TEXT and TEXTPASST both decide here.
    bool textLage(vb::ErrorTrap& trap, float& X, float& Y, const QString& TEXT, int16_t KO);
    void INIT();
    void LAYER();
    // The four outline lines and the solid fill of a band in colour index K.
    void band(float x1, float y1, float x2, float y2, int K);
    // Colour, weight and type of the current style on a new entity, then Update.
    void styled(acad::Entity* e, bool withLinetype = true);
    void filled(const std::vector<acad::Entity*>& outline);

    acad::Document* m_doc = nullptr;
    bool m_EBOGRENZEN = true;
    QString m_LINIENTYP;
    int16_t m_LINIENGEWICHT = -3;
    int m_FARBINDEX = 7;
    double m_TEXTHOEHE = 1.9;
    bool m_solidFill = false;
};

namespace acad {
// The CAD colour index of a colour (basic colour number 0..15 or its RGB
// value; -1 white; 16..255 an index as it is; anything else 7).
int colourIndex(int64_t colour);
// Line weight (hundredths of a millimetre) of a width code 0..11; other codes 0.
int16_t lineweightOf(float code);
// Line type name of a line style code 1..4; others "Continuous".
QString linetypeOf(int16_t code);
// Text height in mm of a size in points.
double textHeightOf(int16_t size);
} // namespace acad
