#include "shell/frmMAIN.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "shell/StatusPanelBar.h"
#include "shell/mdiAUTOSTART.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStatusBar>

namespace {
frmMAIN* g_current = nullptr;
frmMAIN::ModalDriver g_modalDriver;

QAction* eintrag(QMenu* menu, const char* objektName, const QString& text)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(objektName));
    return a;
}

QAction* trenner(QMenu* menu, const char* objektName)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(objektName));
    return a;
}
} // namespace

frmMAIN::frmMAIN(QWidget* parent) : QMainWindow(parent)
{
    g_current = this;
    setObjectName(QStringLiteral("frmMAIN"));
    setWindowTitle(QStringLiteral("TORVENA"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    // The inner area has the system's application-workspace colour.
    m_mdi->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdi);
    baueMenues();
    baueStatuszeile();
    anfangsGroesse();
    vb::dialogs().setParentWidget(this);
}

void frmMAIN::anfangsGroesse()
{
    // The main window takes most of the screen, centred on it: the start
    // screen, the input window and the A4 page windows all open inside it.
    QScreen* bildschirm = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!bildschirm) {
        resize(1024, 768);
        return;
    }
    const QRect frei = bildschirm->availableGeometry();
    const QSize groesse(qRound(frei.width() * 0.9), qRound(frei.height() * 0.9));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, groesse, frei));
}

frmMAIN::~frmMAIN()
{
    auto& st = state();
    st.fortschrittHook = nullptr;
    st.fortschrittSichtbarHook = nullptr;
    if (vb::dialogs().parentWidget() == this)
        vb::dialogs().setParentWidget(nullptr);
    if (g_current == this)
        g_current = nullptr;
}

frmMAIN* frmMAIN::current() { return g_current; }

db::SharedState& frmMAIN::state() const { return db::sharedState(); }
QString& frmMAIN::Tag() { return state().Tag; }
QString frmMAIN::XMDBPFAD() const { return state().XMDBPFAD(); }
bool frmMAIN::entwicklungsmodus() const { return state().entwicklungsmodus(); }

QString frmMAIN::projektDatenbank() const
{
    const auto& st = state();
    return st.PROJEKTSPFAD + QLatin1Char('/') + st.PROJEKT + QLatin1Char('/') + vb::appTitle()
           + QStringLiteral(".mdb");
}

