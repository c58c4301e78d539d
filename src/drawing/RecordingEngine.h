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

#include "drawing/DrawingInterface.h"
#include "drawing/figures/Figures.h"

#include <QStringList>
#include <array>

namespace drawing {

class RecordingEngine : public DrawingInterface {
public:
    RecordingEngine();

    const QStringList& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // Calls whose member name is `name`.
    QStringList callsOf(const QString& name) const;
    // The view state the transforms use.
    void setView(const ViewState& v) { m_view = v; }
    const ViewState& view() const { return m_view; }

    int32_t EID() const override { return m_EID; }
    void EID(int32_t v) override { m_EID = v; }
    int16_t EIDOBJEKT() const override { return m_EIDOBJEKT; }
    void EIDOBJEKT(int16_t v) override { m_EIDOBJEKT = v; }
    EngineObject* EOBJEKT() const override { return m_object; }
    void EOBJEKT(EngineObject* target) override;
    ScrollBar* EXBALKEN() const override { return m_xBar; }
    void EXBALKEN(ScrollBar* bar) override { m_xBar = bar; }
    ScrollBar* EYBALKEN() const override { return m_yBar; }
    void EYBALKEN(ScrollBar* bar) override { m_yBar = bar; }
    float EXDL() const override { return m_view.EXDL; }
    void EXDL(float v) override { m_view.EXDL = v; }
    float EYDO() const override { return m_view.EYDO; }
    void EYDO(float v) override { m_view.EYDO = v; }
    float ELX() const override { return m_view.ELX; }
    void ELX(float v) override;
    float ELY() const override { return m_view.ELY; }
    void ELY(float v) override;
    int16_t EAXEX() const override { return m_EAXEX; }
    void EAXEX(int16_t v) override { m_EAXEX = v; }
    int16_t EAXEY() const override { return m_EAXEY; }
    void EAXEY(int16_t v) override { m_EAXEY = v; }
    int16_t ESKTX() const override { return m_view.ESKTX; }
    void ESKTX(int16_t v) override { m_view.ESKTX = v; }
    int16_t ESKTY() const override { return m_view.ESKTY; }
    void ESKTY(int16_t v) override { m_view.ESKTY = v; }
    bool EBOXMIN() const override { return m_fit[0]; }
    void EBOXMIN(bool v) override { m_fit[0] = v; }
    bool EBOXMAX() const override { return m_fit[1]; }
    void EBOXMAX(bool v) override { m_fit[1] = v; }
    bool EBOYMIN() const override { return m_fit[2]; }
    void EBOYMIN(bool v) override { m_fit[2] = v; }
    bool EBOYMAX() const override { return m_fit[3]; }
    void EBOYMAX(bool v) override { m_fit[3] = v; }
    std::optional<NumberList> ELXMIN() const override { return m_tables[0]; }
    void ELXMIN(const NumberList& v) override { m_tables[0] = v; }
    std::optional<NumberList> ELYMIN() const override { return m_tables[1]; }
    void ELYMIN(const NumberList& v) override { m_tables[1] = v; }
    std::optional<NumberList> ELXDIFF() const override { return m_tables[2]; }
    void ELXDIFF(const NumberList& v) override { m_tables[2] = v; }
    std::optional<NumberList> ELYDIFF() const override { return m_tables[3]; }
    void ELYDIFF(const NumberList& v) override { m_tables[3] = v; }
    std::optional<NumberList> ELXIT() const override { return m_tables[4]; }
    void ELXIT(const NumberList& v) override { m_tables[4] = v; }
    std::optional<NumberList> ELYIT() const override { return m_tables[5]; }
    void ELYIT(const NumberList& v) override { m_tables[5] = v; }
    std::optional<NumberList> ELXGIT() const override { return m_tables[6]; }
    void ELXGIT(const NumberList& v) override { m_tables[6] = v, m_tables[8] = v; }
    std::optional<NumberList> ELYGIT() const override { return m_tables[7]; }
    void ELYGIT(const NumberList& v) override { m_tables[7] = v, m_tables[9] = v; }
    std::optional<NumberList> ELXZL() const override { return m_tables[8]; }
    void ELXZL(const NumberList& v) override { m_tables[8] = v; }
    std::optional<NumberList> ELYZL() const override { return m_tables[9]; }
    void ELYZL(const NumberList& v) override { m_tables[9] = v; }
    QString ETEXTX() const override { return m_texts[0]; }
    void ETEXTX(const QString& v) override { m_texts[0] = v; }
    QString ETEXTY() const override { return m_texts[1]; }
    void ETEXTY(const QString& v) override { m_texts[1] = v; }
    QString ESKZX() const override { return m_texts[2]; }
    void ESKZX(const QString& v) override { m_texts[2] = v; }
    QString ESKZY() const override { return m_texts[3]; }
    void ESKZY(const QString& v) override { m_texts[3] = v; }
    float EXYIT() const override { return float(m_EXYIT); }
    void EXYIT(float v) override;
    int16_t EPTYP() const override { return m_view.EPTYP; }
    void EPTYP(int16_t v) override { m_view.EPTYP = v; }

    void LINIENEINSTELLUNGEN(int16_t LINIENART = 0, float LINIENBREITE = 0, int32_t FARBE = 0) override;
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0) override;
    void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                const std::optional<std::vector<float>>& Y = std::nullopt) override;
    void TEXT(float X, float Y, const QString& TEXT, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override;
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
    int32_t m_EID = 0;
    int16_t m_EIDOBJEKT = 11;
    EngineObject* m_object = nullptr;
    ScrollBar* m_xBar = nullptr;
    ScrollBar* m_yBar = nullptr;
    int16_t m_EAXEX = 1, m_EAXEY = 1;
    std::array<bool, 4> m_fit{};
    std::array<std::optional<NumberList>, 10> m_tables;
    std::array<QString, 4> m_texts;
    int16_t m_EXYIT = 0;
};

} // namespace drawing
