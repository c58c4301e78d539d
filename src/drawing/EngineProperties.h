#pragma once
// EngineProperties: the properties of the drawing interface, kept as every
// engine keeps them. Plain reads and writes of the stored value, except:
// setting ELX or ELY resets that axis's value tables, setting ELXGIT or
// ELYGIT also sets ELXZL or ELYZL, and EXYIT is held as a whole number.
// An engine derives from it and adds the target binding (EOBJEKT) and the
// operations; its own code reads the protected fields directly.

#include "drawing/DrawingInterface.h"
#include "drawing/figures/Figures.h"

namespace drawing {

class EngineProperties : public DrawingInterface {
public:
    int32_t EID() const override { return m_EID; }
    void EID(int32_t v) override { m_EID = v; }
    int16_t EIDOBJEKT() const override { return m_EIDOBJEKT; }
    void EIDOBJEKT(int16_t v) override { m_EIDOBJEKT = v; }
    EngineObject* EOBJEKT() const override { return m_object; }
    ScrollBar* EXBALKEN() const override { return m_xBar; }
    void EXBALKEN(ScrollBar* bar) override { m_xBar = bar; }
    ScrollBar* EYBALKEN() const override { return m_yBar; }
    void EYBALKEN(ScrollBar* bar) override { m_yBar = bar; }
    float EXDL() const override { return m_EXDL; }
    void EXDL(float v) override { m_EXDL = v; }
    float EYDO() const override { return m_EYDO; }
    void EYDO(float v) override { m_EYDO = v; }
    float ELX() const override { return m_ELX; }
    void ELX(float v) override
    {
        m_ELX = v;
        m_x.reset(v);
    }
    float ELY() const override { return m_ELY; }
    void ELY(float v) override
    {
        m_ELY = v;
        m_y.reset(v);
    }
    int16_t EAXEX() const override { return m_EAXEX; }
    void EAXEX(int16_t v) override { m_EAXEX = v; }
    int16_t EAXEY() const override { return m_EAXEY; }
    void EAXEY(int16_t v) override { m_EAXEY = v; }
    int16_t ESKTX() const override { return m_ESKTX; }
    void ESKTX(int16_t v) override { m_ESKTX = v; }
    int16_t ESKTY() const override { return m_ESKTY; }
    void ESKTY(int16_t v) override { m_ESKTY = v; }
    bool EBOXMIN() const override { return m_EBOXMIN; }
    void EBOXMIN(bool v) override { m_EBOXMIN = v; }
    bool EBOXMAX() const override { return m_EBOXMAX; }
    void EBOXMAX(bool v) override { m_EBOXMAX = v; }
    bool EBOYMIN() const override { return m_EBOYMIN; }
    void EBOYMIN(bool v) override { m_EBOYMIN = v; }
    bool EBOYMAX() const override { return m_EBOYMAX; }
    void EBOYMAX(bool v) override { m_EBOYMAX = v; }
    std::optional<NumberList> ELXMIN() const override { return m_x.MIN; }
    void ELXMIN(const NumberList& v) override { m_x.MIN = v; }
    std::optional<NumberList> ELYMIN() const override { return m_y.MIN; }
    void ELYMIN(const NumberList& v) override { m_y.MIN = v; }
    std::optional<NumberList> ELXDIFF() const override { return m_x.DIFF; }
    void ELXDIFF(const NumberList& v) override { m_x.DIFF = v; }
    std::optional<NumberList> ELYDIFF() const override { return m_y.DIFF; }
    void ELYDIFF(const NumberList& v) override { m_y.DIFF = v; }
    std::optional<NumberList> ELXIT() const override { return m_x.IT; }
    void ELXIT(const NumberList& v) override { m_x.IT = v; }
    std::optional<NumberList> ELYIT() const override { return m_y.IT; }
    void ELYIT(const NumberList& v) override { m_y.IT = v; }
    std::optional<NumberList> ELXGIT() const override { return m_x.GIT; }
    void ELXGIT(const NumberList& v) override { m_x.grid(v); }
    std::optional<NumberList> ELYGIT() const override { return m_y.GIT; }
    void ELYGIT(const NumberList& v) override { m_y.grid(v); }
    std::optional<NumberList> ELXZL() const override { return m_x.ZL; }
    void ELXZL(const NumberList& v) override { m_x.ZL = v; }
    std::optional<NumberList> ELYZL() const override { return m_y.ZL; }
    void ELYZL(const NumberList& v) override { m_y.ZL = v; }
    QString ETEXTX() const override { return m_ETEXTX; }
    void ETEXTX(const QString& v) override { m_ETEXTX = v; }
    QString ETEXTY() const override { return m_ETEXTY; }
    void ETEXTY(const QString& v) override { m_ETEXTY = v; }
    QString ESKZX() const override { return m_ESKZX; }
    void ESKZX(const QString& v) override { m_ESKZX = v; }
    QString ESKZY() const override { return m_ESKZY; }
    void ESKZY(const QString& v) override { m_ESKZY = v; }
    float EXYIT() const override { return float(m_EXYIT); }
    void EXYIT(float v) override { m_EXYIT = equalScaleMode(v); }
    int16_t EPTYP() const override { return m_EPTYP; }
    void EPTYP(int16_t v) override { m_EPTYP = v; }

protected:
    // The view state v with this picture's own fields filled in: its keys,
    // area, scale types and series style.
    ViewState withPicture(ViewState v) const
    {
        v.EID = m_EID;
        v.EIDOBJEKT = m_EIDOBJEKT;
        v.EXDL = m_EXDL;
        v.EYDO = m_EYDO;
        v.ELX = m_ELX;
        v.ELY = m_ELY;
        v.ESKTX = m_ESKTX;
        v.ESKTY = m_ESKTY;
        v.EPTYP = m_EPTYP;
        return v;
    }

    int32_t m_EID = 0;
    int16_t m_EIDOBJEKT = 11;
    EngineObject* m_object = nullptr;
    ScrollBar* m_xBar = nullptr;
    ScrollBar* m_yBar = nullptr;
    float m_EXDL = 0, m_EYDO = 0, m_ELX = 0, m_ELY = 0;
    int16_t m_EAXEX = 1, m_EAXEY = 1, m_ESKTX = 0, m_ESKTY = 0;
    bool m_EBOXMIN = false, m_EBOXMAX = false, m_EBOYMIN = false, m_EBOYMAX = false;
    AxisTables m_x, m_y;
    QString m_ETEXTX, m_ETEXTY;
    QString m_ESKZX = QStringLiteral("####0"), m_ESKZY = QStringLiteral("####0");
    int16_t m_EXYIT = 0;
    int16_t m_EPTYP = 0;
};

} // namespace drawing
