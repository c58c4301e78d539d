#include "exchange/frmEXPIMP.h"

#include "database/Arbeitskopie.h"
#include "database/Connection.h"
#include "database/SharedState.h"
#include "exchange/OrdnerListe.h"
#include "exchange/Platzierung.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

using vb::Variant;

namespace {

const QString kTitel = QStringLiteral("Export/Import");
const QString kDatei = QStringLiteral("KAVELOR.mdb");
constexpr int kSchluesselRolle = Qt::UserRole + 1;

db::Connection& offen(const std::shared_ptr<db::Connection>& c)
{
    if (!c || !c->isOpen())
        vb::raise(db::dberr::ObjectClosed, QStringLiteral("Die Verbindung zur Datenbank ist nicht geöffnet."));
    return *c;
}

} // namespace

const QStringList& frmEXPIMP::TABELLEN()
{
    static const QStringList t = {"E1", "E2", "E3", "E4", "E5", "E6", "E7",
                                  "E8", "E9", "E10", "E11", "E12", "A1", "G0"};
    return t;
}

frmEXPIMP::frmEXPIMP(QWidget* parent) : AustauschDialog(parent)
{
    setObjectName(QStringLiteral("frmEXPIMP"));
    setWindowTitle(kTitel);
    exchange::twipsGroesse(this, 8535, 5205);

    fraEXP = exchange::twips(new QGroupBox(QStringLiteral("Externes Projekt"), this), 120, 150, 3540, 4935);
    // The folder list takes the room of the drive list as well: a Linux
    // file system has one root.
    dirEXP = exchange::twips(new OrdnerListe(fraEXP), 270, 480, 3015, 2010);
    lstEXP = exchange::twips(new QListWidget(fraEXP), 270, 2670, 3015, 1860);
    fraIMP = exchange::twips(new QGroupBox(QStringLiteral("Aktuelles Projekt: "), this), 3900, 150, 4500, 4365);
    lstIMP = exchange::twips(new QListWidget(fraIMP), 240, 450, 4035, 3660);
    for (QListWidget* l : {lstEXP, lstIMP})
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);

    // The arrows point from the source list towards the target list.
    cmdEXP = exchange::twips(new QPushButton(QString(QChar(0x25C0)), this), 3960, 4680, 675, 400);
    cmdEXP->setToolTip(QStringLiteral("Export"));
    cmdIMP = exchange::twips(new QPushButton(QString(QChar(0x25B6)), this), 4710, 4680, 675, 400);
    cmdIMP->setToolTip(QStringLiteral("Import"));
    QFont pfeile = font();
    pfeile.setPointSizeF(14.25);
    for (QPushButton* b : {cmdEXP, cmdIMP}) {
        b->setFont(pfeile);
        b->setAutoDefault(false);
    }
    exchange::twips(cmdSCHLIESSEN, 6810, 4650, 1600, 400);

    connect(dirEXP, &OrdnerListe::pfadGeaendert, this, &frmEXPIMP::dirEXP_Change);
    connect(cmdEXP, &QPushButton::clicked, this, &frmEXPIMP::cmdEXP_Click);
    connect(cmdIMP, &QPushButton::clicked, this, &frmEXPIMP::cmdIMP_Click);
}

frmEXPIMP::~frmEXPIMP()
{
    if (m_cnnEXP)
        m_cnnEXP->close();
}

void frmEXPIMP::Form_Load()
{
    const db::SharedState& st = db::sharedState();
    vb::StepRunner op(vb::appTitle(), vb::kVbError);
    op.noIcon();
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([] { vb::showWaitPointer(); })
        .step([&] { m_sprache = st.SPRACHE; })
        .step([&] {
            // The folder that holds the project folders; a project database
            // lying directly in it is opened by the folder handler.
            const QString p = st.PROJEKTSPFAD + QLatin1Char('/') + st.PROJEKT;
            dirEXP->setPath(QFileInfo(p).absolutePath());
        })
        .step([&] {
            if (m_sprache == 1) {
                fraIMP->setTitle(QStringLiteral("Selected Projekt: ") + st.PROJEKT);
                if (!m_cnnEXP)
                    fraEXP->setTitle(QStringLiteral("External Project"));
                cmdSCHLIESSEN->setText(QStringLiteral("Quit"));
            } else {
                fraIMP->setTitle(QStringLiteral("Aktuelles Projekt: ") + st.PROJEKT);
            }
        })
        .step([&] { LISTEFUELLEN(st.cnnX, lstIMP); })
        .step([&] { m_boextern = false; })
        .step([] { vb::restoreWaitPointer(); });
    op.run();
}

