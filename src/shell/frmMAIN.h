#pragma once
// frmMAIN — the program's main window: a multiple-document window whose inner
// area holds the child windows (start screen, input window, page windows),
// with the menu tree, the status line with its fifteen panels, and the shared
// state every other window and class reads (db::sharedState()).
//
// Public API (other windows and the Auswerten commands use these):
//
//   frmMAIN::current()        the one main window (nullptr before it exists)
//   state()                   the shared state: cnnX, cnnX_V, PROJEKT,
//                             PROJEKTSPFAD, BEARBEITER, SPRACHE, DEZIMALPUNKT,
//                             BOAENDERUNG, BORAHMENPROGRAMM, Tag, the
//                             progress hooks (same object as db::sharedState())
//   Tag()                     the mailbox of the modal dialogs ("A", "O", "L",
//                             "OK", "Abbrechen"), a reference into state()
//   mdiArea()                 the inner area; child windows are added to it
//                             (addSubWindow) and shown with their own show()
//   autostart()               the start screen mdiAUTOSTART; its public member
//                             pgbBERECHNEN is the one progress bar
//   stbMAIN                   the status line (StatusPanelBar): text, tooltip,
//                             visibility and bevel of panels 1..15
//   mnuDATEI, mnuAUSWERTEN, mnuEXTRAS, mnuFRAGEZEICHEN
//                             the menus; setMenuEnabled()/isMenuEnabled()
//                             switch a whole menu (its entry in the menu bar)
//   mnuNEU ... mnuINFO        the menu items (QAction), named as in the menu tree
//   DATENSATZANZEIGE()        refreshes panel 6 from the active records
//   mnuBEENDEN_Click(), mnuHILFE_Click(), stbMAIN_PanelClick(index)
//                             public commands other windows' shortcuts call
//   showModal(dialog)         shows a dialog modally with the main window as
//                             owner (tests install a driver instead)
//
// The Auswerten commands (mnuAUSWERTEN_Click, run when the menu is about to
// show; mnuBERECHNEN_Click, mnuNEUBERECHNEN_Click, run by their items) and the
// page-window close command PANEL15() are defined in frmMAIN_Auswerten.cpp.
//
// Closing: the close box, Datei/Schließen and Datei/Beenden all go through
// unloadMain(reason): the query step (save question, frame program restart)
// and the unload step (hand-back, working copy deleted). When it has ended,
// programEnded() is emitted; main() quits the event loop on it.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QCoreApplication;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QDialog;
class StatusPanelBar;
class mdiAUTOSTART;
class mdiEINGABE;

namespace db {
class Connection;
class SharedState;
class Sitzungssperre;
}

