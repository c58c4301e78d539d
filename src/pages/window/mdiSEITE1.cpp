#include "pages/window/mdiSEITE1.h"

#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "pages/Seite11.h"
#include "pages/window/Druckauftrag.h"
#include "platform/Services.h"
#include "platform/Colors.h"
#include "platform/StepRunner.h"
#include "platform/Units.h"
#include "platform/VbError.h"

#include "kavelor_version.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

namespace {

// Place and size of the picture on the window, millimetres.
constexpr double kBildLinks = 15.0;
constexpr double kBildOben = 30.0;
constexpr double kBildBreite = 240.0;
constexpr double kBildHoehe = 132.0;

const char* const kTabellen[] = {"E1", "E2", "E3", "E4", "E5", "E6", "E7",
                                 "E8", "E9", "E10", "E11", "E12", "A1", "G0"};
enum Tabelle { E1 = 0, E12 = 11, A1 = 12, G0 = 13 };

double bildschirmDpi(const QWidget* w)
{
    const int dpi = w ? w->logicalDpiX() : 96;
    return dpi > 0 ? dpi : 96.0;
}

int pixel(double mm, double dpi)
{
    return int(std::lround(vb::twipsToPixels(vb::mmToTwips(mm), dpi)));
}

// The status-bar panel a page key with Ctrl stands for; 0 for other keys.
int strgPanel(int taste)
{
    switch (taste) {
    case Qt::Key_S: return 10;
    case Qt::Key_P: return 11;
    case Qt::Key_C: return 12;
    case Qt::Key_W: return 13;
    case Qt::Key_A: return 14;
    default: return 0;
    }
}

// A scroll bar of the page as the engine sees it. The engine sets range,
// steps and value while it draws; those settings are not the user's and must
// not ask for a new composition, so the bar stays quiet while they are made.
// Every change it reports is then the user's (or a caller's) own.
class SeitenBalken : public drawing::QtScrollBar
{
public:
    using drawing::QtScrollBar::QtScrollBar;
    using drawing::QtScrollBar::LargeChange;
    using drawing::QtScrollBar::Max;
    using drawing::QtScrollBar::Min;
    using drawing::QtScrollBar::SmallChange;
    using drawing::QtScrollBar::Value;

    void Min(int v) override
    {
        const QSignalBlocker still(bar());
        drawing::QtScrollBar::Min(v);
    }
    void Max(int v) override
    {
        const QSignalBlocker still(bar());
        drawing::QtScrollBar::Max(v);
    }
    void LargeChange(int v) override
    {
        const QSignalBlocker still(bar());
        drawing::QtScrollBar::LargeChange(v);
    }
    void SmallChange(int v) override
    {
        const QSignalBlocker still(bar());
        drawing::QtScrollBar::SmallChange(v);
    }
    void Value(int v) override
    {
        const QSignalBlocker still(bar());
        drawing::QtScrollBar::Value(v);
    }
};

} // namespace

// ---- the picture ---------------------------------------------------------

BildFeld::BildFeld(float breiteTwips, float hoeheTwips, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picBILD11"));
    const double dpi = bildschirmDpi(this);
    m_ziel = std::make_unique<drawing::PictureTarget>(breiteTwips, hoeheTwips, dpi);
    // The log is drawn in page millimetres.
    m_ziel->ScaleMode(drawing::vbMillimeters);
    m_ziel->Cls();
    m_ziel->setChangedCallback([this] { update(); });
    setFixedSize(m_ziel->pixelWidth(), m_ziel->pixelHeight());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BildFeld::~BildFeld() = default;

void BildFeld::hintergrund(int32_t farbe)
{
    m_ziel->BackColor(farbe);
    update();
}

void BildFeld::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_ziel->image());
}

void BildFeld::mousePressEvent(QMouseEvent* event)
{
    int taste = 0;
    switch (event->button()) {
    case Qt::LeftButton: taste = 1; break;
    case Qt::RightButton: taste = 2; break;
    case Qt::MiddleButton: taste = 4; break;
    default: break;
    }
    event->accept();
    if (taste)
        emit mausGedrueckt(taste);
}