QString frmEXPIMP::partnerFehler(db::Connection& kandidat)
{
    db::Connection& eigen = offen(db::sharedState().cnnX);
    for (const QString& t : TABELLEN()) {
        bool gleich = eigen.hasTable(t) && kandidat.hasTable(t);
        if (gleich) {
            const QStringList a = eigen.columnNames(t);
            const QStringList b = kandidat.columnNames(t);
            gleich = a.size() == b.size();
            for (int c = 0; gleich && c < a.size(); ++c)
                gleich = a[c].compare(b[c], Qt::CaseInsensitive) == 0
                         && eigen.columnType(t, a[c]) == kandidat.columnType(t, b[c]);
        }
        if (!gleich)
            return QStringLiteral("Die Tabelle ") + t + QStringLiteral(" hat nicht dieselben Spalten wie im aktuellen Projekt.");
    }
    return QString();
}

void frmEXPIMP::meldung(const QString& text)
{
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, kTitel);
}

void frmEXPIMP::dirEXP_Change()
{
    lstEXP->clear();
    const QString f = dirEXP->Path() + QLatin1Char('/') + kDatei;
    // The folder of the user's own working copy is never opened.
    QString arbeitskopie;
    try {
        arbeitskopie = db::sharedState().XMDBPFAD();
    } catch (const std::exception& e) {
        meldung(vb::toVbError(e).description);
        return;
    }
    if (db::gleicherPfad(f, arbeitskopie) || db::gleicherPfad(dirEXP->Path(), QFileInfo(arbeitskopie).absolutePath()))
        return;
    if (!QFileInfo(f).isFile())
        return;

    // The earlier partner stays until the new database has proved usable.
    std::shared_ptr<db::Connection> neu;
    QString fehler;
    try {
        neu = db::Connection::open(f);
        fehler = partnerFehler(*neu);
    } catch (const std::exception& e) {
        fehler = vb::toVbError(e).description;
    }
    if (!fehler.isEmpty()) {
        if (neu)
            neu->close();
        meldung(QStringLiteral("Die Projektdatenbank ") + QDir::toNativeSeparators(f)
                + QStringLiteral(" kann nicht verwendet werden!\n") + fehler);
        return;
    }
    if (m_cnnEXP)
        m_cnnEXP->close();
    m_cnnEXP = neu;
    m_boextern = true;

    listeNeu(m_cnnEXP, lstEXP);
    // The folder's name without the part from its last dot on.
    QString name = QFileInfo(dirEXP->Path()).fileName();
    const int punkt = name.lastIndexOf(QLatin1Char('.'));
    if (punkt >= 0)
        name = name.left(punkt);
    fraEXP->setTitle((m_sprache == 1 ? QStringLiteral("Project ") : QStringLiteral("Projekt ")) + name);
}

void frmEXPIMP::LISTEFUELLEN(const std::shared_ptr<db::Connection>& cnn, QListWidget* liste)
{
    liste->clear();
    auto rs = offen(cnn).openRecordset(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]<>'M' ORDER BY [KEN]"), {},
                                       db::Connection::Cursor::ReadOnly);
    if (rs->eof()) {
        auto* item = new QListWidgetItem(QStringLiteral("<leer>"), liste);
        item->setData(kSchluesselRolle, 0);
    }
    while (!rs->eof()) {
        auto* item = new QListWidgetItem(alsText(rs->field(1)) + QStringLiteral(" (") + alsText(rs->field(2))
                                             + QLatin1Char(')'),
                                         liste);
        item->setData(kSchluesselRolle, vb::CLng(rs->field(0)));
        rs->moveNext();
    }
    rs->close();
}

void frmEXPIMP::listeNeu(const std::shared_ptr<db::Connection>& cnn, QListWidget* liste)
{
    vb::StepRunner op(kTitel, vb::kVbError);
    op.noIcon();
    op.step([&] { LISTEFUELLEN(cnn, liste); });
    op.run();
}

void frmEXPIMP::cmdEXP_Click()
{
    if (lstIMP->selectedItems().isEmpty())
        return;
    UEBERTRAGEN(db::sharedState().cnnX, lstIMP, m_cnnEXP);
    if (!m_cnnEXP)
        return;  // no partner: the transfer has said so
    listeNeu(m_cnnEXP, lstEXP);
}

