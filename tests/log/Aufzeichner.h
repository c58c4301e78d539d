#pragma once
// A drawing engine for tests that draws nothing: it records every call made
// through the drawing interface, with its numbers and text, and keeps the
// properties that were set. World and page coordinates are related by a fixed
// map (page x = world x, page y = world y * 10) so positions can be checked.
#include "drawing/DrawingInterface.h"

#include <QString>
#include <QStringList>
#include <vector>

class Aufzeichner : public drawing::DrawingInterface
{
public:
    struct Aufruf
    {
        QString name;
        std::vector<float> z;   // numbers in argument order
        QString text;
    };
    std::vector<Aufruf> aufrufe;

    std::vector<Aufruf> alle(const QString& name) const
    {
        std::vector<Aufruf> r;
        for (const Aufruf& a : aufrufe)
            if (a.name == name)
                r.push_back(a);
        return r;
    }
    QStringList texte() const
    {
        QStringList r;
        for (const Aufruf& a : aufrufe)
            if (a.name == QLatin1String("TEXT"))
                r << a.text;
        return r;
    }
    const Aufruf* text(const QString& t) const
    {
        for (const Aufruf& a : aufrufe)
            if (a.name == QLatin1String("TEXT") && a.text == t)
                return &a;
        return nullptr;
    }

    // ---- properties ----
    int32_t eid = 0;
    int16_t eidobjekt = 0;
    drawing::EngineObject* objekt = nullptr;
    drawing::ScrollBar *xbar = nullptr, *ybar = nullptr;
    float exdl = 0, eydo = 0, elx = 0, ely = 0;
    int16_t eaxex = 0, eaxey = 0, esktx = 0, eskty = 0, eptyp = 0;
    bool eboxmin = false, eboxmax = false, eboymin = false, eboymax = false;
    bool grenzen = false;
    std::optional<drawing::NumberList> lxmin, lymin, lxdiff, lydiff, lxit, lyit, lxgit, lygit, lxzl, lyzl;
    QString etextx = QStringLiteral("?"), etexty = QStringLiteral("?"), eskzx, eskzy;
    float exyit = 0;

    int32_t EID() const override { return eid; }
    void EID(int32_t v) override { eid = v; }
    int16_t EIDOBJEKT() const override { return eidobjekt; }
    void EIDOBJEKT(int16_t v) override { eidobjekt = v; }
    drawing::EngineObject* EOBJEKT() const override { return objekt; }
    void EOBJEKT(drawing::EngineObject* t) override { objekt = t; }
    bool EBOGRENZEN() const override { return grenzen; }
    void EBOGRENZEN(bool v) override { grenzen = v; }
    drawing::ScrollBar* EXBALKEN() const override { return xbar; }
    void EXBALKEN(drawing::ScrollBar* b) override { xbar = b; }
    drawing::ScrollBar* EYBALKEN() const override { return ybar; }
    void EYBALKEN(drawing::ScrollBar* b) override { ybar = b; }
    float EXDL() const override { return exdl; }
    void EXDL(float v) override { exdl = v; }
    float EYDO() const override { return eydo; }
    void EYDO(float v) override { eydo = v; }
    float ELX() const override { return elx; }
    void ELX(float v) override { elx = v; }
    float ELY() const override { return ely; }
    void ELY(float v) override { ely = v; }
    int16_t EAXEX() const override { return eaxex; }
    void EAXEX(int16_t v) override { eaxex = v; }
    int16_t EAXEY() const override { return eaxey; }
    void EAXEY(int16_t v) override { eaxey = v; }
    int16_t ESKTX() const override { return esktx; }
    void ESKTX(int16_t v) override { esktx = v; }
    int16_t ESKTY() const override { return eskty; }
    void ESKTY(int16_t v) override { eskty = v; }
    bool EBOXMIN() const override { return eboxmin; }
    void EBOXMIN(bool v) override { eboxmin = v; }
    bool EBOXMAX() const override { return eboxmax; }
    void EBOXMAX(bool v) override { eboxmax = v; }
    bool EBOYMIN() const override { return eboymin; }
    void EBOYMIN(bool v) override { eboymin = v; }
    bool EBOYMAX() const override { return eboymax; }
    void EBOYMAX(bool v) override { eboymax = v; }
    std::optional<drawing::NumberList> ELXMIN() const override { return lxmin; }
    void ELXMIN(const drawing::NumberList& v) override { lxmin = v; }
    std::optional<drawing::NumberList> ELYMIN() const override { return lymin; }
    void ELYMIN(const drawing::NumberList& v) override { lymin = v; }
    std::optional<drawing::NumberList> ELXDIFF() const override { return lxdiff; }
    void ELXDIFF(const drawing::NumberList& v) override { lxdiff = v; }
    std::optional<drawing::NumberList> ELYDIFF() const override { return lydiff; }
    void ELYDIFF(const drawing::NumberList& v) override { lydiff = v; }
    std::optional<drawing::NumberList> ELXIT() const override { return lxit; }
    void ELXIT(const drawing::NumberList& v) override { lxit = v; }
    std::optional<drawing::NumberList> ELYIT() const override { return lyit; }
    void ELYIT(const drawing::NumberList& v) override { lyit = v; }
    std::optional<drawing::NumberList> ELXGIT() const override { return lxgit; }
    void ELXGIT(const drawing::NumberList& v) override { lxgit = v; lxzl = v; }
    std::optional<drawing::NumberList> ELYGIT() const override { return lygit; }
    void ELYGIT(const drawing::NumberList& v) override { lygit = v; lyzl = v; }
    std::optional<drawing::NumberList> ELXZL() const override { return lxzl; }
    void ELXZL(const drawing::NumberList& v) override { lxzl = v; }
    std::optional<drawing::NumberList> ELYZL() const override { return lyzl; }
    void ELYZL(const drawing::NumberList& v) override { lyzl = v; }
    QString ETEXTX() const override { return etextx; }
    void ETEXTX(const QString& v) override { etextx = v; }
    QString ETEXTY() const override { return etexty; }
    void ETEXTY(const QString& v) override { etexty = v; }
    QString ESKZX() const override { return eskzx; }
    void ESKZX(const QString& v) override { eskzx = v; }
    QString ESKZY() const override { return eskzy; }
    void ESKZY(const QString& v) override { eskzy = v; }
    float EXYIT() const override { return exyit; }
    void EXYIT(float v) override { exyit = v; }
    int16_t EPTYP() const override { return eptyp; }
    void EPTYP(int16_t v) override { eptyp = v; }

