#pragma once
// frmEXPINF — the information-system export "Export Informationssystem":
// writes one borehole record of the working copy into VESTRALIN.mdb, the
// suite's information-system database, as a new record or over a record of
// the same project chosen in the information-system list.
//
// Copied: KEN and KOM (new records only), RW and HW when OPTK is true, H when
// OPTH is true, and the rows of E2 to E6 in the information system's column
// order (E2's assessor number BS stays behind). A new record takes the
// highest ID of all projects + 1 and gets its E0 row (QART 0, project,
// editor, export date "dd.mm.yy"). The information-system accessors share one
// connection, and each export runs in one transaction on it: a failure leaves
// VESTRALIN.mdb as it was. The dialog changes neither the working copy nor
// the main window's Tag.
#include "exchange/AustauschDialog.h"

#include <QString>
#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class clsDATEN;

class frmEXPINF : public AustauschDialog
{
    Q_OBJECT
public:
    explicit frmEXPINF(QWidget* parent = nullptr);
    ~frmEXPINF() override;

    void Form_Load();
    // A click on the information-system list: a second click on the chosen
    // item removes the choice.
    void lstINF_Click();
    void cmdUEBERNEHMEN_Click();

    QGroupBox* fraPROJ = nullptr;
    QLabel* lblAKTP1 = nullptr;
    QLabel* lblAKTP2 = nullptr;
    QListWidget* lstPROJ = nullptr;
    QGroupBox* fraINF = nullptr;
    QLabel* lblAKTI1 = nullptr;
    QLabel* lblAKTI2 = nullptr;
    QLabel* lblAKTI3 = nullptr;
    QListWidget* lstINF = nullptr;
    QPushButton* cmdUEBERNEHMEN = nullptr;

    bool BOINF() const { return m_boinf; }
    // Clicks an item of the information-system list as the user would.
    void klickeINF(int index);

protected:
    // Releases the thirteen accessors and hides the progress bar.
    void entladen() override;

private:
    void LISTENFUELLEN();
    void EXPORTIEREN();
    // The export's writes, inside its transaction; false when one failed.
    bool schreiben(int32_t n, bool neu);

    std::array<std::unique_ptr<clsDATEN>, 6> m_proj;  // E1..E6 of the working copy
    std::array<std::unique_ptr<clsDATEN>, 7> m_inf;   // E0..E6 of the information system
    bool m_boinf = false;
    int m_letzter = -1;
    short m_sprache = 3;
    QString m_projekt;
    QString m_bearbeiter;
    QString m_datum;
};
