#pragma once
// frmKONTEXT — the page options of one page window: header and footer shown,
// page number shown, colour of the window and of its picture. Not stored.
//
// A click on the page window beside its picture opens it without modality
// (one dialog at a time; opening it again brings it to the front). The page
// window that opened it last receives the choices through its KONTEXT when
// the user confirms; when that window has been closed meanwhile, OK just
// closes the dialog.
#include "pages/window/Platzierung.h"

#include <QDialog>
#include <QPointer>
#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;
class mdiSEITE1;

class frmKONTEXT : public seiten::AnpassenderDialog
{
    Q_OBJECT
public:
    explicit frmKONTEXT(QWidget* owner = nullptr);

    // What the page window writes before it shows the dialog: the tags of
    // both check boxes ("1" or "0") and the colours of both colour dialogs.
    void vorbereiten(mdiSEITE1& seite);
    // The one dialog, created with `owner` when none is open, prepared by
    // `seite` and shown.
    static frmKONTEXT* zeigen(mdiSEITE1& seite, QWidget* owner);
    mdiSEITE1* seite() const { return m_seite; }

    void cmdOK_Click();
    void cmdABBRECHEN_Click();
    void cmdFARBEN_Click(int i);

    QCheckBox* chkBOKF = nullptr;
    QCheckBox* chkBOKFS = nullptr;
    std::array<QPushButton*, 2> cmdFARBEN{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;
    // The tags of the check boxes and the colours (colour longs) of the
    // colour dialogs "Seitenfarbe" and "Pictureboxfarben".
    std::array<QString, 2> tag{QStringLiteral("1"), QStringLiteral("1")};
    std::array<int32_t, 2> farbe{0xFFFFFF, 0xFFFFFF};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void anpassen() override;
    QPointer<mdiSEITE1> m_seite;
};
