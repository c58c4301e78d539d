// frmACAD: captions in both languages, placement, the answer buttons and the
// progress texts.

#include "autocad/frmACAD.h"

#include "database/SharedState.h"
#include "platform/Services.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
// Layout in pixels of the dialog's design.
constexpr int kWidth = 520, kHeight = 240;
constexpr int kButtonTop = 170, kButtonHeight = 30, kButtonWidth = 110;
} // namespace

frmACAD::frmACAD(acad::ExportPage page, QWidget* parent) : QDialog(parent), m_page(std::move(page))
{
    setWindowTitle(QStringLiteral("AutoCAD Export"));
    setFont(QFont(QStringLiteral("Arial"), 9));
    setFixedSize(kWidth, kHeight);

    fraREITER = new QFrame(this);
    fraREITER->setFrameShape(QFrame::Box);
    fraREITER->setGeometry(8, 8, kWidth - 16, kHeight - 16);

    lblACAD = new QLabel(fraREITER);
    lblACAD->setWordWrap(true);
    lblACAD->setGeometry(12, 10, kWidth - 40, 60);
    lblACAD->setText(QStringLiteral("Falls Teile am Bildschirm nicht sichtbar sind, erscheinen Scrollbalken. Sollen "
                                    "auch diese nicht sichtbaren Teile gezeichnet werden?"));

    lblEXPORTINFO = new QLabel(fraREITER);
    lblEXPORTINFO->setWordWrap(true);
    m_infoTop = 70;
    lblEXPORTINFO->setGeometry(12, m_infoTop, kWidth - 40, 60);
    lblEXPORTINFO->setText(QString(82, QLatin1Char(' ')) + QStringLiteral("Hier stehen die Ladeinformationen..."));

    const int gap = (kWidth - 16 - 3 * kButtonWidth) / 4;
    cmdJA = new QPushButton(QStringLiteral("JA"), fraREITER);
    cmdJA->setGeometry(gap, kButtonTop, kButtonWidth, kButtonHeight);
    cmdJA->setToolTip(QStringLiteral("Alles wird gezeichnet!"));
    cmdNEIN = new QPushButton(QStringLiteral("NEIN"), fraREITER);
    cmdNEIN->setGeometry(2 * gap + kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
    cmdNEIN->setToolTip(QStringLiteral("Nur die am Bildschirm sichtbaren Bereiche werden gezeichnet!"));
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), fraREITER);
    cmdABBRECHEN->setGeometry(3 * gap + 2 * kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight);
    cmdABBRECHEN->setToolTip(QStringLiteral("Abbrechen ohne die Grafiken zu exportieren!"));
    cmdJA->setDefault(true);
    cmdJA->setAutoDefault(true);

    connect(cmdJA, &QPushButton::clicked, this, [this] { antwort(false); });
    connect(cmdNEIN, &QPushButton::clicked, this, [this] { antwort(true); });
    // Esc rejects the dialog, as Abbrechen does.
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &QDialog::reject);

    m_export.EXPORTINFO = [this](const QString& text) { EXPORTINFO(text); };

    // Load: the language, the progress label one button height lower while
    // the buttons are shown, the captions of the language.
    m_sprache = db::sharedState().SPRACHE;
    lblEXPORTINFO->move(lblEXPORTINFO->x(), m_infoTop + kButtonHeight);
    if (m_sprache == 1) {
        cmdJA->setText(QStringLiteral("YES"));
        cmdNEIN->setText(QStringLiteral("NO"));
        cmdABBRECHEN->setText(QStringLiteral("Cancel"));
        lblACAD->setText(QStringLiteral("If parts of the picture are out of the pictureborders, scroll-bars will "
                                        "appear. Do you want these invisible parts to be exported as well?"));
        lblEXPORTINFO->setText(
            QStringLiteral("This applies to 2-dimensional pictures! For 3D-Pictures just press the YES button."));
    } else if (m_sprache == 3) {
        lblACAD->setText(QStringLiteral("Falls Teile außerhalb des Bildbereiches sind, erscheinen Scrollbalken. "
                                        "Sollen auch diese nicht sichtbaren Teile exportiert werden?"));
        lblEXPORTINFO->setText(QStringLiteral("Dies gilt für 2-dimensionale Grafiken! Im Falle einer 3D-Grafik "
                                              "klicken Sie einfach auf die Schaltfläche JA."));
    }
}

frmACAD::~frmACAD() = default;

void frmACAD::EXPORTINFO(const QString& INFO)
{
    lblEXPORTINFO->setText(INFO);
    m_verlauf << INFO;
}

void frmACAD::platzieren()
{
    if (isMinimized())
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    move(s.x() + s.width() / 2 - frameGeometry().width() / 2, s.y() + s.height() / 2 - frameGeometry().height());
}

void frmACAD::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    platzieren();
}

void frmACAD::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    platzieren();
}

void frmACAD::antwort(bool clip)
{
    lblEXPORTINFO->move(lblEXPORTINFO->x(), m_infoTop);
    lblEXPORTINFO->clear();
    if (m_sprache == 1)
        lblACAD->setText(QStringLiteral("Please wait a moment, this procedure takes some time!"));
    else if (m_sprache == 3)
        lblACAD->setText(QStringLiteral("Bitte um etwas Geduld, dieser Vorgang dauert einige Zeit!"));
    cmdJA->hide();
    cmdNEIN->hide();
    cmdABBRECHEN->hide();
    EXPORTINFO(m_sprache == 1 ? QStringLiteral("Loading AutoCAD in the background.....")
                              : QStringLiteral("AutoCAD wird im Hintergrund gestartet....."));
    vb::DoEvents();
    m_export.ACADEXPORT(clip, m_page, m_sprache);
    accept();
}