void frmMAIN::baueMenues()
{
    QMenuBar* mb = menuBar();
    mnuDATEI = mb->addMenu(QStringLiteral("&Datei"));
    mnuDATEI->setObjectName(QStringLiteral("mnuDATEI"));
    mnuNEU = eintrag(mnuDATEI, "mnuNEU", QStringLiteral("&Neu"));
    mnuOEFFNEN = eintrag(mnuDATEI, "mnuOEFFNEN", QString::fromUtf8("&Öffnen"));
    mnuAUSWAHL = eintrag(mnuDATEI, "mnuAUSWAHL", QStringLiteral("&Auswahl"));
    mnuTRENN0 = trenner(mnuDATEI, "mnuTRENN0");
    mnuEXPIMP = eintrag(mnuDATEI, "mnuEXPIMP", QStringLiteral("&Export-Import"));
    mnuEXPINF = eintrag(mnuDATEI, "mnuEXPINF", QStringLiteral("Export-&Inf.system"));
    mnuLOESCHEN = eintrag(mnuDATEI, "mnuLOESCHEN", QString::fromUtf8("&Löschen"));
    mnuSCHLIESSEN = eintrag(mnuDATEI, "mnuSCHLIESSEN", QString::fromUtf8("&Schließen"));
    mnuTRENN1 = trenner(mnuDATEI, "mnuTRENN1");
    mnuSPEICHERN = eintrag(mnuDATEI, "mnuSPEICHERN", QStringLiteral("&Speichern"));
    mnuBEENDEN = eintrag(mnuDATEI, "mnuBEENDEN", QStringLiteral("&Beenden"));

    mnuAUSWERTEN = mb->addMenu(QStringLiteral("&Auswerten"));
    mnuAUSWERTEN->setObjectName(QStringLiteral("mnuAUSWERTEN"));
    mnuEINGABEGRAFIK = eintrag(mnuAUSWERTEN, "mnuEINGABEGRAFIK", QStringLiteral("&Eingabegrafik"));
    mnuBERECHNEN = eintrag(mnuAUSWERTEN, "mnuBERECHNEN", QStringLiteral("&Berechnen"));
    mnuMBERECHNEN = eintrag(mnuAUSWERTEN, "mnuMBERECHNEN", QStringLiteral("&MBerechnen"));
    mnuFBERECHNEN = eintrag(mnuAUSWERTEN, "mnuFBERECHNEN", QStringLiteral("&FBerechnen"));
    mnuNEUBERECHNEN = eintrag(mnuAUSWERTEN, "mnuNEUBERECHNEN", QStringLiteral("&Neuberechnen"));
    mnuEINGABEGRAFIK->setVisible(false);
    mnuMBERECHNEN->setVisible(false);
    mnuFBERECHNEN->setVisible(false);

    mnuEXTRAS = mb->addMenu(QStringLiteral("E&xtras"));
    mnuEXTRAS->setObjectName(QStringLiteral("mnuEXTRAS"));
    mnuVVORGABEN = eintrag(mnuEXTRAS, "mnuVVORGABEN", QStringLiteral("&Vorgaben"));
    mnuVEVORGABEN = eintrag(mnuEXTRAS, "mnuVEVORGABEN", QStringLiteral("&Elektronikvorgaben"));
    mnuTRENN2 = trenner(mnuEXTRAS, "mnuTRENN2");
    mnuWERKZEUGE = mnuEXTRAS->addMenu(QStringLiteral("&Werkzeuge"));
    mnuWERKZEUGE->setObjectName(QStringLiteral("mnuWERKZEUGE"));
    mnuTEXT = eintrag(mnuWERKZEUGE, "mnuTEXT", QStringLiteral("&Text"));
    mnuPOLYGON = eintrag(mnuWERKZEUGE, "mnuPOLYGON", QStringLiteral("&Polygon"));
    mnuKREIS = eintrag(mnuWERKZEUGE, "mnuKREIS", QStringLiteral("&Kreisbogen"));
    mnuKOMPRIMIEREN = eintrag(mnuEXTRAS, "mnuKOMPRIMIEREN", QStringLiteral("&Komprimieren"));
    mnuVVORGABEN->setVisible(false);
    mnuVEVORGABEN->setVisible(false);
    mnuWERKZEUGE->menuAction()->setVisible(false);

    mnuFRAGEZEICHEN = mb->addMenu(QStringLiteral("&?"));
    mnuFRAGEZEICHEN->setObjectName(QStringLiteral("mnuFRAGEZEICHEN"));
    mnuHILFE = eintrag(mnuFRAGEZEICHEN, "mnuHILFE", QStringLiteral("&Hilfe"));
    mnuREADME = eintrag(mnuFRAGEZEICHEN, "mnuREADME", QStringLiteral("&ReadMe"));
    mnuHINWEISE = eintrag(mnuFRAGEZEICHEN, "mnuHINWEISE", QStringLiteral("Hin&weise"));
    mnuTRENN4 = trenner(mnuFRAGEZEICHEN, "mnuTRENN4");
    mnuINFO = eintrag(mnuFRAGEZEICHEN, "mnuINFO", QStringLiteral("&Info"));

    // Commands. Neu, Öffnen, Export-Import and Export-Inf.system reach windows
    // of their own subsystems; their handlers decide what is available.
    connect(mnuNEU, &QAction::triggered, this, [this] { mnuNEU_Click(); });
    connect(mnuOEFFNEN, &QAction::triggered, this, [this] { mnuOEFFNEN_Click(); });
    connect(mnuAUSWAHL, &QAction::triggered, this, [this] { mnuAUSWAHL_Click(); });
    connect(mnuEXPIMP, &QAction::triggered, this, [this] { mnuEXPIMP_Click(); });
    connect(mnuEXPINF, &QAction::triggered, this, [this] { mnuEXPINF_Click(); });
    connect(mnuLOESCHEN, &QAction::triggered, this, [this] { mnuLOESCHEN_Click(); });
    connect(mnuSCHLIESSEN, &QAction::triggered, this, [this] { mnuSCHLIESSEN_Click(); });
    connect(mnuSPEICHERN, &QAction::triggered, this, [this] { mnuSPEICHERN_Click(); });
    connect(mnuBEENDEN, &QAction::triggered, this, [this] { mnuBEENDEN_Click(); });
    connect(mnuAUSWERTEN, &QMenu::aboutToShow, this, [this] { mnuAUSWERTEN_Click(); });
    connect(mnuBERECHNEN, &QAction::triggered, this, [this] { mnuBERECHNEN_Click(); });
    connect(mnuNEUBERECHNEN, &QAction::triggered, this, [this] { mnuNEUBERECHNEN_Click(); });
    connect(mnuKOMPRIMIEREN, &QAction::triggered, this, [this] { mnuKOMPRIMIEREN_Click(); });
    connect(mnuFRAGEZEICHEN, &QMenu::aboutToShow, this, [this] { mnuFRAGEZEICHEN_Click(); });
    connect(mnuHILFE, &QAction::triggered, this, [this] { mnuHILFE_Click(); });
    connect(mnuREADME, &QAction::triggered, this, [this] { mnuREADME_Click(); });
    connect(mnuHINWEISE, &QAction::triggered, this, [this] { mnuHINWEISE_Click(); });
    connect(mnuINFO, &QAction::triggered, this, [this] { mnuINFO_Click(); });
}

