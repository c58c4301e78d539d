#include "entry/mdiEINGABE.h"

#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "entry/Eingabetabellen.h"
#include "entry/Registerkarten.h"
#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"
#include "grid/FlxImport.h"
#include "grid/clsFLX.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/Texteingabe.h"
#include "platform/Units.h"
#include "platform/VbRuntime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

using eingabe::Raster;
using eingabe::Spalte;
using grid::FlxWert;

namespace {

// A device file into a grid: the open cell is committed first, then the
// preset and the file (from the project's folder "Elektronik") are asked for.
void geraeteImport(grid::clsFLX* flx)
{
    if (!flx)
        return;
    flx->EINFUEGEN(0);
    const db::SharedState& s = db::sharedState();
    grid::FlxImport::mitAuswahl(*flx, s.PROJEKTSPFAD + QLatin1Char('/') + s.PROJEKT + QStringLiteral("/Elektronik"));
}

QFont arial(double punkte)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(punkte);
    return f;
}

QStringList spaltenTexte(const Raster& r, QString Spalte::*feld)
{
    QStringList l;
    for (const Spalte& s : r.spalten)
        l << s.*feld;
    return l;
}

FlxWert spaltenZahlen(const Raster& r, const std::function<FlxWert(const Spalte&)>& f)
{
    std::vector<FlxWert> l;
    for (const Spalte& s : r.spalten)
        l.push_back(f(s));
    return FlxWert::liste(l);
}

} // namespace

int mdiEINGABE::mm(double millimeter) const
{
    return qRound(vb::mmToPixels(millimeter, logicalDpiX()));
}

mdiEINGABE::mdiEINGABE(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mdiEINGABE"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_sprache = db::sharedState().SPRACHE;
    baueRahmen();
    if (m_sprache == 1)
        englischeTexte();
    for (int i = 0; i < kRaster; ++i)
        m_flx[size_t(i)] = std::make_unique<grid::clsFLX>();
    for (int i = 0; i < kRaster; ++i)
        rasterEinrichten(i);
    for (int t = 0; t < 12; ++t) {
        m_dat[size_t(t)] = std::make_unique<clsDATEN>();
        m_dat[size_t(t)]->ETABELLE(QStringLiteral("E%1").arg(t + 1));
    }
    tabulatorFolge();
    SSTab->setTab(0);
    resize(mm(202.1), mm(149.2));
    qApp->installEventFilter(this);
    txtKEN->setFocus(Qt::OtherFocusReason);
}

mdiEINGABE::~mdiEINGABE()
{
    entladen();
}

void mdiEINGABE::entladen()
{
    if (m_entladen)
        return;
    m_entladen = true;
    qApp->removeEventFilter(this);
    for (auto& f : m_flx)
        f.reset();
    for (auto& d : m_dat)
        d.reset();
}

// ---------------------------------------------------------------------------
// Controls

QLineEdit* mdiEINGABE::textfeld(QWidget* eltern, const QString& name, double x, double y, double breite, int grenze)
{
    auto* t = new QLineEdit(eltern);
    t->setObjectName(name);
    t->setFont(arial(11.25));
    t->setGeometry(mm(x), mm(y), mm(breite), mm(7.1));
    vb::eingabeBegrenzen(t, grenze);
    return t;
}

QLabel* mdiEINGABE::beschriftung(QWidget* eltern, const QString& name, const QString& text, double x, double y)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    l->setFont(arial(11.25));
    l->move(mm(x), mm(y) - 2);
    l->adjustSize();
    return l;
}

