#pragma once
// frmKONTEXT11 — the display options of the active record's log page: scale,
// maximum of the depth axis, symbol standard, colour mode, depth labelling,
// place of the layer texts and the fifteen column switches.
//
// It edits the record's E12 row and MY and YMAX of its view record (G0,
// picture 11). The scale is read from G0.MY and written to both. The page
// window shows it modally (right button on the picture) and composes the page
// again when it has closed.
//
//   frmKONTEXT11 dlg(mainWindow);
//   dlg.Form_Load();          // reads the database; errors: box "Form_Load"
//   exec / showModal(dlg);    // OK writes (box "cmdOK_Click"), Abbrechen nothing
#include "pages/window/Platzierung.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsDATEN;

class frmKONTEXT11 : public seiten::AnpassenderDialog
{
    Q_OBJECT
public:
    explicit frmKONTEXT11(QWidget* owner = nullptr);
    ~frmKONTEXT11() override;

    void Form_Load();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    // The depth-axis maxima offered: 0..10, 15..100 by 5, 120..200 by 20.
    static std::vector<int> tiefenListe();

    QComboBox* cboYMAX = nullptr;
    QGroupBox* frmMA = nullptr;
    std::array<QRadioButton*, 6> optMA{};        // 1:20, 1:25, 1:50, 1:100, 1:200, 1:
    QLineEdit* txtMA = nullptr;
    std::array<QRadioButton*, 2> optARV{};       // mittig, oben
    QComboBox* cboSYMBOLE = nullptr;
    QComboBox* cboFARBEN = nullptr;
    QComboBox* cboKOTEN = nullptr;
    QCheckBox *chkBZTV = nullptr, *chkBZSV = nullptr, *chkBFV = nullptr, *chkBEMV = nullptr, *chkBUV = nullptr;
    QCheckBox *chkBVV = nullptr, *chkVV = nullptr, *chkPROV = nullptr, *chkGWV = nullptr, *chkSTSV = nullptr,
              *chkTPV = nullptr, *chkKVV = nullptr, *chkBILDV = nullptr, *chkFDV = nullptr, *chkPRV = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

private:
    // Switch columns of E12 with their check boxes: the log's elements, then
    // the side and test columns, each in the order they are stored.
    using Schalter = std::vector<std::pair<const char*, QCheckBox*>>;
    Schalter profilSchalter() const;
    Schalter spaltenSchalter() const;
    void symboleGewaehlt(int index);
    void anpassen() override;
    std::unique_ptr<clsDATEN> m_g0;
    std::unique_ptr<clsDATEN> m_e12;
    int16_t m_MA = 0;
    float m_YMAX = 0;
    float m_MY = 0;
    int16_t m_SYMBOLE = 0;
    int16_t m_FARBEN = 0;
    bool m_TAV = false;
    bool m_symboleZurueck = false;
};
