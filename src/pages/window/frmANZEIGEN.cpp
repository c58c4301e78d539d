#include "pages/window/frmANZEIGEN.h"

#include "pages/window/Platzierung.h"
#include "pages/window/mdiSEITE1.h"
#include "platform/VbRuntime.h"

#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

using seiten::platzieren;

frmANZEIGEN::frmANZEIGEN(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmANZEIGEN"));
    setWindowTitle(QStringLiteral("Anzeigen"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(11.25);
    setFont(f);
    setFixedSize(seiten::twips(this, 3300), seiten::twips(this, 1875));

    lblSEITEN0 = new QLabel(QStringLiteral("Vorhandene Seiten:"), this);
    platzieren(lblSEITEN0, 240, 300, 1905, 255);
    lblSEITEN1 = new QLabel(this);
    QFont fett = f;
    fett.setBold(true);
    lblSEITEN1->setFont(fett);
    lblSEITEN1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platzieren(lblSEITEN1, 2820, 300, 270, 255);
    lblSEITE = new QLabel(QStringLiteral("Anzeigen: "), this);
    platzieren(lblSEITE, 240, 660, 1020, 255);
    txtSEITE = new QLineEdit(this);
    txtSEITE->setObjectName(QStringLiteral("txtSEITE"));
    txtSEITE->setAlignment(Qt::AlignRight);
    txtSEITE->setMaxLength(1);
    platzieren(txtSEITE, 2670, 600, 405, 375);
    txtSEITE->installEventFilter(this);
    auto* line1 = new QFrame(this);
    line1->setFrameShape(QFrame::HLine);
    line1->setGeometry(seiten::twips(this, 240), seiten::twips(this, 1200), seiten::twips(this, 2820), 2);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    platzieren(cmdOK, 210, 1320, 1400, 400);
    platzieren(cmdABBRECHEN, 1710, 1320, 1400, 400);
    // OK answers Enter, Abbrechen Esc (QDialog's reject).
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmANZEIGEN::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmANZEIGEN::cmdABBRECHEN_Click);
    connect(this, &QDialog::rejected, this, [this] { m_seiten.clear(); });
}

void frmANZEIGEN::Form_Load(const std::vector<mdiSEITE1*>& seiten, const QWidget* aktiv, int16_t sprache)
{
    if (sprache == 1) {
        setWindowTitle(QStringLiteral("Show"));
        lblSEITEN0->setText(QStringLiteral("Available Pages:"));
        lblSEITE->setText(QStringLiteral("Show Page Nr.: "));
        cmdABBRECHEN->setText(QStringLiteral("Cancel"));
        for (QWidget* w : {static_cast<QWidget*>(lblSEITEN0), static_cast<QWidget*>(lblSEITE)})
            vb::textPasst(w);
    }
    m_seiten.assign(seiten.begin(), seiten.end());
    // The position of the active page window; "1" when no page window is active.
    int nummer = 1;
    for (size_t i = 0; i < seiten.size(); ++i)
        if (aktiv && (seiten[i] == aktiv || seiten[i]->parentWidget() == aktiv))
            nummer = int(i) + 1;
    txtSEITE->setText(QString::number(nummer));
    lblSEITEN1->setText(QString::number(seiten.size()));
}

int16_t frmANZEIGEN::begrenzt(const QString& text, int16_t anzahl)
{
    const QString t = vb::IsNumeric(vb::Variant(text)) ? text : QStringLiteral("1");
    double n = vb::Round(vb::Val(t));
    n = std::min<double>(n, anzahl);
    n = std::max<double>(n, 1);
    return int16_t(n);
}

void frmANZEIGEN::txtSEITE_LostFocus()
{
    txtSEITE->setText(QString::number(begrenzt(txtSEITE->text(), int16_t(m_seiten.size()))));
}

void frmANZEIGEN::cmdOK_Click()
{
    // A page window closed while the chooser was open no longer counts: the
    // number chooses among the pages still there.
    std::erase_if(m_seiten, [](const QPointer<mdiSEITE1>& s) { return s.isNull(); });
    // The number is limited here too: Enter in the text box confirms it
    // before it loses the focus.
    const int gewaehlt = begrenzt(txtSEITE->text(), int16_t(m_seiten.size())) - 1;
    for (size_t i = 0; i < m_seiten.size(); ++i) {
        mdiSEITE1* seite = m_seiten[i];
        auto* fenster = qobject_cast<QMdiSubWindow*>(seite->parentWidget());
        if (int(i) == gewaehlt) {
            if (fenster) {
                fenster->showMaximized();
                if (fenster->mdiArea())
                    fenster->mdiArea()->setActiveSubWindow(fenster);
            }
            seite->showMaximized();
        } else if (fenster) {
            fenster->hide();
        } else {
            seite->hide();
        }
    }
    m_seiten.clear();
    accept();
}

void frmANZEIGEN::cmdABBRECHEN_Click()
{
    reject();
}

void frmANZEIGEN::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Towards the bottom right corner of the screen.
    const QSize s = seiten::bildschirm(this);
    seiten::aufBildschirm(this, int(s.width() - 1.5 * width()), s.height() - 2 * height());
    txtSEITE->setFocus();
    txtSEITE->setSelection(0, 1);
}

bool frmANZEIGEN::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSEITE && event->type() == QEvent::FocusOut)
        txtSEITE_LostFocus();
    return QDialog::eventFilter(watched, event);
}