// ---- the page window -----------------------------------------------------

mdiSEITE1::Anbindung& mdiSEITE1::anbindung()
{
    static Anbindung a;
    return a;
}

mdiSEITE1::mdiSEITE1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mdiSEITE1"));
    setFocusPolicy(Qt::StrongFocus);

    const double dpi = bildschirmDpi(this);
    // The window's own surface holds header and footer. It is made as large
    // as the screen so that a larger window never cuts off what was drawn.
    QSize groesse(1280, 1024);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        groesse = groesse.expandedTo(s->virtualSize());
    m_flaeche = std::make_unique<drawing::PictureTarget>(
        float(vb::pixelsToTwips(groesse.width(), dpi)), float(vb::pixelsToTwips(groesse.height(), dpi)), dpi);
    m_flaeche->BackColor(m_farbeMdi);
    m_flaeche->Cls();
    m_flaeche->setChangedCallback([this] { update(); });
    setAttribute(Qt::WA_OpaquePaintEvent);

    picBILD11 = new BildFeld(float(vb::mmToTwips(kBildBreite)), float(vb::mmToTwips(kBildHoehe)), this);
    picBILD11->move(pixel(kBildLinks, dpi), pixel(kBildOben, dpi));
    picBILD11->setFocusProxy(this);

    // The bars sit inside the picture; the engine places and sizes them in
    // the picture's millimetres. Their value changes only when the user lets
    // go of the slider, as a page is composed anew for every change.
    hscBILD11 = new QScrollBar(Qt::Horizontal, picBILD11);
    hscBILD11->setObjectName(QStringLiteral("hscBILD11"));
    vscBILD11 = new QScrollBar(Qt::Vertical, picBILD11);
    vscBILD11->setObjectName(QStringLiteral("vscBILD11"));
    const double pxProMm = vb::mmToPixels(1.0, dpi);
    for (QScrollBar* bar : {hscBILD11, vscBILD11}) {
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { bildAendern(); });
    }
    m_xBalken = std::make_unique<SeitenBalken>(hscBILD11, pxProMm, pxProMm);
    m_yBalken = std::make_unique<SeitenBalken>(vscBILD11, pxProMm, pxProMm);

    m_seite11 = std::make_unique<Seite11>();
    m_seite11->bild = &picBILD11->ziel();
    m_seite11->bildLinks = float(vb::mmToTwips(kBildLinks));
    m_seite11->bildOben = float(vb::mmToTwips(kBildOben));
    m_seite11->bildBreite = float(vb::mmToTwips(kBildBreite));
    m_seite11->bildHoehe = float(vb::mmToTwips(kBildHoehe));
    m_seite11->xBalken = m_xBalken.get();
    m_seite11->yBalken = m_yBalken.get();

    connect(picBILD11, &BildFeld::mausGedrueckt, this, [this](int taste) {
        if (taste == 2 && anbindung().anzeigeOptionen)
            anbindung().anzeigeOptionen(*this);
        BILD11(0, 0, 0, nullptr);
    });
}

mdiSEITE1::~mdiSEITE1()
{
    freigeben();
}

void mdiSEITE1::freigeben()
{
    // The composer keeps the engine and painter of the last composition,
    // which refer to the accessors, the picture and the bars: it goes first.
    m_seite11.reset();
    m_daten.clear();
    m_auftrag.reset();
}

std::vector<double> mdiSEITE1::tiefenMinimum()
{
    std::vector<double> v;
    for (int i = -100; i <= -30; i += 5)
        v.push_back(i);
    for (int i = -29; i <= -20; ++i)
        v.push_back(i);
    for (int i = -15; i <= 30; ++i)
        v.push_back(i);
    for (int i = 35; i <= 100; i += 5)
        v.push_back(i);
    for (int i = 120; i <= 200; i += 20)
        v.push_back(i);
    return v;
}

