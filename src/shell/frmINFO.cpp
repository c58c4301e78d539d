#include "shell/frmINFO.h"

#include "database/SharedState.h"
#include "kavelor_version.h"
#include "platform/StepRunner.h"
#include "platform/Services.h"
#include "shell/Bilder.h"
#include "shell/clsADRESSE.h"
#include "shell/mdiAUTOSTART.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmINFO::frmINFO(const mdiAUTOSTART* startbildschirm, QWidget* parent) : QDialog(parent), m_start(startbildschirm)
{
    setObjectName(QStringLiteral("frmINFO"));
    setWindowTitle(QStringLiteral("Info"));
    auto* haupt = new QVBoxLayout(this);

    auto* oben = new QHBoxLayout;
    auto* infoSpalte = new QVBoxLayout;
    for (int i = 0; i < 8; ++i) {
        lblINFO[i] = new QLabel(this);
        lblINFO[i]->setWordWrap(true);
        infoSpalte->addWidget(lblINFO[i]);
    }
    QFont titel = lblINFO[1]->font();
    titel.setBold(true);
    titel.setPointSizeF(titel.pointSizeF() * 1.6);
    lblINFO[1]->setFont(titel);
    oben->addLayout(infoSpalte, 1);
    imgZELK = new QLabel(this);
    imgZELK->setPixmap(kavelorLogo(72));
    oben->addWidget(imgZELK, 0, Qt::AlignTop);
    haupt->addLayout(oben);

    Line1 = new QFrame(this);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    haupt->addWidget(Line1);

    auto* unten = new QHBoxLayout;
    imgGEO = new QLabel(this);
    imgGEO->setPixmap(kavelorBohrbild(110));
    unten->addWidget(imgGEO, 0, Qt::AlignTop);
    auto* geoSpalte = new QVBoxLayout;
    for (int i = 0; i < 8; ++i) {
        lblGEO[i] = new QLabel(this);
        geoSpalte->addWidget(lblGEO[i]);
    }
    unten->addLayout(geoSpalte, 1);
    haupt->addLayout(unten);

    cmdSCHLIESSEN = new QPushButton(QString::fromUtf8("Schließen"), this);
    cmdSCHLIESSEN->setDefault(true);
    haupt->addWidget(cmdSCHLIESSEN, 0, Qt::AlignRight);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmINFO::cmdSCHLIESSEN_Click);
    setMinimumWidth(480);
}

QString frmINFO::entwicklerZeile(const QString& entwickler)
{
    if (entwickler.size() <= 50)
        return entwickler;
    const int komma = entwickler.indexOf(QLatin1Char(','), 49);
    if (komma < 0)
        return entwickler;
    return entwickler.left(komma + 1) + QStringLiteral(" ...");
}

void frmINFO::Form_Load()
{
    const QString titel = vb::appTitle();
    vb::StepRunner op(titel, vb::kVbError);
    op.okOnly();
    std::unique_ptr<clsADRESSE> adresse;
    QString entwickler;
    const int sprache = db::sharedState().SPRACHE;
    op.step([&] { adresse = std::make_unique<clsADRESSE>(); })
        .step([&] { entwickler = entwicklerZeile(QString::fromUtf8(KAVELOR_DEVELOPERS)); })
        .step([&] {
            lblGEO[0]->setText(adresse->FIRMA1());
            lblGEO[1]->setText(adresse->FIRMA2());
            lblGEO[2]->setText(adresse->PLZ() + QStringLiteral(", ") + adresse->STR());
            lblGEO[5]->setText(QStringLiteral("Fax: ") + adresse->FAX());
            lblGEO[6]->setText(QStringLiteral("E-Mail: ") + adresse->EMAIL());
            lblGEO[7]->setText(QStringLiteral("Internet: ") + adresse->URL());
        })
        .step([&] {
            if (sprache != 1 && sprache != 3)
                return;
            const bool en = sprache == 1;
            setWindowTitle((en ? QStringLiteral("Info of ") : QStringLiteral("Info zu ")) + titel);
            lblGEO[3]->setText((en ? QStringLiteral("Head of Found.: ") : QStringLiteral("Vorsitzender: "))
                               + adresse->VORSITZ());
            lblGEO[4]->setText((en ? QStringLiteral("Phone: ") : QStringLiteral("Telefon: ")) + adresse->TEL());
            lblINFO[0]->setText(QStringLiteral("TORVENA"));
            if (!m_start)
                vb::raise(vb::err::ObjectNotSet);
            lblINFO[1]->setText(m_start->lblTITEL->text());
            lblINFO[2]->setText(m_start->lblUNTERTITEL->text());
            lblINFO[3]->setText(QStringLiteral("(") + titel + QStringLiteral(".exe)"));
            lblINFO[4]->setText(m_start->lblVERSION->text());
            lblINFO[5]->setText(
                en ? QStringLiteral("This program is protected by copyright. ") + QStringLiteral(KAVELOR_COPYRIGHT)
                   : QString::fromUtf8("Dieses Programm ist urheberrechtlich geschützt. ")
                         + QStringLiteral(KAVELOR_COPYRIGHT));
            lblINFO[6]->setText((en ? QStringLiteral("Program developed by: ") : QStringLiteral("Programmentwicklung: "))
                                + entwickler);
            lblINFO[7]->setText(QString());
            if (en)
                cmdSCHLIESSEN->setText(QStringLiteral("Done"));
        });
    op.run();
    for (QLabel* l : lblINFO)
        l->setHidden(l->text().isEmpty());
}

void frmINFO::cmdSCHLIESSEN_Click()
{
    accept();
}
