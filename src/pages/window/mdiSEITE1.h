#pragma once
// mdiSEITE1 — the page window: the log page of the active record as a child
// window of the main window.
//
// The header and footer are drawn on the window's own surface; the log is
// drawn into the picture picBILD11 (240 x 132 mm, 15 mm from the left and
// 30 mm from the top), which carries the scroll bars hscBILD11 and vscBILD11.
// Every redraw of the log is a complete composition (BILD11): at load, on
// every change of a scroll bar and on every mouse press on the picture.
// Compositions never interleave: a request that arrives while one is running
// (the data layer lets window messages through between rows) is run once,
// right after it. The engine's own settings of the scroll bars while it draws
// are no request: they never start a composition.
//
// Use (the main window's Auswerten commands):
//   auto* seite = new mdiSEITE1;          // not shown yet
//   mdiArea->addSubWindow(seite);
//   seite->Form_Load();                   // builds the page; raises vb::VbError
//   seite->show();
//
// Keys go to the main window's commands through the hooks of
// mdiSEITE1::anbindung() (Esc: panel 15; Alt+Q: Beenden; Ctrl+S/P/C/W/A:
// panels 10 to 14), as does the activation (panel 14 shown).
#include "drawing/Target.h"
#include "pages/window/clsKOPFFUSS.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QScrollBar;
class Seite11;
class clsDATEN;
namespace drawing { class DrawingInterface; class QtScrollBar; }
namespace seiten { class Druckauftrag; }

// The picture box of the page: shows a picture target's image and reports
// mouse presses.
class BildFeld : public QWidget
{
    Q_OBJECT
public:
    BildFeld(float breiteTwips, float hoeheTwips, QWidget* parent = nullptr);
    ~BildFeld() override;

    drawing::PictureTarget& ziel() { return *m_ziel; }
    const QImage& image() const { return m_ziel->image(); }
    // Background colour (colour long); the next Cls clears to it.
    void hintergrund(int32_t farbe);

signals:
    // Button code as the window system reports it: 1 left, 2 right, 4 middle.
    void mausGedrueckt(int taste);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<drawing::PictureTarget> m_ziel;
};

class mdiSEITE1 : public QWidget
{
    Q_OBJECT
public:
    // What the page window needs of the main window. The shell fills it once.
    struct Anbindung
    {
        std::function<void(int)> panelClick;          // status-bar command of a panel
        std::function<void()> beenden;                // Datei/Beenden
        std::function<void()> hilfe;                  // the help
        std::function<void(int, bool)> panelSichtbar; // show or hide a status panel
        // Display options dialog (right button on the picture), shown modally.
        std::function<void(mdiSEITE1&)> anzeigeOptionen;
        // Page options dialog (click on the window outside the picture).
        std::function<void(mdiSEITE1&)> seitenOptionen;
        // Progress line of the CAD export dialog while SEITEA runs.
        std::function<void(const QString&)> exportInfo;
        // The window was closed (its close box, or a command closing it).
        std::function<void()> geschlossen;
    };
    static Anbindung& anbindung();

    explicit mdiSEITE1(QWidget* parent = nullptr);
    ~mdiSEITE1() override;

    // The load step: places the picture, reads the record, draws header and
    // footer and composes the page. Errors are raised to the caller.
    void Form_Load();
    bool geladen() const { return m_geladen; }
    // The window became the active child window: the CAD panel is shown.
    void Form_Activate();

    // The page composer: OBJ 0 screen, 1 printer, 2 CAD drawing; XDL/YDO an
    // extra offset in mm; cadDatei the CAD document in mode 2.
    void BILD11(int16_t OBJ = 0, float XDL = 0, float YDO = 0, drawing::EngineObject* cadDatei = nullptr);
    // Prints the page as one job on the program's current printer
    // (seiten::druckerwahl()): header and footer when they are shown, then the
    // page composed in printer mode. Afterwards the screen shows header,
    // footer and page again. Errors: box "Drucken von Seite 1"; Cancel
    // aborts the job (nothing printed, no file) and leaves the screen as it is.
    void DRUCKEN();
    // Draws the page into a CAD document: BOGR true clips it at the picture's
    // borders (what the screen shows), false draws every part; then the
    // screen is composed again. Progress texts go to anbindung().exportInfo.
    void SEITEA(drawing::EngineObject* DATEI, bool BOGR);
    bool cadGrenzen() const { return m_acadGrenzen; }
    // The print job of the last DRUCKEN (nullptr before the first).
    const seiten::Druckauftrag* druckauftrag() const { return m_auftrag.get(); }

    // Page options: window and picture colours (colour longs), header and
    // footer shown, page numbers shown.
    void KONTEXT(bool& HBOKF, bool& HBOKFS, int32_t& FARBEMDI, int32_t& FARBEPIC);

    // Controls.
    BildFeld* picBILD11 = nullptr;
    QScrollBar* hscBILD11 = nullptr;
    QScrollBar* vscBILD11 = nullptr;

    // Window state.
    bool kopfFussSichtbar() const { return m_bokf; }
    bool seitenzahlSichtbar() const { return m_bokfs; }
    bool neueAuswertung() const { return m_boneu; }
    int32_t datensatzId() const { return m_id; }
    QString kennung() const { return m_ken; }
    QString kommentar() const { return m_kom; }
    // The window's own surface (header and footer) and the block drawn last.
    drawing::PictureTarget& flaeche() { return *m_flaeche; }
    const clsKOPFFUSS* kopfFuss() const { return m_kopffuss.get(); }
    int32_t hintergrundfarbe() const { return m_farbeMdi; }
    // Compositions started on the screen since the window was created.
    int kompositionen() const { return m_kompositionen; }
    // The engine of the last composition (nullptr before the first).
    drawing::DrawingInterface* engine() const;
    // The composer with what its last composition left.
    Seite11& komponist() { return *m_seite11; }

    // The depth-axis value tables given to the engine.
    static std::vector<double> tiefenMinimum();
    static std::vector<double> tiefenDifferenz();
    static std::vector<double> tiefenTeilung();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Header and footer: 0 on the window's surface, 1 on the printer page.
    void KOPFFUSS(int16_t modus, drawing::Target* drucker = nullptr);
    void exportInfo(const QString& text);
    void fortschritt(int wert);
    QSizeF rahmenTwips() const;
    void bildAendern();
    void freigeben();

    std::unique_ptr<drawing::PictureTarget> m_flaeche;
    std::unique_ptr<drawing::QtScrollBar> m_xBalken;
    std::unique_ptr<drawing::QtScrollBar> m_yBalken;
    std::unique_ptr<clsKOPFFUSS> m_kopffuss;
    std::vector<std::unique_ptr<clsDATEN>> m_daten;   // E1..E12, A1, G0
    std::unique_ptr<Seite11> m_seite11;
    // Kept until the next job: the printer engine and block refer to it.
    std::unique_ptr<seiten::Druckauftrag> m_auftrag;

    bool m_geladen = false;
    bool m_bokf = true;
    bool m_bokfs = true;
    bool m_boneu = false;
    bool m_acadGrenzen = false;
    int32_t m_id = 0;
    QString m_ken;
    QString m_kom;
    int32_t m_farbeMdi = 0xFFFFFF;
    int m_kompositionen = 0;
    // The latest composition requested while one was running.
    struct Anfrage
    {
        int16_t OBJ;
        float XDL, YDO;
        drawing::EngineObject* cadDatei;
    };
    std::optional<Anfrage> m_nachzuholen;
};