void frmMAIN::baueStatuszeile()
{
    auto* sb = new QStatusBar(this);
    sb->setSizeGripEnabled(true);
    setStatusBar(sb);
    stbMAIN = new StatusPanelBar(sb);
    stbMAIN->setObjectName(QStringLiteral("stbMAIN"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(11.25);
    stbMAIN->setFont(f);
    sb->addWidget(stbMAIN, 1);

    const struct {
        const char* text;
        const char* tip;
    } entwurf[StatusPanelBar::kCount] = {
        {"Projektspfad\\", ""},
        {"Projekt", ""},
        {"/", ""},
        {"Programm", ""},
        {"/", ""},
        {"Datensatz", ""},
        {"", ""},
        {"OK", "Eingabedaten speichern"},
        {"Abbrechen", "Eingabedaten verwerfen"},
        {"Anzeigen", "Ausgabeseite anzeigen"},
        {"Drucken", "Ausgabeseite drucken"},
        {"Kopie", "Bildschirmkopie speichern"},
        {"Word", "Ausgabeseite in ein Word-Dokument übertragen"},
        {"AutoCAD", "Ausgabeseite in eine AutoCAD-Zeichnung übertragen"},
        {"Schließen", "Zurück zum Startbildschirm"},
    };
    for (int i = 1; i <= StatusPanelBar::kCount; ++i) {
        stbMAIN->setText(i, QString::fromUtf8(entwurf[i - 1].text));
        stbMAIN->setToolTip(i, QString::fromUtf8(entwurf[i - 1].tip));
        if (i >= 8) {
            stbMAIN->setBevel(i, StatusPanel::Bevel::Raised);
            stbMAIN->setPanelVisible(i, false);
        }
    }
    stbMAIN->panel(7)->setStretch(true);
    connect(stbMAIN, &StatusPanelBar::mouseDown, this, [this](int x) { stbMAIN_MouseDown(x); });
    connect(stbMAIN, &StatusPanelBar::panelClicked, this, [this](int i) { stbMAIN_PanelClick(i); });
}

void frmMAIN::englischeTexte()
{
    setWindowTitle(QStringLiteral("TORVENA"));
    const struct {
        QAction* item;
        const char* text;
    } menues[] = {
        {mnuDATEI->menuAction(), "&File"},
        {mnuNEU, "&New"},
        {mnuOEFFNEN, "&Open"},
        {mnuAUSWAHL, "&Select"},
        {mnuLOESCHEN, "&Delete"},
        {mnuSCHLIESSEN, "&Done"},
        {mnuSPEICHERN, "&Save"},
        {mnuBEENDEN, "&Quit"},
        {mnuAUSWERTEN->menuAction(), "&Evaluate"},
        {mnuEINGABEGRAFIK, "&Graphics of Input Data"},
        {mnuBERECHNEN, "&Calculate"},
        {mnuMBERECHNEN, "Calculate &Multiple"},
        {mnuFBERECHNEN, "Calculate &Next"},
        {mnuNEUBERECHNEN, "Calculate &First"},
        {mnuEXTRAS->menuAction(), "Tools"},
        {mnuVVORGABEN, "Preset Data"},
        {mnuVEVORGABEN, "Preset Electronic Data"},
        {mnuWERKZEUGE->menuAction(), "Grafic Tools"},
        {mnuTEXT, "Text"},
        {mnuPOLYGON, "Polygon"},
        {mnuKREIS, "Circle"},
        {mnuKOMPRIMIEREN, "Compact Database"},
        {mnuHILFE, "Help"},
    };
    for (const auto& m : menues)
        m.item->setText(QString::fromUtf8(m.text));
    stbMAIN->setText(9, QStringLiteral("Cancel"));
    stbMAIN->setText(10, QStringLiteral("Show"));
    stbMAIN->setText(11, QStringLiteral("Print"));
    stbMAIN->setText(12, QStringLiteral("Copy"));
    stbMAIN->setText(15, QStringLiteral("Close"));
    const char* tips[] = {"Save input-data",   "Discard input-data",        "Show another page",
                          "Print loaded pages", "Save Screenshot",           "Send current page to word",
                          "Send current page to AutoCAD", "Back to the front window"};
    for (int i = 8; i <= 15; ++i)
        stbMAIN->setToolTip(i, QString::fromUtf8(tips[i - 8]));
}

void frmMAIN::setMenuEnabled(QMenu* menu, bool enabled)
{
    if (menu)
        menu->menuAction()->setEnabled(enabled);
}

bool frmMAIN::isMenuEnabled(QMenu* menu)
{
    return menu && menu->menuAction()->isEnabled();
}

QString frmMAIN::caption(QAction* item)
{
    return item ? item->text() : QString();
}

QString frmMAIN::kuerzeProjektspfad(const QString& pfad, QChar trenner)
{
    QString s = pfad;
    if (s.size() <= 20)
        return s;
    int p = 2;   // 1-based start of the part kept
    while (s.size() > 20) {
        s = s.mid(p - 1);
        const int naechster = s.indexOf(trenner, 2);   // at or after the third character
        if (naechster < 0)
            break;   // the last folder name alone is longer: show it as it is
        p = naechster + 1;
    }
    return QStringLiteral(" ... ") + s;
}

void frmMAIN::DATENSATZANZEIGE()
{
    auto& st = state();
    auto rs = st.verbindung().openRecordset(
        QStringLiteral("SELECT [KEN],[KOM] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"));
    QString text, tip;
    if (rs->eof()) {
        text = QStringLiteral("-");
    } else if (rs->recordCount() == 1) {
        text = rs->field(QStringLiteral("KEN")).text();
        tip = rs->field(QStringLiteral("KOM")).text();
    } else {
        text = rs->field(QStringLiteral("KEN")).text() + QStringLiteral(",...");
        QStringList alle;
        while (!rs->eof()) {
            alle << rs->field(QStringLiteral("KEN")).text();
            rs->moveNext();
        }
        tip = alle.join(QStringLiteral(", "));
    }
    rs->close();
    stbMAIN->setText(6, text);
    stbMAIN->setToolTip(6, tip);
}

void frmMAIN::stbMAIN_MouseDown(int x)
{
    for (int i = 8; i <= 15; ++i) {
        if (!stbMAIN->isPanelVisible(i))
            continue;
        const int links = stbMAIN->panelLeft(i);
        if (links <= x && links + stbMAIN->panelWidth(i) >= x)
            stbMAIN->setBevel(i, StatusPanel::Bevel::Inset);
    }
    stbMAIN->repaint();
    vb::Sleep(250);
}

void frmMAIN::stbMAIN_PanelClick(int index)
{
    vb::StepRunner op(stbMAIN->text(index), vb::kVbError);
    op.silentlyLeaveOn({vb::err::InvalidPropertyValue, vb::err::CancelSelected});
    op.step([&] {
        switch (index) {
        case 8:
            PANEL8();
            break;
        case 9:
            PANEL9();
            break;
        case 10:
            PANEL10();
            break;
        case 11:
            PANEL11();
            break;
        case 12:
            PANEL12();
            break;
        case 13:
            PANEL13();
            break;
        case 14:
            PANEL14();
            break;
        case 15:
            PANEL15();
            break;
        default:
            // The information panels have no command.
            break;
        }
    });
    op.run();
    if (index >= 8 && index <= 15)
        stbMAIN->setBevel(index, StatusPanel::Bevel::Raised);
    vb::restoreWaitPointer();
}

void frmMAIN::setModalDriver(ModalDriver driver) { g_modalDriver = std::move(driver); }

int frmMAIN::showModal(QDialog& dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    if (g_modalDriver) {
        dialog.show();
        g_modalDriver(dialog);
        const int r = dialog.result();
        dialog.hide();
        return r;
    }
    return dialog.exec();
}

void frmMAIN::sitzungFolgen(QCoreApplication& app)
{
    app.installEventFilter(this);
}

bool frmMAIN::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // The application is asked to quit from outside (the session ends): the
    // hand-back runs as at the end of the desktop session, before the
    // windows are closed. Its own quit, after the program has ended, passes.
    if (ereignis->type() == QEvent::Quit && objekt == QCoreApplication::instance() && !m_entladen && !m_beendet
        && !unloadMain(vbAppWindows)) {
        ereignis->ignore();
        return true;
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}

void frmMAIN::closeEvent(QCloseEvent* event)
{
    if (m_entladen || m_beendet) {
        event->accept();
        return;
    }
    if (m_imEntladen) {
        event->ignore();
        return;
    }
    // A command that holds the main window (a page window being built) is
    // not cut off: the connections it works on stay open, and the close box
    // works again once it has ended.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    // The close box or the system menu.
    if (unloadMain(vbFormControlMenu))
        event->accept();
    else
        event->ignore();
}