    // ---- operations ----
    void LINIENEINSTELLUNGEN(int16_t art = 0, float breite = 0, int32_t farbe = 0) override
    {
        aufrufe.push_back({QStringLiteral("LINIENEINSTELLUNGEN"), {float(art), breite, float(farbe)}, {}});
    }
    void SCHRIFTEINSTELLUNGEN(const QString& name = QString(), int16_t groesse = 0, bool fett = false,
                              bool unterstrichen = false, bool kursiv = false, int32_t farbe = 0) override
    {
        aufrufe.push_back({QStringLiteral("SCHRIFTEINSTELLUNGEN"),
                           {float(groesse), float(fett), float(unterstrichen), float(kursiv), float(farbe)}, name});
    }
    void SKALEN(int16_t NR = 0, const std::optional<std::vector<float>>& X = std::nullopt,
                const std::optional<std::vector<float>>& Y = std::nullopt) override
    {
        Aufruf a{QStringLiteral("SKALEN"), {float(NR)}, {}};
        for (float v : X.value_or(std::vector<float>{}))
            a.z.push_back(v);
        for (float v : Y.value_or(std::vector<float>{}))
            a.z.push_back(v);
        aufrufe.push_back(a);
    }
    void TEXT(float X, float Y, const QString& T, int16_t KO = 0, int16_t AL = 0, int16_t ARX = 0,
              int16_t ARY = 0) override
    {
        aufrufe.push_back({QStringLiteral("TEXT"), {X, Y, float(KO), float(AL), float(ARX), float(ARY)}, T});
    }
    void POLYGON(drawing::SingleArray& X, drawing::SingleArray& Y, int16_t = 0, int16_t = 0, int16_t = 0,
                 const QString& = QString(), int16_t = 0, int16_t LAGEPFEIL = 0, bool = false,
                 const std::optional<drawing::NumberList>& = std::nullopt) override
    {
        Aufruf a{QStringLiteral("POLYGON"), {}, QString::number(LAGEPFEIL)};
        for (int i = X.lbound(); i <= X.ubound(); ++i) {
            a.z.push_back(X(i));
            a.z.push_back(Y(i));
        }
        aufrufe.push_back(a);
    }
    void KREIS(float XM, float YM, float R, float AL1 = 0, drawing::ByRef<float> AL2 = 0.0f, int16_t = 0,
               bool = false, std::optional<int16_t> KO = std::nullopt) override
    {
        aufrufe.push_back({QStringLiteral("KREIS"), {XM, YM, R, AL1, AL2.get(), float(KO.value_or(1))}, {}});
    }
    void PFEIL(float a, float b, float c, float d) override { aufrufe.push_back({QStringLiteral("PFEIL"), {a, b, c, d}, {}}); }
    void GELAENDESCHRAFFUR(float, float, float, int16_t, float, int16_t = 0) override {}
    void KOTENDREIECK(float, float, float, float, int16_t, int16_t) override {}
    void LASTFLAECHEN(const std::vector<float>&, const std::vector<float>&, const std::vector<std::vector<float>>&,
                      int16_t) override {}
    void SCHNITTKRAFT(float, float, float, float, float, int16_t, int16_t) override {}
    void KOORDTRANS(float X, float Y, float& XP, float& YP) override
    {
        XP = X;
        YP = Y * 10.0f;
    }
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t = 0, int16_t = 0) override
    {
        X = XP;
        Y = YP / 10.0f;
    }
    void LINIE(float a, float b, float c, float d, std::optional<int32_t> FB = std::nullopt, int16_t = 0) override
    {
        aufrufe.push_back({QStringLiteral("LINIE"), {a, b, c, d, FB ? float(*FB) : -99.0f}, {}});
    }
};