class frmMAIN : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMAIN(QWidget* parent = nullptr);
    ~frmMAIN() override;

    static frmMAIN* current();

    // ---- shared state --------------------------------------------------
    db::SharedState& state() const;
    QString& Tag();
    // Read anew on each access.
    QString XMDBPFAD() const;
    bool entwicklungsmodus() const;
    // The project database: <PROJEKTSPFAD>/<PROJEKT>/KAVELOR.mdb.
    QString projektDatenbank() const;

    // ---- start-up ------------------------------------------------------
    // Runs the whole start-up. Returns false when the program has ended
    // during it (a fatal message, or Cancel in an error box before the
    // window was shown); the window then is not shown.
    bool MDIForm_Load();
    bool programmBeendet() const { return m_beendet; }

    // ---- layout --------------------------------------------------------
    QMdiArea* mdiArea() const { return m_mdi; }
    mdiAUTOSTART* autostart() const { return m_autostart; }
    QMdiSubWindow* autostartFenster() const { return m_autostartFenster; }
    StatusPanelBar* stbMAIN = nullptr;

    QMenu* mnuDATEI = nullptr;
    QAction* mnuNEU = nullptr;
    QAction* mnuOEFFNEN = nullptr;
    QAction* mnuAUSWAHL = nullptr;
    QAction* mnuTRENN0 = nullptr;
    QAction* mnuEXPIMP = nullptr;
    QAction* mnuEXPINF = nullptr;
    QAction* mnuLOESCHEN = nullptr;
    QAction* mnuSCHLIESSEN = nullptr;
    QAction* mnuTRENN1 = nullptr;
    QAction* mnuSPEICHERN = nullptr;
    QAction* mnuBEENDEN = nullptr;
    QMenu* mnuAUSWERTEN = nullptr;
    QAction* mnuEINGABEGRAFIK = nullptr;
    QAction* mnuBERECHNEN = nullptr;
    QAction* mnuMBERECHNEN = nullptr;
    QAction* mnuFBERECHNEN = nullptr;
    QAction* mnuNEUBERECHNEN = nullptr;
    QMenu* mnuEXTRAS = nullptr;
    QAction* mnuVVORGABEN = nullptr;
    QAction* mnuVEVORGABEN = nullptr;
    QAction* mnuTRENN2 = nullptr;
    QMenu* mnuWERKZEUGE = nullptr;
    QAction* mnuTEXT = nullptr;
    QAction* mnuPOLYGON = nullptr;
    QAction* mnuKREIS = nullptr;
    QAction* mnuKOMPRIMIEREN = nullptr;
    QMenu* mnuFRAGEZEICHEN = nullptr;
    QAction* mnuHILFE = nullptr;
    QAction* mnuREADME = nullptr;
    QAction* mnuHINWEISE = nullptr;
    QAction* mnuTRENN4 = nullptr;
    QAction* mnuINFO = nullptr;

    static void setMenuEnabled(QMenu* menu, bool enabled);
    static bool isMenuEnabled(QMenu* menu);
    // The caption of a menu item as it stands (access-key marker included);
    // message boxes of a command use it as their title.
    static QString caption(QAction* item);

    // ---- status line ---------------------------------------------------
    void DATENSATZANZEIGE();
    // Shortens the project folder for panel 1: at most 20 characters kept,
    // dropped from the left at folder boundaries, " ... " in front.
    static QString kuerzeProjektspfad(const QString& pfad, QChar trenner);

    // ---- commands ------------------------------------------------------
    void mnuNEU_Click();
    void mnuOEFFNEN_Click();
    void mnuAUSWAHL_Click();
    void mnuEXPIMP_Click();
    void mnuEXPINF_Click();
    void mnuLOESCHEN_Click();
    void mnuSCHLIESSEN_Click();
    // Returns true when the project database now holds the working copy.
    bool mnuSPEICHERN_Click();
    void mnuBEENDEN_Click();
    // Returns true when the working copy was compacted.
    bool mnuKOMPRIMIEREN_Click();
    void mnuFRAGEZEICHEN_Click();
    void mnuHILFE_Click();
    void mnuREADME_Click();
    void mnuHINWEISE_Click();
    void mnuINFO_Click();

    // Auswerten menu (frmMAIN_Auswerten.cpp).
    void mnuAUSWERTEN_Click();
    void mnuBERECHNEN_Click();
    void mnuNEUBERECHNEN_Click();

    // Status-bar commands: runs the command of panel `index` (1..15), then
    // the common end (bevel raised again, default pointer).
    void stbMAIN_PanelClick(int index);
    // Pressed look: the command panel under x (status-bar coordinates) gets
    // the inset bevel, then a 250 ms wait.
    void stbMAIN_MouseDown(int x);
    // Panels 8 and 9: OK and Abbrechen of the input window (frmMAIN_Eingabe.cpp).
    void PANEL8();
    void PANEL9();
    // The open input window (nullptr when there is none) and its unloading
    // (frmMAIN_Eingabe.cpp).
    mdiEINGABE* eingabefenster() const;
    void eingabeEntladen();
    // Panels 10 to 13: Anzeigen, Drucken, Kopie, Word of the page windows
    // (frmMAIN_Seiten.cpp).
    void PANEL10();
    void PANEL11();
    void PANEL12();
    void PANEL13();
    // Panel 14: the CAD export of the active page window (frmMAIN_ACAD.cpp).
    void PANEL14();
    // Panel 15: closes the page windows (frmMAIN_Auswerten.cpp).
    void PANEL15();

    // ---- closing -------------------------------------------------------
    // Reason as the window system reports it.
    enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2 };
    // Query step then unload step; false when the closing was cancelled.
    bool unloadMain(int reason);
    bool MDIForm_QueryUnload(int reason);   // true: cancel the closing
    void MDIForm_Unload();
    // Follows the desktop's session management on `app`: the end of the
    // session reaches the program as the application's quit request and ends
    // it without asking (unsaved changes stay in the working copy for the
    // next start). A request to save the program's data, which a session
    // manager also makes at a mere checkpoint while the session goes on,
    // leaves the program running: every stored record is in the working
    // copy already.
    void sitzungFolgen(QCoreApplication& app);

    // ---- modal dialogs -------------------------------------------------
    // Shows a dialog modally with the main window as owner. Tests install a
    // driver that acts as the user instead of running a modal loop.
    using ModalDriver = std::function<void(QDialog&)>;
    static void setModalDriver(ModalDriver driver);
    static int showModal(QDialog& dialog);

signals:
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void baueMenues();
    void baueStatuszeile();
    void anfangsGroesse();
    void englischeTexte();
    void zeigeStartbildschirm();
    // Makes the working copy from the project database, or keeps the one an
    // interrupted run of this project left (crash question); a copy of
    // another project is put aside. False when the start cannot go on (the
    // reason has been shown). `behalten`: the left copy was kept.
    bool arbeitskopieEinrichten(bool& behalten);
    void beenden();
    bool archivUebergabe();
    QString hilfeDatei(const QString& name) const;

    QMdiArea* m_mdi = nullptr;
    mdiAUTOSTART* m_autostart = nullptr;
    QMdiSubWindow* m_autostartFenster = nullptr;
    std::shared_ptr<db::Connection> m_archiv;
    // This run's hold on the working copy, for as long as the window lives.
    std::unique_ptr<db::Sitzungssperre> m_sitzung;
    bool m_beendet = false;
    bool m_entladen = false;
    bool m_imEntladen = false;
    int m_entladeGrund = vbFormCode;
};
