#include "pages/window/frmKONTEXT.h"

#include "pages/window/Platzierung.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

using seiten::platzieren;

namespace {
const char* const kFarbTitel[] = {"Seitenfarbe", "Pictureboxfarben"};
QPointer<frmKONTEXT> g_offen;
} // namespace

frmKONTEXT::frmKONTEXT(QWidget* owner) : seiten::AnpassenderDialog(owner)
{
    setObjectName(QStringLiteral("frmKONTEXT"));
    // Page windows carry no tag text of their own.
    setWindowTitle(QString::fromUtf8("Kontextmenü "));
    setFixedSize(seiten::twips(this, 3885), seiten::twips(this, 3780));

    auto* fraSKALEN = seiten::rahmen(this, QStringLiteral("Seitenlayout"), 9.75, 120, 75, 3675, 2955);
    for (int i = 0; i < 2; ++i) {
        cmdFARBEN[i] = new QPushButton(QString::fromLatin1(kFarbTitel[i]), fraSKALEN);
        platzieren(cmdFARBEN[i], 360, i == 0 ? 480 : 1080, 2295, 375);
        connect(cmdFARBEN[i], &QPushButton::clicked, this, [this, i] { cmdFARBEN_Click(i); });
    }
    chkBOKF = new QCheckBox(QString::fromUtf8("Kopf / Fußzeile darstellen"), fraSKALEN);
    chkBOKFS = new QCheckBox(QStringLiteral("Seitennummerierung darstellen"), fraSKALEN);
    for (QCheckBox* c : {chkBOKF, chkBOKFS}) {
        c->setChecked(true);
    }
    platzieren(chkBOKF, 240, 1680, 2415, 375);
    platzieren(chkBOKFS, 240, 2280, 3135, 375);
    // Without header and footer there is no page number to show.
    connect(chkBOKF, &QCheckBox::toggled, this, [this](bool an) {
        chkBOKFS->setEnabled(an);
        chkBOKFS->setChecked(an);
    });

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    platzieren(cmdOK, 120 + 90, 3150 + 30, 1600, 400);
    platzieren(cmdABBRECHEN, 120 + 1920, 3150 + 30, 1600, 400);
    for (QPushButton* b : {cmdOK, cmdABBRECHEN, cmdFARBEN[0], cmdFARBEN[1]})
        b->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT::cmdABBRECHEN_Click);
}

void frmKONTEXT::vorbereiten(mdiSEITE1& seite)
{
    m_seite = &seite;
    tag[0] = seite.kopfFussSichtbar() ? QStringLiteral("1") : QStringLiteral("0");
    tag[1] = seite.seitenzahlSichtbar() ? QStringLiteral("1") : QStringLiteral("0");
    farbe[0] = seite.hintergrundfarbe();
    farbe[1] = seite.picBILD11->ziel().BackColor();
}

frmKONTEXT* frmKONTEXT::zeigen(mdiSEITE1& seite, QWidget* owner)
{
    if (!g_offen) {
        g_offen = new frmKONTEXT(owner);
        g_offen->setAttribute(Qt::WA_DeleteOnClose);
    }
    g_offen->vorbereiten(seite);
    g_offen->show();
    g_offen->raise();
    g_offen->activateWindow();
    return g_offen;
}

void frmKONTEXT::anpassen()
{
    if (isMinimized())
        return;
    seiten::aufBildschirm(this, seiten::twips(this, vb::mmToTwips(20)), seiten::twips(this, vb::mmToTwips(35)));
    chkBOKF->setChecked(vb::Val(tag[0]) != 0);
    chkBOKFS->setChecked(vb::Val(tag[1]) != 0);
}


void frmKONTEXT::cmdFARBEN_Click(int i)
{
    // Cancel keeps the colour the dialog had.
    farbe[i] = vb::fromQColor(vb::ShowColor(vb::toQColor(farbe[i]), QString::fromLatin1(kFarbTitel[i])));
}

void frmKONTEXT::cmdOK_Click()
{
    vb::WaitPointer warten;
    int32_t FARBEMDI = farbe[0];
    int32_t FARBEPIC = farbe[1];
    bool HBOKF = chkBOKF->isChecked();
    bool HBOKFS = chkBOKFS->isChecked();
    if (m_seite)
        m_seite->KONTEXT(HBOKF, HBOKFS, FARBEMDI, FARBEPIC);
    close();
}

void frmKONTEXT::cmdABBRECHEN_Click()
{
    close();
}

void frmKONTEXT::keyPressEvent(QKeyEvent* event)
{
    const bool strg = event->modifiers() & Qt::ControlModifier;
    const auto& a = mdiSEITE1::anbindung();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        break;
    case Qt::Key_Q:
        if (strg && a.beenden)
            a.beenden();
        break;
    case Qt::Key_S:
        if (strg)
            cmdOK_Click();
        break;
    case Qt::Key_Escape:
        cmdABBRECHEN_Click();
        break;
    case Qt::Key_F1:
        if (a.hilfe)
            a.hilfe();
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}
