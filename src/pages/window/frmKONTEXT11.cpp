#include "pages/window/frmKONTEXT11.h"

#include "database/clsDATEN.h"
#include "pages/window/Platzierung.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

using seiten::platzieren;

namespace {

const QString kIDOBJEKT = QStringLiteral("IDOBJEKT");
const Wert kBild11 = Wert(vb::Variant(int16_t(11)));
constexpr std::array<int16_t, 5> kMassstaebe{20, 25, 50, 100, 200};

// A check box's value as the database stores it: 0, 1, or 2 for grey.
int16_t wertVon(const QCheckBox* c)
{
    switch (c->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void wertSetzen(QCheckBox* c, int16_t v)
{
    if (v < 0 || v > 2)
        vb::raise(vb::err::InvalidPropertyValue);
    c->setTristate(v == 2);
    c->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

} // namespace

std::vector<int> frmKONTEXT11::tiefenListe()
{
    std::vector<int> v;
    for (int i = 0; i <= 10; ++i)
        v.push_back(i);
    for (int i = 15; i <= 100; i += 5)
        v.push_back(i);
    for (int i = 120; i <= 200; i += 20)
        v.push_back(i);
    return v;
}

frmKONTEXT11::frmKONTEXT11(QWidget* owner) : seiten::AnpassenderDialog(owner)
{
    setObjectName(QStringLiteral("frmKONTEXT11"));
    setWindowTitle(QString::fromUtf8("Kontextmenü"));
    setFixedSize(seiten::twips(this, 6225), seiten::twips(this, 5940));

    auto* lblYACHSE = new QLabel(QStringLiteral("y-Achse"), this);
    QFont fett = lblYACHSE->font();
    fett.setBold(true);
    lblYACHSE->setFont(fett);
    platzieren(lblYACHSE, 270, 300, 825, 225);
    auto* lblYMAX = new QLabel(QStringLiteral("Ymax"), this);
    lblYMAX->setAlignment(Qt::AlignCenter);
    platzieren(lblYMAX, 915, 645, 465, 225);
    cboYMAX = new QComboBox(this);
    cboYMAX->setObjectName(QStringLiteral("cboYMAX"));
    platzieren(cboYMAX, 1455, 585, 1005);

    frmMA = seiten::rahmen(this, QString::fromUtf8("Maßstab"), 9, 2820, 180, 3345, 975);
    const char* texte[] = {"1:20", "1:25", "1:50", "1:100", "1:200", "1:"};
    const double lagen[][2] = {{240, 300}, {240, 630}, {1080, 300}, {1080, 630}, {1980, 300}, {1980, 630}};
    for (int i = 0; i < 6; ++i) {
        optMA[i] = new QRadioButton(QString::fromLatin1(texte[i]), frmMA);
        optMA[i]->setObjectName(QStringLiteral("optMA%1").arg(i));
        platzieren(optMA[i], lagen[i][0], lagen[i][1], i == 5 ? 450 : 800);
    }
    txtMA = new QLineEdit(frmMA);
    txtMA->setObjectName(QStringLiteral("txtMA"));
    platzieren(txtMA, 2430, 540, 675, 320);
    // The caption "1:" of the sixth option needs more room in this system's
    // face than the design gave it: the free scale box starts after it.
    txtMA->move(std::max(txtMA->x(), optMA[5]->geometry().right() + 1), txtMA->y());
    // Every change of the free scale selects "1:".
    connect(txtMA, &QLineEdit::textChanged, this, [this] { optMA[5]->setChecked(true); });

    auto* frmARV = seiten::rahmen(this, QStringLiteral("Schichtbeschriftung"), 9, 90, 1170, 3045, 825);
    optARV[0] = new QRadioButton(QStringLiteral("mittig"), frmARV);
    optARV[1] = new QRadioButton(QStringLiteral("oben"), frmARV);
    platzieren(optARV[0], 480, 330);
    platzieren(optARV[1], 1590, 330);
    optARV[1]->setChecked(true);

    auto* fraVORG = seiten::rahmen(this, QStringLiteral("Weitere Vorgaben"), 9, 90, 2040, 3045, 1485);
    platzieren(new QLabel(QStringLiteral("Symbole nach"), fraVORG), 150, 330);
    cboSYMBOLE = new QComboBox(fraVORG);
    cboSYMBOLE->addItems({QString::fromUtf8("ÖNORM"), QStringLiteral("DIN")});
    platzieren(cboSYMBOLE, 1590, 270, 1365);
    platzieren(new QLabel(QStringLiteral("Farben"), fraVORG), 180, 660);
    cboFARBEN = new QComboBox(fraVORG);
    cboFARBEN->addItems({QStringLiteral("keine Farben"), QStringLiteral("nat. Farben"),
                         QString::fromUtf8("Farben nach ÖNORM")});
    platzieren(cboFARBEN, 840, 660, 2115);
    platzieren(new QLabel(QStringLiteral("Koten "), fraVORG), 150, 1080);
    cboKOTEN = new QComboBox(fraVORG);
    cboKOTEN->addItems({QStringLiteral(" u. Bezugsniveau"), QStringLiteral("unter GOK")});
    platzieren(cboKOTEN, 840, 1050, 2115);
    for (QComboBox* c : {cboYMAX, cboSYMBOLE, cboFARBEN, cboKOTEN}) {
        c->setCurrentIndex(-1);
        // A list at least as wide as its longest entry ("Farben nach ÖNORM").
        c->resize(std::max(c->width(), c->sizeHint().width()), c->height());
    }
    connect(cboSYMBOLE, &QComboBox::currentIndexChanged, this, &frmKONTEXT11::symboleGewaehlt);

    auto* fraPELEM = seiten::rahmen(this, QStringLiteral("Profilelemente"), 9, 90, 3570, 3045, 1785);
    const std::pair<QCheckBox**, const char*> profil[] = {
        {&chkBZTV, "Beschriftungskopf"}, {&chkBZSV, "Bodenzustand Symbole"}, {&chkBFV, "Bodenfarbe, Text"},
        {&chkBEMV, "Bemerkungen Schichten"}, {&chkBUV, "Beurteiler"}};
    const double profilY[] = {240, 510, 810, 1110, 1440};
    for (int i = 0; i < 5; ++i) {
        *profil[i].first = new QCheckBox(QString::fromUtf8(profil[i].second), fraPELEM);
        platzieren(*profil[i].first, 240, profilY[i]);
    }
    auto* fraELEM = seiten::rahmen(this, QStringLiteral("Weitere Elemente"), 9, 3270, 1170, 2895, 4185);
    const std::pair<QCheckBox**, const char*> weitere[] = {
        {&chkBVV, "Bohrverfahren"}, {&chkVV, "Verrohrung"}, {&chkPROV, "Proben"},
        {&chkGWV, "Grundwasser"}, {&chkSTSV, "Standardsonde"}, {&chkTPV, "Taschenpenetrometer"},
        {&chkKVV, "Kornverteilung"}, {&chkBILDV, "Bildsamkeit"}, {&chkFDV, "Flachdilatometer"},
        {&chkPRV, "Pressiometer"}};
    const double weitereY[] = {330, 660, 990, 1320, 1680, 2010, 2310, 2640, 3000, 3360};
    for (int i = 0; i < 10; ++i) {
        *weitere[i].first = new QCheckBox(QString::fromUtf8(weitere[i].second), fraELEM);
        platzieren(*weitere[i].first, 270, weitereY[i]);
    }
    // The lists of "Weitere Vorgaben" are as wide as their longest entry; when
    // that reaches past the frame, the frames of the left column grow to hold
    // them and the frame beside them gives up the room.
    const int rand = seiten::twips(this, 60);
    const int noetig = std::max({cboSYMBOLE->geometry().right(), cboFARBEN->geometry().right(),
                                 cboKOTEN->geometry().right()}) + rand;
    if (noetig > fraVORG->width()) {
        for (QGroupBox* links : {frmARV, fraVORG, fraPELEM})
            links->resize(noetig, links->height());
        const int frei = fraELEM->x() - fraVORG->geometry().right() - rand;
        if (frei < 0)
            fraELEM->setGeometry(fraELEM->x() - frei, fraELEM->y(), fraELEM->width() + frei, fraELEM->height());
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    platzieren(cmdOK, 2580 + 90, 5460 + 30, 1600, 400);
    platzieren(cmdABBRECHEN, 2580 + 1920, 5460 + 30, 1600, 400);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT11::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT11::cmdABBRECHEN_Click);
}

frmKONTEXT11::~frmKONTEXT11() = default;

frmKONTEXT11::Schalter frmKONTEXT11::profilSchalter() const
{
    return {{"BZTV", chkBZTV}, {"BZSV", chkBZSV}, {"BFV", chkBFV}, {"BEMV", chkBEMV}, {"BUV", chkBUV}};
}

frmKONTEXT11::Schalter frmKONTEXT11::spaltenSchalter() const
{
    return {{"BVV", chkBVV}, {"VV", chkVV},       {"PROV", chkPROV},   {"GWV", chkGWV}, {"TPV", chkTPV},
            {"STSV", chkSTSV}, {"BILDV", chkBILDV}, {"PRV", chkPRV}, {"FDV", chkFDV}, {"KVV", chkKVV}};
}

void frmKONTEXT11::symboleGewaehlt(int index)
{
    // Only the Austrian symbols can be drawn so far.
    if (index <= 0 || m_symboleZurueck)
        return;
    vb::MsgBox(QString::fromUtf8("Die Symboldarstellung ist zur Zeit nur nach ÖNorm B4401 möglich!"), vb::vbOKOnly,
               QStringLiteral("HINWEIS!"));
    m_symboleZurueck = true;
    cboSYMBOLE->setCurrentIndex(0);
    m_symboleZurueck = false;
}

void frmKONTEXT11::Form_Load()
{
    vb::ErrorTrap falle(QStringLiteral("Form_Load"));
    falle([&] {
        m_g0 = std::make_unique<clsDATEN>();
        m_g0->ETABELLE(QStringLiteral("G0"));
        m_e12 = std::make_unique<clsDATEN>();
        m_e12->ETABELLE(QStringLiteral("E12"));
    });
    if (!m_g0 || !m_e12)
        return;
    falle([&] {
        cboYMAX->clear();
        for (int v : tiefenListe())
            cboYMAX->addItem(QString::number(v));
        cboYMAX->setCurrentIndex(-1);
    });
    falle([&] { m_g0->DTVS(QStringLiteral("YMAX"), m_YMAX, kIDOBJEKT, kBild11); });
    falle([&] { m_g0->DTVS(QStringLiteral("MY"), m_MY, kIDOBJEKT, kBild11); });
    falle([&] {
        // The entry that reads like YMAX, else the first one above it whose
        // neighbour lies below it; none when YMAX is outside the list.
        const QString text = vb::CStr(m_YMAX);
        const std::vector<int> liste = tiefenListe();
        int wahl = -1;
        for (size_t i = 0; i < liste.size() && wahl < 0; ++i)
            if (QString::number(liste[i]) == text)
                wahl = int(i);
        for (size_t i = 1; i < liste.size() && wahl < 0; ++i)
            if (float(liste[i]) > m_YMAX && float(liste[i - 1]) < m_YMAX)
                wahl = int(i);
        cboYMAX->setCurrentIndex(wahl);
    });

    if (!falle.access([&] { return m_e12->DTVI(QStringLiteral("SYMBOLE"), m_SYMBOLE); }) ||
        !falle.access([&] { return m_e12->DTVI(QStringLiteral("FARBEN"), m_FARBEN); }) ||
        !falle.access([&] { return m_e12->DTVB(QStringLiteral("TAV"), m_TAV); }))
        return;

    falle([&] {
        m_MA = vb::CIntRange(double(m_MY * 1000.0f));
        int wahl = 5;
        for (size_t i = 0; i < kMassstaebe.size(); ++i)
            if (m_MA == kMassstaebe[i])
                wahl = int(i);
        if (m_MA == 0)
            wahl = 2;
        // Options in the order of the list: 1:20, 1:25, 1:50, 1:100, 1:200, 1:.
        if (wahl == 5) {
            txtMA->setText(QString::number(m_MA));
        }
        optMA[wahl]->setChecked(true);
    });
    // A list refuses a position it does not have.
    falle([&] {
        if (m_SYMBOLE < 0 || m_SYMBOLE >= cboSYMBOLE->count())
            vb::raise(vb::err::InvalidPropertyValue);
        cboSYMBOLE->setCurrentIndex(m_SYMBOLE);
    });
    falle([&] {
        if (m_FARBEN < 0 || m_FARBEN >= cboFARBEN->count())
            vb::raise(vb::err::InvalidPropertyValue);
        cboFARBEN->setCurrentIndex(m_FARBEN);
    });
    falle([&] { cboKOTEN->setCurrentIndex(m_TAV ? 1 : 0); });

    const auto vorne = profilSchalter();
    const auto hinten = spaltenSchalter();
    auto laden = [&](const char* spalte, QCheckBox* c) {
        int16_t v = 0;
        if (!falle.access([&] { return m_e12->DTVI(QString::fromLatin1(spalte), v); }))
            return false;
        return falle([&] { wertSetzen(c, v); });
    };
    for (const auto& [spalte, c] : vorne)
        if (!laden(spalte, c))
            return;
    bool ARV = false;
    if (!falle.access([&] { return m_e12->DTVB(QStringLiteral("ARV"), ARV); }))
        return;
    if (ARV)
        optARV[0]->setChecked(true);
    for (const auto& [spalte, c] : hinten)
        if (!laden(spalte, c))
            return;
}

void frmKONTEXT11::cmdOK_Click()
{
    vb::ErrorTrap falle(QStringLiteral("cmdOK_Click"));
    if (!m_g0 || !m_e12) {
        accept();
        return;
    }
    int16_t MA = m_MA;
    float MY = 0;
    float YMAX = m_YMAX;
    int16_t SYMBOLE = 0, FARBEN = 0;
    bool TAV = true;
    falle([&] {
        for (size_t i = 0; i < kMassstaebe.size(); ++i)
            if (optMA[i]->isChecked())
                MA = kMassstaebe[i];
        // A scale below 0 would turn the log upside down: like a text
        // without a number it gives 0.
        if (optMA[5]->isChecked())
            MA = std::max<int16_t>(0, vb::CIntRange(vb::Val(txtMA->text())));
    });
    falle([&] { MY = float(MA) / 1000.0f; });
    // Without a chosen entry the depth axis keeps the maximum it has.
    falle([&] {
        if (cboYMAX->currentIndex() >= 0)
            YMAX = float(vb::Val(cboYMAX->currentText()));
    });
    falle([&] {
        m_g0->DVTS(QStringLiteral("YMAX"), YMAX, kIDOBJEKT, kBild11);
        m_g0->DVTS(QStringLiteral("MY"), MY, kIDOBJEKT, kBild11);
    });
    falle([&] {
        SYMBOLE = int16_t(cboSYMBOLE->currentIndex());
        FARBEN = int16_t(cboFARBEN->currentIndex());
        TAV = cboKOTEN->currentIndex() != 0;
    });
    if (falle.cancelled())
        return;

    // Each write only when the one before it succeeded. A failed write has
    // shown the accessor's box and ends the chain; the dialog closes all the
    // same. Cancel in the error box keeps it open.
    auto schreiben = [&](const char* spalte, int16_t v) {
        bool ok = false;
        falle([&] { ok = m_e12->DVTI(QString::fromLatin1(spalte), v); });
        return ok;
    };
    auto schreibenB = [&](const char* spalte, bool v) {
        bool ok = false;
        falle([&] { ok = m_e12->DVTB(QString::fromLatin1(spalte), v); });
        return ok;
    };
    [&] {
        if (!schreiben("MA", MA) || !schreiben("SYMBOLE", SYMBOLE) || !schreiben("FARBEN", FARBEN))
            return;
        for (const auto& [spalte, c] : profilSchalter())
            if (!schreiben(spalte, wertVon(c)))
                return;
        if (!schreibenB("ARV", optARV[0]->isChecked()))
            return;
        for (const auto& [spalte, c] : spaltenSchalter())
            if (!schreiben(spalte, wertVon(c)))
                return;
        schreibenB("TAV", TAV);
    }();
    if (falle.cancelled())
        return;
    accept();
}

void frmKONTEXT11::cmdABBRECHEN_Click()
{
    reject();
}

void frmKONTEXT11::anpassen()
{
    if (isMinimized())
        return;
    const QSize s = seiten::bildschirm(this);
    seiten::aufBildschirm(this, s.width() / 10, s.height() / 10);
}