void mdiEINGABE::baueRahmen()
{
    fraKEN = new QFrame(this);
    fraKEN->setObjectName(QStringLiteral("fraKEN"));
    fraKEN->setFrameShape(QFrame::StyledPanel);
    fraKEN->setGeometry(0, 0, mm(201.9), mm(10.8));
    lblKEN = beschriftung(fraKEN, QStringLiteral("lblKEN"), QStringLiteral("Datensatz"), 8.5, 4.2);
    txtKEN = textfeld(fraKEN, QStringLiteral("txtKEN"), 28.6, 2.6, 27.2, 8);
    lblKOM = beschriftung(fraKEN, QStringLiteral("lblKOM"), QStringLiteral("Kommentar"), 63.5, 4.2);
    txtKOM = textfeld(fraKEN, QStringLiteral("txtKOM"), 86.8, 2.6, 81.2, 50);

    SSTab = new eingabe::Registerkarten(11, 4, this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    SSTab->setFont(arial(9.75));
    SSTab->setGeometry(0, mm(11.1), mm(201.9), mm(137.8));
    SSTab->setSeitenGeometrie(QRect(mm(1.6), mm(23.8), mm(193.1), mm(112.0)));
    SSTab->setTabCaption(0, eingabe::tab0Deutsch());
    for (const Raster& r : eingabe::raster())
        SSTab->setTabCaption(r.index + 1, r.tabDeutsch);
    for (int k = 0; k < 11; ++k) {
        auto* f = new QFrame(SSTab->seite(k));
        f->setObjectName(QStringLiteral("fraR%1").arg(k));
        f->setGeometry(0, 0, mm(193.1), mm(112.0));
        fraR[size_t(k)] = f;
    }
    baueAllgemeineDaten(fraR[0]);
    for (int i = 0; i < kRaster; ++i)
        baueRaster(i, fraR[size_t(i + 1)]);
    // Re-centre on every resize; sizes stay.
    anordnen();
}

void mdiEINGABE::baueAllgemeineDaten(QWidget* seite)
{
    const QFont schrift = arial(11.25);
    auto rahmen = [&](const char* name, const QString& text, double x, double y, double b, double h) {
        auto* g = new QGroupBox(text, seite);
        g->setObjectName(QString::fromLatin1(name));
        g->setFont(schrift);
        g->setGeometry(mm(x), mm(y), mm(b), mm(h));
        return g;
    };
    auto option = [&](QGroupBox* g, const char* name, const QString& text, double x, double y) {
        auto* o = new QRadioButton(text, g);
        o->setObjectName(QString::fromLatin1(name));
        o->setFont(schrift);
        o->move(mm(x), mm(y));
        o->adjustSize();
        return o;
    };

    lblRW = beschriftung(seite, QStringLiteral("lblRW"), QStringLiteral("X [m]"), 47.6, 10.6);
    lblRW->setToolTip(QStringLiteral("Rechtswert"));
    txtRW = textfeld(seite, QStringLiteral("txtRW"), 59.3, 9.5, 24.7);
    txtRW->setToolTip(QStringLiteral("[m]"));
    lblHW = beschriftung(seite, QStringLiteral("lblHW"), QStringLiteral("Y [m]"), 47.4, 18.5);
    txtHW = textfeld(seite, QStringLiteral("txtHW"), 59.3, 18.0, 24.7);
    lblH = beschriftung(seite, QStringLiteral("lblH"), QString::fromUtf8("Höhe GOK  [m ü. Bezugshöhe]"), 3.2, 27.5);
    txtH = textfeld(seite, QStringLiteral("txtH"), 59.3, 26.5, 24.7);
    lblROK = beschriftung(seite, QStringLiteral("lblROK"), QString::fromUtf8("Rohroberkante über GOK [m]"), 6.3, 37.6);
    txtROK = textfeld(seite, QStringLiteral("txtROK"), 59.3, 36.5, 24.7);

    frmK = rahmen("frmK", QStringLiteral("Koordinatensystem"), 111.6, 10.1, 63.5, 24.7);
    optK[0] = option(frmK, "optK0", QStringLiteral("lokales Koordinatensystem"), 4.2, 6.3);
    optK[1] = option(frmK, "optK1", QStringLiteral("geod.Koordinatensystem"), 4.2, 14.3);
    frmH = rahmen("frmH", QString::fromUtf8("Bezugshöhe"), 111.6, 46.6, 63.5, 24.7);
    optH[0] = option(frmH, "optH0", QString::fromUtf8("Höhe ü. A."), 5.8, 7.4);
    optH[1] = option(frmH, "optH1", QString::fromUtf8("lokale Bezugshöhe"), 5.8, 13.8);

    frmB = rahmen("frmB", QStringLiteral("Beurteiler der Schichten "), 15.9, 57.1, 50.3, 46.6);
    const double y[4] = {10.1, 18.5, 27.5, 36.0};
    for (int b = 0; b < 4; ++b) {
        lblB[size_t(b)] =
            beschriftung(frmB, QStringLiteral("lblB%1").arg(b + 1), QStringLiteral("%1:").arg(b + 1), 6.3, y[b] + 1.0);
        txtB[size_t(b)] = textfeld(frmB, QStringLiteral("txtB%1").arg(b + 1), 16.9, y[b], 24.7);
    }
}

void mdiEINGABE::baueRaster(int i, QWidget* seite)
{
    const QFont schrift = arial(11.25);
    auto* g = new grid::FlexGrid(seite);
    g->setObjectName(QStringLiteral("msgFLX%1").arg(i));
    g->setIndex(i);
    g->setGeometry(mm(1.6), mm(3.2), mm(155.2), mm(107.6));
    msgFLX[size_t(i)] = g;

    auto* t = new QLineEdit(seite);
    t->setObjectName(QStringLiteral("txtFLX%1").arg(i));
    txtFLX[size_t(i)] = t;
    auto* c = new QComboBox(seite);
    c->setObjectName(QStringLiteral("cboFLX%1").arg(i));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    cboFLX[size_t(i)] = c;
    auto* p = new grid::FlexPicture(seite);
    p->setObjectName(QStringLiteral("picFLX%1").arg(i));
    picFLX[size_t(i)] = p;

    // The buttons stacked on the right: the row commands, then the import.
    const double y[5] = {5.3, 14.1, 22.8, 31.2, 39.6};
    const char* texte[5] = {"Zeile einfügen", "Zeile entfernen", "Kopieren", "Einfügen", "Importieren"};
    const char* namen[5] = {"cmdH", "cmdW", "cmdK", "cmdE", "cmdI"};
    std::array<QPushButton*, kRaster>* knoepfe[5] = {&cmdH, &cmdW, &cmdK, &cmdE, &cmdI};
    for (int k = 0; k < 5; ++k) {
        auto* b = new QPushButton(QString::fromUtf8(texte[k]), seite);
        b->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(namen[k])).arg(i));
        b->setFont(schrift);
        b->setGeometry(mm(160.5), mm(y[k]), mm(28.2), mm(7.1));
        b->setAutoDefault(false);
        (*knoepfe[k])[size_t(i)] = b;
    }

    // Every event of the grid goes to its editor.
    auto flx = [this, i] { return m_flx[size_t(i)].get(); };
    connect(g, &grid::FlexGrid::DblClick, this, [flx] {
        if (flx())
            flx()->BEARBEITEN(0, 0);
    });
    connect(g, &grid::FlexGrid::KeyPress, this, [flx](int16_t code, const QString& text) {
        if (flx())
            flx()->BEARBEITEN(code, 0, text);
    });
    connect(g, &grid::FlexGrid::LoeschTaste, this, [flx] {
        if (flx())
            flx()->ZELLENLEEREN();
    });
    connect(g, &grid::FlexGrid::Click, this, [flx] {
        if (flx())
            flx()->EINFUEGEN(0);
    });
    connect(g, &grid::FlexGrid::MouseDown, this, [flx](int, int, float x, float) {
        if (flx())
            flx()->BEARBEITEN(-2, x);
    });
    connect(g, &grid::FlexGrid::MouseUp, this, [flx](int, int, float, float) {
        if (flx())
            flx()->EINFUEGEN(-2);
    });
    // The caption picture's redraw hands its errors to its caller; scrolling
    // has no operation above it, so they are reported here.
    connect(g, &grid::FlexGrid::Scroll, this, [flx] {
        if (flx()) {
            flx()->EINFUEGEN(0);
            vb::ErrorTrap falle(QStringLiteral("BESCHRIFTEN"));
            falle([&] { flx()->BESCHRIFTEN(); });
        }
    });
    connect(g, &grid::FlexGrid::MouseMove, this, [flx](int, int, float x, float y) {
        if (flx())
            flx()->TOOLTIP(x, y);
    });
    connect(p, &grid::FlexPicture::MouseMove, this, [flx](int, int, float x, float y) {
        if (flx())
            flx()->TOOLTIP(x, y);
    });
    // Enter in a cell editor commits the cell.
    connect(t, &QLineEdit::returnPressed, this, [flx] {
        if (flx())
            flx()->EINFUEGEN(13);
    });
    connect(c->lineEdit(), &QLineEdit::returnPressed, this, [flx] {
        if (flx())
            flx()->EINFUEGEN(13);
    });
    connect(cmdH[size_t(i)], &QPushButton::clicked, this, [flx] {
        if (flx()) {
            flx()->EINFUEGEN(0);
            flx()->ZEILEEINFUEGEN();
        }
    });
    connect(cmdW[size_t(i)], &QPushButton::clicked, this, [flx] {
        if (flx()) {
            flx()->EINFUEGEN(0);
            flx()->ZEILEENTFERNEN();
        }
    });
    connect(cmdK[size_t(i)], &QPushButton::clicked, this, [flx] {
        if (flx())
            flx()->BEARBEITEN(-1, 0);
    });
    connect(cmdE[size_t(i)], &QPushButton::clicked, this, [flx] {
        if (flx())
            flx()->EINFUEGEN(-1);
    });
    connect(cmdI[size_t(i)], &QPushButton::clicked, this, [flx] { geraeteImport(flx()); });
}