std::vector<double> mdiSEITE1::tiefenDifferenz()
{
    std::vector<double> v;
    for (int i = 1; i <= 50; ++i)
        v.push_back(i);
    for (int i = 55; i <= 100; i += 5)
        v.push_back(i);
    for (int i = 110; i <= 200; i += 10)
        v.push_back(i);
    for (int i = 220; i <= 300; i += 20)
        v.push_back(i);
    return v;
}

std::vector<double> mdiSEITE1::tiefenTeilung()
{
    return std::vector<double>(75, 1.0);
}

void mdiSEITE1::fortschritt(int wert)
{
    db::sharedState().setFortschritt(wert);
}

QSizeF mdiSEITE1::rahmenTwips() const
{
    // The frame of the header and footer is the main window's inner area,
    // which the maximised page window fills; without one, the window itself.
    QSize px = size();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* area = sub->mdiArea())
            px = area->viewport()->size();
    const double dpi = bildschirmDpi(this);
    return QSizeF(vb::pixelsToTwips(px.width(), dpi), vb::pixelsToTwips(px.height(), dpi));
}

void mdiSEITE1::Form_Load()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setWindowState(sub->windowState() | Qt::WindowMaximized);
    else
        setWindowState(windowState() | Qt::WindowMaximized);

    m_bokf = true;
    m_bokfs = true;
    fortschritt(10);

    m_daten.clear();
    for (const char* tabelle : kTabellen) {
        auto dat = std::make_unique<clsDATEN>();
        dat->ETABELLE(QString::fromLatin1(tabelle));
        m_daten.push_back(std::move(dat));
    }

    // A record without rows leaves ID 0, empty texts and False.
    m_daten[E1]->DTVL(QStringLiteral("ID"), m_id);
    m_daten[E1]->DTVT(QStringLiteral("KEN"), m_ken);
    m_daten[E1]->DTVT(QStringLiteral("KOM"), m_kom);
    m_daten[A1]->DTVB(QStringLiteral("BONEU"), m_boneu);
    if (!m_seite11)
        vb::raise(vb::err::ObjectNotSet);
    for (size_t i = 0; i < m_daten.size(); ++i)
        m_seite11->setDaten(QString::fromLatin1(kTabellen[i]), m_daten[i].get());
    m_seite11->ID = m_id;
    setWindowTitle(m_ken);
    fortschritt(15);

    KOPFFUSS(0);
    db::sharedState().nachrichtenLaufenLassen();
    m_seite11->ELYMIN = tiefenMinimum();
    m_seite11->ELYDIFF = tiefenDifferenz();
    m_seite11->ELYIT = tiefenTeilung();
    m_seite11->ELYGIT = m_seite11->ELYIT;
    fortschritt(20);

    BILD11(0, 0, 0, nullptr);
    db::sharedState().nachrichtenLaufenLassen();
    fortschritt(95);
    m_boneu = false;
    m_geladen = true;
}

