#pragma once
// clsFLX — the grid editor: turns one FlexGrid into a typed table editor.
//
// The host binds the grid (EFLX), a line edit and an editable combo box as
// cell editors (ETXT, ECBO) and a caption picture (EPIC), then describes the
// columns through per-column settings, ELSB (widths in mm) first because it
// replaces the others. The editor never listens to events itself: the host
// forwards the grid's and the cell editors' events to BEARBEITEN, EINFUEGEN
// and TOOLTIP.
//
// Column types (ELSTYP): 0 plain, 1..3 index levels (numbered by
// NUMMERIEREN, they make the fixed columns), 4 date, 5 time, 6 elapsed time
// (filled by AKTUALISIEREN), 7 list (edited in the combo box).
//
// Each operation catches its own errors: a warning box "VB-Error: " + number
// + line break + description, titled "MSFlexGrid / <member>", OK goes on with
// the next step, Cancel leaves the operation.

#include "grid/FlxWert.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QLineEdit;
class QComboBox;

namespace grid {

class FlexGrid;
class FlexPicture;

class clsFLX {
public:
    clsFLX();
    ~clsFLX();
    clsFLX(const clsFLX&) = delete;
    clsFLX& operator=(const clsFLX&) = delete;

    // ---- bound controls (owned by the host) -------------------------------
    FlexGrid* EFLX() const;
    void EFLX(FlexGrid* grid);
    // The coupled editor; reading it when none was set creates one without controls.
    std::shared_ptr<clsFLX> EFLXK();
    void EFLXK(std::shared_ptr<clsFLX> editor);
    QLineEdit* ETXT() const;
    void ETXT(QLineEdit* txt);
    QComboBox* ECBO() const;
    void ECBO(QComboBox* cbo);
    FlexPicture* EPIC() const;
    void EPIC(FlexPicture* pic);

    // ---- per-column settings ------------------------------------------------
    FlxWert ELSB() const { return m_lsb; }
    void ELSB(const FlxWert& breitenMm);
    FlxWert ELST1() const { return m_lst1; }
    void ELST1(const FlxWert& v);
    FlxWert ELST2() const { return m_lst2; }
    void ELST2(const FlxWert& v);
    FlxWert ELSTTT() const { return m_lsttt; }
    void ELSTTT(const FlxWert& v);
    FlxWert ELSTYP() const { return m_lstyp; }
    void ELSTYP(const FlxWert& v);
    // Choice list of column INDEX (one slot per column, made by ELSB).
    FlxWert ELCBO(int16_t INDEX) const;
    void ELCBO(int16_t INDEX, const FlxWert& liste);
    FlxWert ELFORMAT() const { return m_lformat; }
    void ELFORMAT(const FlxWert& v);
    FlxWert ELA() const { return m_la; }
    void ELA(const FlxWert& v);
    FlxWert ELMIN() const { return m_lmin; }
    void ELMIN(const FlxWert& v);
    FlxWert ELMAX() const { return m_lmax; }
    void ELMAX(const FlxWert& v);
    FlxWert ELINDEXMIN() const { return m_lindexmin; }
    void ELINDEXMIN(const FlxWert& v);
    FlxWert ELINDEXMAX() const { return m_lindexmax; }
    void ELINDEXMAX(const FlxWert& v);
    // Import key of each column (the field a device value goes into).
    FlxWert ELSELEK() const { return m_lselek; }
    void ELSELEK(const FlxWert& v);

    // Cell access: the first number is the grid row, the second the column.
    QString EMATRIX(int16_t SPALTENR, int16_t ZEILENR) const;
    void EMATRIX(int16_t SPALTENR, int16_t ZEILENR, const FlxWert& matrix);

    // ---- flags ----------------------------------------------------------------
    bool EBOH() const { return m_boh; }
    void EBOH(bool v);
    int16_t EDET() const { return m_det; }
    void EDET(int16_t v);
    int16_t ESNR() const { return m_snr; }
    int16_t EZNR() const { return m_znr; }

    // ---- operations ----------------------------------------------------------
    void NUMMERIEREN();
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0);
    void AKTUALISIEREN();
    void BESCHRIFTEN();
    // BOB: 0 open the editor, >= 33 a typed character, 13 Enter, -1 copy,
    // -2 mouse pressed at X (twips of the grid). With a typed character,
    // `getippt` is what the key typed, when known: the editor opens with it
    // whole, also where the code cannot name it.
    void BEARBEITEN(int16_t BOB = 0, float X = 0.0f, const QString& getippt = QString());
    // BOE: 0 or 13 commit, -1 paste, -2 mouse released.
    void EINFUEGEN(int16_t BOE = 0);
    // Empties the selected cells, as committing an empty text in each would
    // (Delete or Backspace on the grid); columns without a cell editor keep
    // their text.
    void ZELLENLEEREN();
    void ZEILEEINFUEGEN();
    void ZEILEENTFERNEN();
    void TOOLTIP(float X, float Y);
    // Fills the grid from a device file by the preset AKVK; true when the
    // import ran to its end.
    bool IMPORTIEREN(const QString& AKVK, const QString& DATEI);
    void ZEILENFILTER();

    // The caption font slots 0..5 (slots 1..5 after the first SCHRIFTEINSTELLUNGEN).
    const QFont& schriftSlot(int i) const { return m_slot[size_t(i)]; }

private:
    friend class FlxImport;
    friend class FlxBeschriftung;

    // Special columns (-1 none).
    struct Spezial {
        int16_t index1 = -1, index2 = -1, index3 = -1;
        int16_t datum = -1, zeit = -1, dauer = -1;
    };

    // The bound grid; 91 when none is bound.
    FlexGrid* gitter() const;
    bool eingabepruefung(QString& text, float min, float max, bool ganz, bool datum, const QString& art);
    void text(double X, double Y, const vb::Variant& text, int ARX, int ARY);
    float zeitdifferenz(const QString& D1, const QString& T1, const QString& D2, const QString& T2) const;
    QString formatiert(int spalte, const QString& text) const;
    bool hatFormat(int spalte) const;
    int16_t spaltenTyp(int spalte) const;
    void zeileAnhaengen();

    QPointer<FlexGrid> m_flx;
    std::shared_ptr<clsFLX> m_flxk;
    QPointer<QLineEdit> m_txt;
    QPointer<QComboBox> m_cbo;
    QPointer<FlexPicture> m_pic;

    FlxWert m_lsb, m_lst1, m_lst2, m_lsttt, m_lstyp, m_lformat, m_la, m_lmin, m_lmax;
    FlxWert m_lindexmin, m_lindexmax, m_lselek;
    std::vector<FlxWert> m_lcbo;
    bool m_lcboAngelegt = false;

    bool m_boh = false;
    int16_t m_det = 0;
    int16_t m_snr = 0;
    int16_t m_znr = 0;

    Spezial m_spez;
    int16_t m_start[3] = {0, 0, 0};
    int16_t m_max2 = 0;
    int16_t m_max3 = 0;
    int16_t m_zaehler[3] = {0, 0, 0};
    int16_t m_bezugszeile = 0;

    std::array<QFont, 6> m_slot;
    bool m_slotsGebaut = false;
};

} // namespace grid