void mdiEINGABE::englischeTexte()
{
    SSTab->setTabCaption(0, eingabe::tab0Englisch());
    for (const Raster& r : eingabe::raster())
        SSTab->setTabCaption(r.index + 1, r.tabEnglisch);
    lblKEN->setText(QStringLiteral("File"));
    lblKEN->adjustSize();
    lblKOM->setText(QStringLiteral("comment"));
    lblKOM->adjustSize();
    for (int i = 0; i < kRaster; ++i) {
        cmdH[size_t(i)]->setText(QStringLiteral("Insert row"));
        cmdW[size_t(i)]->setText(QStringLiteral("Remove row"));
        cmdK[size_t(i)]->setText(QStringLiteral("Copy"));
        cmdE[size_t(i)]->setText(QStringLiteral("Paste"));
        cmdI[size_t(i)]->setText(QStringLiteral("Import"));
    }
}

void mdiEINGABE::rasterEinrichten(int i)
{
    const Raster& r = eingabe::raster()[size_t(i)];
    grid::clsFLX& f = *m_flx[size_t(i)];
    f.EFLX(msgFLX[size_t(i)]);
    f.ETXT(txtFLX[size_t(i)]);
    f.EPIC(picFLX[size_t(i)]);
    f.ECBO(cboFLX[size_t(i)]);
    f.ELSB(spaltenZahlen(r, [](const Spalte& s) { return FlxWert(s.breiteMm); }));
    f.ELST1(FlxWert::texte(spaltenTexte(r, &Spalte::zeile1)));
    f.ELST2(FlxWert::texte(spaltenTexte(r, &Spalte::zeile2)));
    f.ELSTTT(FlxWert::texte(spaltenTexte(r, &Spalte::tooltip)));
    f.ELSTYP(spaltenZahlen(r, [](const Spalte& s) { return FlxWert(int16_t(s.typ)); }));
    f.ELFORMAT(FlxWert::texte(spaltenTexte(r, &Spalte::format)));
    // Device values name their target column by its stored field.
    f.ELSELEK(FlxWert::texte(spaltenTexte(r, &Spalte::feld)));
    f.ELA(spaltenZahlen(r, [](const Spalte& s) { return FlxWert(int16_t(s.ausrichtung)); }));
    f.SCHRIFTEINSTELLUNGEN(QString(), 8, false, false, false, 0);
    f.BESCHRIFTEN();
    const bool englisch = m_sprache == 1;
    for (size_t c = 0; c < r.spalten.size(); ++c) {
        const Spalte& s = r.spalten[c];
        if (s.liste != eingabe::Liste::Keine)
            f.ELCBO(int16_t(c), FlxWert::texte(eingabe::eintraege(s.liste, englisch)));
    }
}

