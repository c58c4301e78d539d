#pragma once
// mdiEINGABE — the input window of one borehole record: the record frame
// (identifier and comment) above a tab control with the general data on tab 0
// and one grid per detail table on tabs 1 to 10.
//
// Loading (the constructor) builds the controls, sets up the ten grid editors
// from the one grid table (Eingabetabellen.h) and creates the twelve table
// accessors E1..E12, each bound to the active record. OK(key) stores what the
// window shows as the record with that key, OEFFNEN(key) loads a stored
// record into a freshly loaded window. Neither opens a transaction: the main
// window's save command wraps the whole save in one.
//
// The window sees every key before the focused control: the keypad's decimal
// key types the locale's decimal sign, Alt+Q quits the program (`beenden`),
// Ctrl+S saves (`speichern`), Ctrl+C and Ctrl+V copy and paste in the grid
// that has the focus. The main window sets the two callbacks.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsDATEN;

namespace grid {
class FlexGrid;
class FlexPicture;
class clsFLX;
} // namespace grid

namespace eingabe {
class Registerkarten;
}

class mdiEINGABE : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRaster = 10;

    explicit mdiEINGABE(QWidget* parent = nullptr);
    ~mdiEINGABE() override;

    // Stores the window's record under AKTID: E1 from the general data, E2..E11
    // from the grids, E12 the default display options. True when every write
    // (the comment's excepted) succeeded; on false the window stays as it is
    // (with the coded columns turned into their codes).
    bool OK(int32_t AKTID);
    // Loads the record AKTID into the window.
    void OEFFNEN(int32_t AKTID);
    // False, after saying so, when the identifier is empty or blank.
    bool kennungGeprueft();
    // Commits every open cell editor, as Enter would. False when a grid
    // refused the value (it has said so and its editor stays open).
    bool zellenUebernommen();

    // Releases the grid editors and accessors and removes the key handling;
    // the window stores nothing. Called once when the entry ends.
    void entladen();
    bool istEntladen() const { return m_entladen; }

    // Commands of the main window the keys reach.
    std::function<void()> beenden;     // Alt+Q, Ctrl+Alt+Q
    std::function<void()> speichern;   // Ctrl+S
    // Emitted when the user closes the window by its close box.
    std::function<void()> geschlossen;

    int SPRACHE() const { return m_sprache; }
    // Called once the window stands in the main window: from then on the
    // focus leaving an empty identifier is refused (moves while the window
    // is being placed are not the user's).
    void gezeigt() { m_gezeigt = true; }

    // ---- controls -------------------------------------------------------
    QFrame* fraKEN = nullptr;
    QLabel* lblKEN = nullptr;
    QLineEdit* txtKEN = nullptr;
    QLabel* lblKOM = nullptr;
    QLineEdit* txtKOM = nullptr;
    eingabe::Registerkarten* SSTab = nullptr;
    std::array<QFrame*, 11> fraR{};

    QLabel* lblRW = nullptr;
    QLineEdit* txtRW = nullptr;
    QLabel* lblHW = nullptr;
    QLineEdit* txtHW = nullptr;
    QLabel* lblH = nullptr;
    QLineEdit* txtH = nullptr;
    QLabel* lblROK = nullptr;
    QLineEdit* txtROK = nullptr;
    QGroupBox* frmK = nullptr;
    std::array<QRadioButton*, 2> optK{};
    QGroupBox* frmH = nullptr;
    std::array<QRadioButton*, 2> optH{};
    QGroupBox* frmB = nullptr;
    std::array<QLabel*, 4> lblB{};
    std::array<QLineEdit*, 4> txtB{};

    std::array<grid::FlexGrid*, kRaster> msgFLX{};
    std::array<grid::FlexPicture*, kRaster> picFLX{};
    std::array<QLineEdit*, kRaster> txtFLX{};
    std::array<QComboBox*, kRaster> cboFLX{};
    std::array<QPushButton*, kRaster> cmdH{};
    std::array<QPushButton*, kRaster> cmdW{};
    std::array<QPushButton*, kRaster> cmdK{};
    std::array<QPushButton*, kRaster> cmdE{};
    std::array<QPushButton*, kRaster> cmdI{};   // device file import (also Ctrl+I on a grid tab)

    // The grid editors and the accessors of E1..E12 (null after entladen()).
    grid::clsFLX* FLX(int i) const { return m_flx[size_t(i)].get(); }
    clsDATEN* DAT(int tabelle) const { return m_dat[size_t(tabelle - 1)].get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QLineEdit* textfeld(QWidget* eltern, const QString& name, double x, double y, double breite, int grenze = 0);
    QLabel* beschriftung(QWidget* eltern, const QString& name, const QString& text, double x, double y);
    void baueRahmen();
    void baueAllgemeineDaten(QWidget* seite);
    void baueRaster(int i, QWidget* seite);
    void englischeTexte();
    void rasterEinrichten(int i);
    void tabulatorFolge();
    void anordnen();
    bool tasteVorab(QObject* empfaenger, QKeyEvent* e);
    int rasterMitFokus(QObject* empfaenger) const;
    int mm(double millimeter) const;

    int m_sprache = 3;
    bool m_entladen = false;
    bool m_prueftKennung = false;
    bool m_gezeigt = false;
    std::array<std::unique_ptr<grid::clsFLX>, kRaster> m_flx;
    std::array<std::unique_ptr<clsDATEN>, 12> m_dat;
};
