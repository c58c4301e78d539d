#include "shell/mdiAUTOSTART.h"

#include "database/SharedState.h"
#include "platform/Units.h"
#include "shell/Bilder.h"
#include "shell/clsADRESSE.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>

namespace {
QLabel* label(QWidget* parent, const QString& text, double points, bool bold)
{
    auto* l = new QLabel(text, parent);
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    l->setFont(f);
    return l;
}
} // namespace

mdiAUTOSTART::mdiAUTOSTART(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mdiAUTOSTART"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    fraKOPF = new QFrame(this);
    fraKOPF->setFrameShape(QFrame::Box);
    fraKOPF->setAutoFillBackground(true);
    QPalette kopf = fraKOPF->palette();
    kopf.setColor(QPalette::Window, QColor(0xe8, 0xee, 0xf6));
    kopf.setColor(QPalette::WindowText, QColor(0x1d, 0x3d, 0x6b));
    fraKOPF->setPalette(kopf);
    lblKOPF[0] = label(fraKOPF, QStringLiteral("Firma"), 12, true);
    lblKOPF[1] = label(fraKOPF, QStringLiteral("Anschrift"), 9.75, true);
    lblKOPF[2] = label(fraKOPF, QStringLiteral("Vorsitz"), 9.75, true);
    lblKOPF[3] = label(fraKOPF, QStringLiteral("Telefon"), 8.25, false);
    imgZELK = new QLabel(fraKOPF);

    lblTITEL = label(this, QStringLiteral("KAVELOR"), 33, true);
    lblUNTERTITEL = label(this, QStringLiteral("Bohrprofile"), 33, true);
    imgDIA = new QLabel(this);
    lblVERSION = label(this, QStringLiteral("Version"), 18, false);
    pgbBERECHNEN = new QProgressBar(this);
    pgbBERECHNEN->setRange(0, 100);
    pgbBERECHNEN->setValue(0);
    pgbBERECHNEN->setTextVisible(false);
    pgbBERECHNEN->setObjectName(QStringLiteral("pgbBERECHNEN"));
}

int mdiAUTOSTART::twips(double t) const
{
    return qRound(vb::twipsToPixels(t, logicalDpiX()));
}

void mdiAUTOSTART::Form_Load(int w, int h)
{
    lblVERSION->setText(QStringLiteral("Version "));
    clsADRESSE adresse;
    lblKOPF[0]->setText(adresse.FIRMA1());
    lblKOPF[1]->setText(adresse.PLZ() + QStringLiteral(", ") + adresse.STR());
    const int sprache = db::sharedState().SPRACHE;
    if (sprache == 1 || sprache == 3) {
        const bool en = sprache == 1;
        lblKOPF[2]->setText((en ? QStringLiteral("Head of Found.: ") : QStringLiteral("Vorsitzender: "))
                            + adresse.VORSITZ());
        lblKOPF[3]->setText((en ? QStringLiteral("Phone: ") : QStringLiteral("Telefon: ")) + adresse.TEL()
                            + QStringLiteral(", ") + QStringLiteral("E-Mail: ") + adresse.EMAIL()
                            + QStringLiteral(", ") + QStringLiteral("Internet: ") + adresse.URL());
        lblTITEL->setText(QStringLiteral("KAVELOR"));
        lblUNTERTITEL->setText(QString());
        lblVERSION->setText(lblVERSION->text() + QStringLiteral("August 2002"));
    }

    anordnen(w, h);
    pgbBERECHNEN->setHidden(true);
    m_geladen = true;
}

void mdiAUTOSTART::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The start screen covers the inner area: it follows the main window's size.
    if (m_geladen)
        anordnen(width(), height());
}

void mdiAUTOSTART::anordnen(int w, int h)
{
    for (QLabel* l : lblKOPF)
        l->adjustSize();
    int zeilen = twips(120);
    for (QLabel* l : lblKOPF) {
        l->move(twips(200), zeilen);
        zeilen += l->height() + twips(30);
    }
    const int kopfBreite = qRound(0.98 * w);
    fraKOPF->setGeometry((w - kopfBreite) / 2, twips(120), kopfBreite, zeilen + twips(120));
    const int kh = fraKOPF->height();
    imgZELK->setPixmap(kavelorLogo(qRound(0.85 * kh)));
    imgZELK->adjustSize();
    const int logoOben = qRound(0.1 * kh);
    imgZELK->move(kopfBreite - imgZELK->width() - logoOben / 2, logoOben);

    lblTITEL->adjustSize();
    lblTITEL->move((w - lblTITEL->width()) / 2, qRound((h - lblTITEL->height()) / 2.75));
    lblUNTERTITEL->adjustSize();
    lblUNTERTITEL->move((w - lblUNTERTITEL->width()) / 2,
                        lblTITEL->y() + qRound(1.15 * lblUNTERTITEL->height()));

    lblVERSION->adjustSize();
    imgDIA->setPixmap(kavelorBohrbild(qMax(60, h / 3)));
    imgDIA->adjustSize();
    imgDIA->move(w - imgDIA->width() - twips(1000), h - imgDIA->height() - twips(1000) + fontMetrics().height());
    lblVERSION->move(twips(200), h - twips(1000));

    pgbBERECHNEN->resize(qMax(40, w / 4), qMax(12, pgbBERECHNEN->sizeHint().height()));
    pgbBERECHNEN->move(twips(200), lblVERSION->y() - 3 * pgbBERECHNEN->height());
}
