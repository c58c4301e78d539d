#pragma once
// Seite11 — the composer of the log page: the page window's BILD11.
//
// One composition reads the record's display options (E12), sets the depth
// scale into the view record (G0, picture 11), resets the view record on a new
// evaluation, creates a new drawing engine for the target, sets it up, lets it
// fit and draw the axes frame, hands it to a new log painter and draws the
// header block and the columns from left to right: the soil column always,
// every other column when its switch is 1. Every redraw is such a complete
// composition; the engine and the painter stay until the next one.
//
// How the page window uses it
//   The window holds one Seite11 for its whole life and, when it loads, sets:
//     ID            E1.ID of the active record
//     BONEU         the new-evaluation flag (A1.BONEU); the window sets it
//                   back to false after its first composition
//     ELYMIN, ELYDIFF, ELYIT, ELYGIT   its four depth-axis value tables
//     bild          the picture target picBILD11 (a drawing::PictureTarget)
//     bildLinks, bildOben, bildBreite, bildHoehe
//                   the picture's place in the window, in twips (defaults:
//                   15 mm, 30 mm, 240 mm, 132 mm)
//     xBalken, yBalken   hscBILD11 and vscBILD11 as drawing::ScrollBar
//     setDaten(...) optional: the window's own table accessors; tables it
//                   doesn't hand over get an accessor of the composer's own,
//                   bound to the active record at the first composition
//   and then calls
//     BILD11(0, 0, 0, nullptr)          screen: load, either scroll bar,
//                                       picture clicks, page options. The
//                                       picture is cleared first; the engine
//                                       reads the scroll positions itself.
//     BILD11(1, -3, 0, nullptr)         printer: set `drucker` to the printer
//                                       target of the job first (A4, mm); the
//                                       window ends or aborts the job itself.
//     BILD11(2, 0, 0, document)         CAD drawing into an acad::Document:
//                                       set `acadGrenzen` (clip flag) first.
//   Progress goes through db::sharedState().setFortschritt: 25, 35, 40, 44,
//   then one value per column up to 92.
//   A BILD11 call that arrives while a composition is running (the accessor's
//   writes let window events through) does not start inside it: the latest
//   such request is run once, right after the running composition.
//
// Errors: the composer's own box is titled "Bild 11" ("VB-Fehler: "); OK goes
// on with the next step, Cancel ends the composition. A failed read marked
// as stopping ends the composition quietly (the accessor showed its box).
#include "drawing/DrawingInterface.h"
#include "pages/Seite11Layout.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class clsDATEN;
class clsPROFIL;

class Seite11
{
public:
    Seite11();
    ~Seite11();
    Seite11(const Seite11&) = delete;
    Seite11& operator=(const Seite11&) = delete;

    // ---- page state set by the page window ------------------------------------
    int32_t ID = 0;
    bool BONEU = false;
    bool acadGrenzen = false;
    drawing::NumberList ELYMIN, ELYDIFF, ELYIT, ELYGIT;
    drawing::Target* bild = nullptr;
    float bildLinks = 850.5f, bildOben = 1701.0f, bildBreite = 13608.0f, bildHoehe = 7484.4f;
    drawing::ScrollBar* xBalken = nullptr;
    drawing::ScrollBar* yBalken = nullptr;
    drawing::EngineObject* drucker = nullptr;

    // Creates the engine of a composition. Default: clsGRAFIK for the screen
    // and the printer, clsAGRAFIK for a CAD drawing.
    std::function<std::shared_ptr<drawing::DrawingInterface>(int16_t modus)> maschinenFabrik;

    // Hand over the window's accessor of a table ("E1".."E12", "G0"); not owned.
    void setDaten(const QString& tabelle, clsDATEN* dat);

    // ---- the composer ------------------------------------------------------------
    void BILD11(int16_t OBJ, float XDL, float YDO, drawing::EngineObject* AutoCADDatei);

    // ---- what the last composition left --------------------------------------------
    std::shared_ptr<drawing::DrawingInterface> maschine() const { return m_maschine; }
    std::shared_ptr<clsPROFIL> profil() const { return m_profil; }
    float massstab() const { return m_massstab; }
    int16_t letzteSchicht() const { return m_letzteSchicht; }
    // The x range and depth range handed to the frame.
    std::array<float, 2> xBereich() const { return m_xBereich; }
    std::array<float, 2> yBereich() const { return m_yBereich; }
    // The columns drawn, in order, with the x they were given.
    const std::vector<std::pair<seite11::Spalte, float>>& gezeichneteSpalten() const { return m_spalten; }
    bool laeuft() const { return m_laeuft; }

private:
    struct Anfrage
    {
        int16_t OBJ;
        float XDL, YDO;
        drawing::EngineObject* datei;
    };
    void komponieren(const Anfrage& a);
    clsDATEN& daten(const QString& tabelle);
    void spalteZeichnen(seite11::Spalte s, clsDATEN& dat, float x);
    // The width the soil column's remarks are broken to (page mm).
    float bemerkungsbreite(const seite11::Schalter& schalter, bool TAV, bool OPTH);

    std::map<QString, clsDATEN*> m_fremd;
    std::map<QString, std::unique_ptr<clsDATEN>> m_eigen;
    std::shared_ptr<drawing::DrawingInterface> m_maschine;
    std::shared_ptr<clsPROFIL> m_profil;
    float m_massstab = 0;
    int16_t m_letzteSchicht = 0;
    std::array<float, 2> m_xBereich{};
    std::array<float, 2> m_yBereich{};
    std::vector<std::pair<seite11::Spalte, float>> m_spalten;
    bool m_laeuft = false;
    std::optional<Anfrage> m_nachzuholen;
};