void mdiSEITE1::KOPFFUSS(int16_t modus, drawing::Target* drucker)
{
    vb::StepRunner op(QStringLiteral("Kopffusszeile"), vb::kVbFehler);
    auto kf = std::make_unique<clsKOPFFUSS>();
    clsKOPFFUSS* block = kf.get();
    op.step([&] {
        if (modus == 0) {
            m_flaeche->BackColor(m_farbeMdi);
            m_flaeche->Cls();
        }
    });
    op.step([&] { m_kopffuss = std::move(kf); });
    op.step([&] {
        if (modus == 0)
            block->AUSGABEOBJEKT(m_flaeche.get(), rahmenTwips());
        else if (drucker)
            block->AUSGABEOBJEKT(drucker, *drucker);
        else
            vb::raise(vb::err::ObjectNotSet);
    });
    op.step([&] { block->BEARBEITER(db::sharedState().BEARBEITER); });
    op.step([&] { block->COPYRIGHT(QStringLiteral(KAVELOR_COPYRIGHT)); });
    op.step([&] { block->EBOKFS(m_bokfs); });
    op.step([&] { block->KENNZEICHNUNG(m_ken); });
    op.step([&] { block->DATUM(QDateTime::currentDateTime()); });
    op.step([&] { block->KOMMENTAR(m_kom); });
    op.step([&] { block->RANDABSTAND(15); });
    op.step([&] {
        if (modus == 0) {
            block->RANDABSTAND(7.5f, QStringLiteral("oben"));
            block->RANDABSTAND(7.5f, QStringLiteral("unten"));
        }
    });
    op.step([&] {
        block->SEITE(1);
        block->SEITENANZAHL(1);
    });
    op.step([&] { block->PROGRAMMIERER(QStringLiteral(KAVELOR_DEVELOPERS)); });
    op.step([&] { block->PROJEKT(db::sharedState().PROJEKT); });
    op.step([&] { block->UEBERSCHRIFT(QStringLiteral(KAVELOR_PRODUCT)); });
    op.step([&] { block->UHRZEIT(QDateTime::currentDateTime()); });
    op.step([&] { block->KOPFFUSSZEILE(); });
    op.run();
    update();
}

void mdiSEITE1::KONTEXT(bool& HBOKF, bool& HBOKFS, int32_t& FARBEMDI, int32_t& FARBEPIC)
{
    m_farbeMdi = FARBEMDI;
    m_flaeche->BackColor(FARBEMDI);
    picBILD11->hintergrund(FARBEPIC);
    m_bokf = HBOKF;
    m_bokfs = HBOKFS;
    m_flaeche->Cls();
    update();
    if (m_bokf)
        KOPFFUSS(0);
    BILD11(0, 0, 0, nullptr);
    db::sharedState().nachrichtenLaufenLassen();
}

void mdiSEITE1::DRUCKEN()
{
    vb::StepRunner op(QStringLiteral("Drucken von Seite 1"), vb::kVbFehler);
    // Cancel aborts the job: nothing of it is printed or written.
    op.cleanup([this] {
        if (m_auftrag)
            m_auftrag->KillDoc();
    });
    auto druckt = [this] { return m_auftrag && m_auftrag->offen(); };
    op.step([this] {
        m_auftrag.reset();
        if (m_seite11)
            m_seite11->drucker = nullptr;
        m_auftrag = std::make_unique<seiten::Druckauftrag>(seiten::druckerwahl());
        drawing::PrinterTarget& ziel = m_auftrag->ziel();
        ziel.ScaleMode(drawing::vbMillimeters);
        ziel.PaperSize(9);
        ziel.Orientation(1);
    });
    // A job that could not be opened has nothing to print on.
    op.step([&] {
        if (druckt() && m_bokf)
            KOPFFUSS(1, &m_auftrag->ziel());
    });
    op.step([] { db::sharedState().nachrichtenLaufenLassen(); });
    op.step([&] {
        if (!druckt() || !m_seite11)
            return;
        m_seite11->drucker = &m_auftrag->ziel();
        BILD11(1, -3, 0, nullptr);
    });
    op.step([] { db::sharedState().nachrichtenLaufenLassen(); });
    op.step([&] {
        if (druckt())
            m_auftrag->EndDoc();
    });
    op.step([this] { KOPFFUSS(0); });
    op.step([this] { BILD11(0, 0, 0, nullptr); });
    op.step([] { db::sharedState().nachrichtenLaufenLassen(); });
    op.run();
}

void mdiSEITE1::exportInfo(const QString& text)
{
    if (anbindung().exportInfo)
        anbindung().exportInfo(text);
}