void frmEXPIMP::cmdIMP_Click()
{
    if (lstEXP->selectedItems().isEmpty())
        return;
    UEBERTRAGEN(m_cnnEXP, lstEXP, db::sharedState().cnnX);
    listeNeu(db::sharedState().cnnX, lstIMP);
    m_boextern = true;
}

void frmEXPIMP::entladen()
{
    if (m_boextern)
        db::sharedState().Tag = QStringLiteral("OK");
    if (m_cnnEXP)
        m_cnnEXP->close();
    m_cnnEXP.reset();
}

void frmEXPIMP::UEBERTRAGEN(const std::shared_ptr<db::Connection>& quelle, QListWidget* quellListe,
                            const std::shared_ptr<db::Connection>& ziel)
{
    vb::WaitPointer sanduhr;
    vb::StepRunner falle(kTitel, vb::kVbError);
    falle.noIcon();
    // The records chosen, in list order; the placeholder of an empty list
    // stands for no record.
    std::vector<int32_t> schluessel;
    for (int i = 0; i < quellListe->count(); ++i) {
        const QListWidgetItem* item = quellListe->item(i);
        const int32_t k = item->data(kSchluesselRolle).toInt();
        if (item->isSelected() && k != 0)
            schluessel.push_back(k);
    }
    if (schluessel.empty())
        return;
    try {
        offen(quelle);
        offen(ziel);
    } catch (const std::exception& e) {
        falle.report(vb::toVbError(e));
        return;
    }
    for (const int32_t k : schluessel) {
        try {
            auto kopf = quelle->openRecordset(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=?"), {Variant(k)},
                                              db::Connection::Cursor::ReadOnly);
            if (kopf->eof())
                continue;  // gone since the list was filled
            const Variant ken = kopf->field(1);
            kopf->close();
            auto doppelt = ziel->openRecordset(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]=?"), {ken},
                                               db::Connection::Cursor::ReadOnly);
            const bool vorhanden = !doppelt->eof();
            doppelt->close();
            if (vorhanden) {
                const int antwort = vb::MsgBox(QStringLiteral("Datensatz ") + alsText(ken)
                                                   + QStringLiteral(" ist bereits vorhanden!"),
                                               vb::vbOKCancel | vb::vbExclamation, vb::appTitle());
                if (antwort == vb::vbOK)
                    continue;
                break;
            }
            kopiereDatensatz(*quelle, k, *ziel);
        } catch (const std::exception& e) {
            if (!falle.report(vb::toVbError(e)))
                break;
        }
    }
}

void frmEXPIMP::kopiereDatensatz(db::Connection& quelle, int32_t k, db::Connection& ziel)
{
    db::Connection::Transaction tx(ziel);
    const Variant neu(naechsterSchluessel(ziel));
    // Rows still stored under the new key (their header row was deleted)
    // would merge into the copy.
    for (const QString& t : TABELLEN())
        ziel.execute(QStringLiteral("DELETE FROM [") + t + QStringLiteral("] WHERE [ID]=?"), {neu});

    for (const QString& t : TABELLEN()) {
        auto rs = quelle.openRecordset(QStringLiteral("SELECT * FROM [") + t + QStringLiteral("] WHERE [ID]=?"),
                                       {Variant(k)}, db::Connection::Cursor::ReadOnly);
        std::vector<std::vector<Variant>> zeilen;
        for (; !rs->eof(); rs->moveNext()) {
            std::vector<Variant> z(size_t(rs->fieldCount()));
            for (int c = 0; c < rs->fieldCount(); ++c)
                z[size_t(c)] = rs->field(c);
            zeilen.push_back(std::move(z));
        }
        rs->close();
        if (zeilen.empty())
            continue;
        auto zrs = ziel.openRecordset(QStringLiteral("SELECT * FROM [") + t + QStringLiteral("] WHERE [ID]=?"), {neu});
        for (const auto& z : zeilen) {
            zrs->addNew();
            for (int c = 0; c < zrs->fieldCount(); ++c)
                zrs->setField(c, c == 0 ? neu : (size_t(c) < z.size() ? z[size_t(c)] : Variant::null()));
            zrs->update();
        }
        zrs->close();
    }
    tx.commit();
}

void frmEXPIMP::waehle(QListWidget* liste, const QStringList& texte)
{
    liste->clearSelection();
    for (int i = 0; i < liste->count(); ++i)
        if (texte.contains(liste->item(i)->text()))
            liste->item(i)->setSelected(true);
}