void mdiEINGABE::tabulatorFolge()
{
    // Identifier, comment, the tab rows, then the current tab's controls in
    // the order of their tables; hidden pages drop out of the chain.
    std::vector<QWidget*> folge = {txtKEN, txtKOM, SSTab, txtRW, txtHW, txtH, txtROK, optK[0], optK[1],
                                   optH[0], optH[1]};
    for (QLineEdit* t : txtB)
        folge.push_back(t);
    for (int i = 0; i < kRaster; ++i) {
        folge.push_back(msgFLX[size_t(i)]);
        folge.push_back(cmdH[size_t(i)]);
        folge.push_back(cmdW[size_t(i)]);
        folge.push_back(cmdK[size_t(i)]);
        folge.push_back(cmdE[size_t(i)]);
        folge.push_back(cmdI[size_t(i)]);
    }
    for (size_t k = 1; k < folge.size(); ++k)
        setTabOrder(folge[k - 1], folge[k]);
}

// ---------------------------------------------------------------------------
// Layout

void mdiEINGABE::anordnen()
{
    if (!SSTab || !fraKEN)
        return;
    const int oben = qRound(1.5 * fraKEN->height());
    const int links = (width() - SSTab->width()) / 2;
    SSTab->move(links, oben);
    fraKEN->move(links, oben - qRound(1.15 * fraKEN->height()));
}