void mdiSEITE1::SEITEA(drawing::EngineObject* DATEI, bool BOGR)
{
    vb::StepRunner op(QStringLiteral("Sub SEITEA, mdiSEITE1"), vb::kVbFehler);
    op.step([&] {
        m_acadGrenzen = BOGR;
        if (m_seite11)
            m_seite11->acadGrenzen = BOGR;
    });
    op.step([this] { exportInfo(QStringLiteral("Das Profil wird gezeichnet.....")); });
    op.step([&] { BILD11(2, 0, 0, DATEI); });
    op.step([this] { exportInfo(QStringLiteral("Die Bildschirmansicht wird aktualisiert.....")); });
    op.step([this] { KOPFFUSS(0); });
    op.step([this] { BILD11(0, 0, 0, nullptr); });
    op.step([] { db::sharedState().nachrichtenLaufenLassen(); });
    op.run();
}

void mdiSEITE1::bildAendern()
{
    // The engine's own settings of the bars are not reported (SeitenBalken):
    // this is a change the user made, also one made while a composition runs
    // (a held arrow repeats on a timer).
    BILD11(0, 0, 0, nullptr);
}

void mdiSEITE1::BILD11(int16_t OBJ, float XDL, float YDO, drawing::EngineObject* cadDatei)
{
    if (!m_seite11)
        return;
    if (m_seite11->laeuft()) {
        // Never compose inside a composition: the latest request that
        // arrives meanwhile runs once, right after it, as a composition of
        // the window's own (counted, and no new evaluation).
        m_nachzuholen = Anfrage{OBJ, XDL, YDO, cadDatei};
        return;
    }
    // However the run ends, no request is left over for the next one.
    struct Laufmarke
    {
        std::optional<Anfrage>& offen;
        ~Laufmarke() { offen.reset(); }
    } marke{m_nachzuholen};
    Anfrage a{OBJ, XDL, YDO, cadDatei};
    // The new-evaluation flag holds for the first composition only.
    bool neu = m_boneu;
    for (;;) {
        ++m_kompositionen;
        m_seite11->BONEU = neu;
        m_seite11->BILD11(a.OBJ, a.XDL, a.YDO, a.cadDatei);
        if (!m_nachzuholen || !m_seite11)
            break;
        a = *m_nachzuholen;
        m_nachzuholen.reset();
        neu = false;
    }
}

drawing::DrawingInterface* mdiSEITE1::engine() const
{
    return m_seite11 ? m_seite11->maschine().get() : nullptr;
}

void mdiSEITE1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), vb::toQColor(m_farbeMdi));
    p.drawImage(0, 0, m_flaeche->image());
}

void mdiSEITE1::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (anbindung().seitenOptionen)
        anbindung().seitenOptionen(*this);
}

bool mdiSEITE1::event(QEvent* event)
{
    // The page's own keys come before the shortcuts of the window frame
    // (Ctrl+W would close the child window there).
    if (event->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool strg = k->modifiers() & Qt::ControlModifier;
        const bool alt = k->modifiers() & Qt::AltModifier;
        if (k->key() == Qt::Key_Escape || (k->key() == Qt::Key_Q && alt) || (strg && strgPanel(k->key()))) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void mdiSEITE1::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers m = event->modifiers();
    const bool strg = m & Qt::ControlModifier;
    const bool alt = m & Qt::AltModifier;
    const Anbindung& a = anbindung();
    auto panel = [&](int nr) {
        if (a.panelClick)
            a.panelClick(nr);
    };
    // Each key is tested on its own, whatever else is held.
    const int taste = event->key();
    if (taste == Qt::Key_Escape) {
        panel(15);
    } else if (taste == Qt::Key_Q) {
        if (alt && a.beenden)
            a.beenden();
    } else if (const int nr = strgPanel(taste)) {
        if (strg)
            panel(nr);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void mdiSEITE1::Form_Activate()
{
    if (anbindung().panelSichtbar)
        anbindung().panelSichtbar(14, true);
}

void mdiSEITE1::closeEvent(QCloseEvent* event)
{
    freigeben();
    QWidget::closeEvent(event);
    if (anbindung().geschlossen)
        anbindung().geschlossen();
}
