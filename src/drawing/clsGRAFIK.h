#pragma once
// clsGRAFIK: the screen and printer drawing engine. One engine draws one
// picture of world-coordinate data into a rectangle of a drawing target (a
// PictureTarget, PrinterTarget or RecordingTarget), keeping the picture's
// view record (table G0 of the working copy) between runs.
//
// A new engine binds to the working-copy connection of the shared state and
// takes the ID of the first active record. Typical use:
//   clsGRAFIK g;  g.EID(id);  g.EOBJEKT(&picture);  ...axis properties...
//   g.LINIENEINSTELLUNGEN();  g.SCHRIFTEINSTELLUNGEN();  g.SKALEN(-1, xs, ys);
//   g.LINIE(...); g.TEXT(...); g.KREIS(...);

#include "drawing/ViewEngine.h"
#include "platform/StepRunner.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class clsGRAFIK : public drawing::ViewEngine {
public:
    // Bind to the working copy of the shared state (cnnX). Without an open
    // working copy the construction raises 91.
    clsGRAFIK();
    ~clsGRAFIK() override;
    clsGRAFIK(const clsGRAFIK&) = delete;
    clsGRAFIK& operator=(const clsGRAFIK&) = delete;

    // ---- properties (plain ones in EngineProperties) -----------------------
    using drawing::EngineProperties::EOBJEKT;
    // Binding a target measures it (pixel densities, picture size) and sets
    // the default font.
    void EOBJEKT(drawing::EngineObject* target) override;

    // ---- operations --------------------------------------------------------
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

    // ---- engine internals (used by the engine's own operations; public for
    //      the figures and for tests) ----------------------------------------
    // Point symbol 0..6 centred on a page point; nothing is cut.
    void PUNKTSYMBOL(float XP, float YP, int16_t NR);
    // One run of text at (x, y) in scale units, turned by `angle` degrees.
    void DREHTEXT(const QString& piece, int16_t angle, float x, float y, uint8_t size, const QString& face);

    // The bound target (null when EOBJEKT is not a target).
    drawing::Target* target() const { return m_target; }
    // Font slots: 0 the target's font as TEXT last saw it, 1..5 the markup fonts.
    drawing::FontRef fontSlot(int i) const { return m_slots.at(size_t(i)); }
    // Pixel densities measured when EOBJEKT was set (pixels per scale unit).
    float pixelDensityX() const { return m_pxX; }
    float pixelDensityY() const { return m_pxY; }

    // ---- FigureHost ----------------------------------------------------------
    int32_t foreColor() const override;
    void setForeColor(int32_t c) override;
    void setFill(bool solid, int32_t color) override;
    void circle(float xc, float yc, float r) override;
    void arc(float xc, float yc, float r, float from, float to) override;
    void dot(float xp, float yp) override;
    void pointSymbol(float xp, float yp, int16_t nr) override { PUNKTSYMBOL(xp, yp, nr); }

protected:
    void scrollAxis(bool horizontal) override;

private:
    drawing::Target& tgt() const;  // raises 91 without a target

    // Where TEXT puts a text: its anchor in page mm, the extent of its plain
    // text in the base font, the angle's cosine and sine. Empty when the text
    // is not drawn (empty, its anchor failed, or not wholly inside its
    // clipping box); errors go to `trap`. TEXT and TEXTPASST both decide here.
    struct TextLage
    {
        float X = 0, Y = 0, W = 0, H = 0, ca = 1, sa = 0;
    };
    std::optional<TextLage> textLage(vb::ErrorTrap& trap, float X, float Y, const QString& TEXT, int16_t KO,
                                     int16_t AL, int16_t ARX, int16_t ARY);

    drawing::Target* m_target = nullptr;  // EOBJEKT when it is a drawing target

    float m_pxX = 0, m_pxY = 0;
    std::array<drawing::FontRef, 6> m_slots;
};