void mdiEINGABE::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget());
    if ((rahmen && rahmen->isMinimized()) || isMinimized())
        return;
    anordnen();
}

void mdiEINGABE::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (!m_entladen && geschlossen)
        geschlossen();
}

// ---------------------------------------------------------------------------
// Keys

int mdiEINGABE::rasterMitFokus(QObject* empfaenger) const
{
    for (QObject* o = empfaenger; o; o = o->parent())
        for (int i = 0; i < kRaster; ++i)
            if (o == msgFLX[size_t(i)])
                return i;
    return -1;
}

bool mdiEINGABE::tasteVorab(QObject* empfaenger, QKeyEvent* e)
{
    // The keypad's decimal key types the locale's decimal sign.
    if ((e->modifiers() & Qt::KeypadModifier)
        && (e->key() == Qt::Key_Period || e->key() == Qt::Key_Comma || e->key() == Qt::Key_Delete)
        && (e->text() == QLatin1String(".") || e->text() == QLatin1String(","))) {
        const QString zeichen = db::sharedState().DEZIMALPUNKT;
        const int taste = zeichen == QLatin1String(",") ? Qt::Key_Comma : Qt::Key_Period;
        QKeyEvent ersatz(QEvent::KeyPress, taste, e->modifiers() & ~Qt::KeypadModifier, zeichen);
        QCoreApplication::sendEvent(empfaenger, &ersatz);
        return true;
    }
    const Qt::KeyboardModifiers mod = e->modifiers();
    if ((mod & Qt::AltModifier) && e->key() == Qt::Key_Q) {
        if (beenden)
            beenden();
        return true;
    }
    if (mod & Qt::ControlModifier) {
        const int raster = rasterMitFokus(empfaenger);
        if (e->key() == Qt::Key_C && raster >= 0) {
            if (m_flx[size_t(raster)])
                m_flx[size_t(raster)]->BEARBEITEN(-1, 0);
            return true;
        }
        if (e->key() == Qt::Key_S) {
            if (speichern)
                speichern();
            return true;
        }
        if (e->key() == Qt::Key_I && SSTab->Tab() >= 1) {
            geraeteImport(m_flx[size_t(SSTab->Tab() - 1)].get());
            return true;
        }
        if (e->key() == Qt::Key_V && raster >= 0) {
            if (m_flx[size_t(raster)])
                m_flx[size_t(raster)]->EINFUEGEN(-1);
            return true;
        }
    }
    return false;
}

bool mdiEINGABE::kennungGeprueft()
{
    if (!vb::Trim(txtKEN->text()).isEmpty() || m_prueftKennung)
        return true;
    m_prueftKennung = true;
    const bool en = m_sprache == 1;
    vb::MsgBox(en ? QStringLiteral("File name is missing!") : QStringLiteral("Datensatzkennzeichnung fehlt!"),
               vb::vbOKOnly | vb::vbExclamation, en ? QStringLiteral("Data error") : QStringLiteral("Datenfehler"));
    m_prueftKennung = false;
    return false;
}

bool mdiEINGABE::eventFilter(QObject* watched, QEvent* event)
{
    if (m_entladen)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w)))
            return tasteVorab(watched, static_cast<QKeyEvent*>(event));
        return false;
    }
    if (watched == txtKEN && event->type() == QEvent::FocusOut && m_gezeigt) {
        // Leaving the identifier for another control of the window checks it.
        const auto grund = static_cast<QFocusEvent*>(event)->reason();
        QWidget* neu = QApplication::focusWidget();
        // Only the user's moves count: the window itself moves the focus
        // while it is shown, before an identifier could be typed.
        if ((grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason || grund == Qt::MouseFocusReason
             || grund == Qt::ShortcutFocusReason)
            && neu && neu != txtKEN && isAncestorOf(neu) && !kennungGeprueft()) {
            txtKEN->setFocus(Qt::OtherFocusReason);
        }
    }
    return false;
}
