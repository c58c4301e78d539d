#pragma once
// RecordingEngine: a drawing engine for tests of its callers. It keeps every
// property as the real engine does (ELX/ELY reset their tables, ELXGIT sets
// ELXZL, EXYIT is a whole number) and records each drawing operation as one
// text line instead of drawing:
//
//   LINIENEINSTELLUNGEN 0 0.4 255
//   SCHRIFTEINSTELLUNGEN "Arial" 8 0 0 0 0
//   SKALEN -1 X=(0 228) Y=-
//   TEXT 12.5 3 "I{t,1}D [1]" 1 0 0 0
//   POLYGON X=(0 1) Y=(2 3) 0 0 0 "" 0 1 0 BOL=-
//   KREIS 10 20 1 0 6.28319 0 0 KO=0
//   PFEIL 1 2 3 4
//   GELAENDESCHRAFFUR 1 2 3 4 5 0
//   KOTENDREIECK 1 2 0.5 0 1 3
//   LASTFLAECHEN X=(..) Y=(..) P=((..) (..)) 2
//   SCHNITTKRAFT 1 2 3 4 6 1 1
//   LINIE 1 2 3 4 FB=- 0          (FB=<colour> when given)
//
// Numbers are written with QString::number (6 significant digits). The
// transforms are computed from the view state given with setView (as SKALEN
// leaves it); SKALEN itself only records its call.

#include "drawing/EngineProperties.h"
#include "drawing/figures/Figures.h"

#include <QStringList>

namespace drawing {

class RecordingEngine : public EngineProperties {
public:
    RecordingEngine();

    const QStringList& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // Calls whose member name is `name`.
    QStringList callsOf(const QString& name) const;
    // The view state the transforms use; its picture fields (EXDL, EYDO,
    // ELX, ELY, ESKTX, ESKTY, EPTYP) set the properties of those names
    // (ELX and ELY without resetting the axis tables).
    void setView(const ViewState& v);
    ViewState view() const;

    // Keeps the reference; a drawing target's outer size becomes ELX and ELY.
    using EngineProperties::EOBJEKT;
    void EOBJEKT(EngineObject* target) override;

    void LINIENEINSTELLUNGEN(int16_t LINIENART = 0, float LINIENBREITE = 0, int32_t FARBE = 0) override;
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0) override;
    void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                const std::optional<std::vector<float>>& Y = std::nullopt) override;
    void TEXT(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override;
    // Every text is recorded, so every text "would be drawn"; the question
    // itself is not recorded.
    bool TEXTPASST(float, float, const QString&, int16_t = 0, int16_t = 0, int16_t = 0, int16_t = 0) override
    {
        return true;
    }
    void POLYGON(SingleArray& X, SingleArray& Y, int16_t PSIT = 0, int16_t PSTYP = 0, int16_t PNR = 0,
                 const QString& TEXT = QString(), int16_t LAGETEXT = 0, int16_t LAGEPFEIL = 0, bool FARBEN = false,
                 const std::optional<NumberList>& BOL = std::nullopt) override;
    void KREIS(float XM, float YM, float R, float AL1 = 0, ByRef<float> AL2 = 0.0f, int16_t LAGEPFEIL = 0,
               bool BOKREISP = false, std::optional<int16_t> KO = std::nullopt) override;
    void PFEIL(float XP1, float YP1, float XP2, float YP2) override;
    void GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO = 0) override;
    void KOTENDREIECK(float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL) override;
    void LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y,
                      const std::vector<std::vector<float>>& P, int16_t IT) override;
    void SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY) override;
    void KOORDTRANS(float X, float Y, float& XP, float& YP) override;
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX = 0, int16_t SKTY = 0) override;
    void LINIE(float XP1, float YP1, float XP2, float YP2, std::optional<int32_t> FB = std::nullopt,
               int16_t BOSK = 0) override;

private:
    void record(const QString& line) { m_calls.append(line); }

    QStringList m_calls;
    ViewState m_view;
};

} // namespace drawing
