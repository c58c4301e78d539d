#include "exchange/frmEXPINF.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "database/clsDATEN.h"
#include "exchange/Platzierung.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/VbRuntime.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using vb::Variant;

namespace {

const QString kTitel = QStringLiteral("Export Informationssystem");
constexpr int kSchluesselRolle = Qt::UserRole + 1;

// The columns of E2 to E6 in the information system's order, I1 first: its
// values create the rows that the later columns fill.
const QStringList kSpalten[5] = {
    {"I1", "TUKS", "HPTB1", "HPTB2", "NEBB", "RUND", "ZUST", "FARBE", "BEMS"},
    {"I1", "TGW", "GTYP", "GWDATUM"},
    {"I1", "TUKP", "GUETE", "HPK", "BEZ", "ENTVERF", "PF", "PS", "PG", "PPX", "PPY", "D04"},
    {"I1", "VTT", "MX", "SX"},
    {"I1", "VTS", "STYP", "N15", "N30"},
};
// Progress shown after each of E2 to E6.
constexpr int kFortschritt[5] = {50, 60, 80, 90, 100};

void fortschritt(int wert)
{
    db::sharedState().setFortschritt(wert);
}

} // namespace

frmEXPINF::frmEXPINF(QWidget* parent) : AustauschDialog(parent)
{
    setObjectName(QStringLiteral("frmEXPINF"));
    setWindowTitle(kTitel);
    exchange::twipsGroesse(this, 5985, 5670);

    using exchange::twips;
    fraPROJ = twips(new QGroupBox(this), 210, 240, 2730, 4695);
    lblAKTP1 = twips(new QLabel(fraPROJ), 270, 420, 1575, 255);
    lblAKTP2 = twips(new QLabel(fraPROJ), 270, 720, 2295, 255);
    lstPROJ = twips(new QListWidget(fraPROJ), 270, 1260, 2070, 3120);
    fraINF = twips(new QGroupBox(this), 3060, 240, 2730, 4695);
    lblAKTI1 = twips(new QLabel(fraINF), 240, 330, 1335, 255);
    lblAKTI2 = twips(new QLabel(fraINF), 240, 600, 2415, 255);
    lblAKTI3 = twips(new QLabel(fraINF), 240, 870, 2295, 255);
    lstINF = twips(new QListWidget(fraINF), 240, 1290, 2070, 3120);
    for (QListWidget* l : {lstPROJ, lstINF})
        l->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdUEBERNEHMEN = twips(new QPushButton(this), 2490, 5100, 1575, 375);
    cmdUEBERNEHMEN->setAutoDefault(false);
    twips(cmdSCHLIESSEN, 4170, 5100, 1600, 400);

    connect(lstINF, &QAbstractItemView::clicked, this, [this] { lstINF_Click(); });
    connect(cmdUEBERNEHMEN, &QPushButton::clicked, this, &frmEXPINF::cmdUEBERNEHMEN_Click);
}

frmEXPINF::~frmEXPINF()
{
    Form_Unload();
}

void frmEXPINF::Form_Load()
{
    db::SharedState& st = db::sharedState();
    vb::StepRunner op(vb::appTitle(), vb::kVbError);
    op.noIcon();
    op.cleanup([] { vb::restoreWaitPointer(); });
    bool ende = false;
    op.step([&] {
          vb::showWaitPointer();
          m_sprache = st.SPRACHE;
      })
        .step([&] {
            const bool en = m_sprache == 1;
            fraPROJ->setTitle(en ? QString() : QStringLiteral("Aktuelles Projekt"));
            fraINF->setTitle(en ? QString() : QStringLiteral("Informations System"));
            for (QLabel* l : {lblAKTP1, lblAKTI1})
                l->setText(en ? QStringLiteral("Files") : QString::fromUtf8("Datensätze"));
            for (QLabel* l : {lblAKTP2, lblAKTI2})
                l->setText(en ? QStringLiteral("from current project") : QStringLiteral("des aktuellen Projektes"));
            lblAKTI3->setText(en ? QStringLiteral("in the information system") : QStringLiteral("im Informationssystem"));
            cmdUEBERNEHMEN->setText(en ? QStringLiteral("Apply") : QString::fromUtf8("Übernehmen"));
            cmdSCHLIESSEN->setText(en ? QStringLiteral("Quit") : QString::fromUtf8("Schließen"));
            for (QLabel* l : {lblAKTP1, lblAKTP2, lblAKTI1, lblAKTI2, lblAKTI3})
                vb::textPasst(l);
        })
        .step([&] {
            m_projekt = st.PROJEKT;
            m_bearbeiter = st.BEARBEITER;
            m_datum = vb::Format(vb::Now(), QStringLiteral("dd.mm.yy"));
        })
        .step([&] {
            st.setFortschritt(0);
            st.setFortschrittSichtbar(true);
        })
        .step([&] {
            const char* tabellen[] = {"E1", "E2", "E3", "E4", "E5", "E6"};
            for (size_t i = 0; i < m_proj.size(); ++i) {
                m_proj[i] = std::make_unique<clsDATEN>();
                m_proj[i]->ETABELLE(QString::fromLatin1(tabellen[i]));
            }
        })
        .step([&] {
            for (auto& a : m_inf)
                a = std::make_unique<clsDATEN>();
            m_inf[1]->EINFMDB(QStringLiteral("VESTRALIN"), &m_boinf);
            if (!m_boinf) {
                vb::MsgBox(QStringLiteral("Informationssystem VESTRALIN ist nicht installiert!"),
                           vb::vbOKOnly | vb::vbExclamation, vb::appTitle());
                ende = true;
            }
        })
        .step([&] {
            if (ende)
                return;
            // One connection for all seven tables: an export commits or rolls
            // back as a whole.
            const auto cnn = m_inf[1]->verbindung();
            const char* tabellen[] = {"E0", "E1", "E2", "E3", "E4", "E5", "E6"};
            for (size_t i = 0; i < m_inf.size(); ++i) {
                m_inf[i]->verbindung(cnn);
                m_inf[i]->ETABELLE(QString::fromLatin1(tabellen[i]));
            }
        })
        .step([&] { m_letzter = -1; })
        .step([&] {
            if (!ende)
                LISTENFUELLEN();
        })
        .step([&] {
            st.setFortschrittSichtbar(false);
            vb::restoreWaitPointer();
        });
    if (!op.run())
        st.setFortschrittSichtbar(false);
}

void frmEXPINF::LISTENFUELLEN()
{
    auto fuellen = [](const std::vector<int32_t>& ids, clsDATEN& kennung, QListWidget* liste) {
        for (size_t i = 0; i < ids.size(); ++i) {
            kennung.ESPIDW(ids[i]);
            Variant ken;
            if (!kennung.DTVV(QStringLiteral("KEN"), ken))
                return false;
            auto* item = new QListWidgetItem(alsText(ken), liste);
            item->setData(kSchluesselRolle, ids[i]);
            fortschritt(vb::CInt(Variant(double(i) / double(ids.size()) * 100.0)));
        }
        return true;
    };
    lstPROJ->clear();
    lstINF->clear();
    std::vector<int32_t> ids;
    if (m_proj[0]->IDKRIT(ids, QStringLiteral("ID")) && !fuellen(ids, *m_proj[0], lstPROJ))
        return;
    ids.clear();
    if (m_inf[0]->IDKRIT(ids, QStringLiteral("PROJ"), Variant(m_projekt), nullptr, QStringLiteral("ID")))
        fuellen(ids, *m_inf[1], lstINF);
    fortschritt(0);
    lstPROJ->update();
    lstINF->update();
}

void frmEXPINF::lstINF_Click()
{
    const int aktuell = lstINF->currentRow();
    if (aktuell == m_letzter) {
        lstINF->clearSelection();
        lstINF->setCurrentRow(-1);
        m_letzter = -1;
    } else {
        m_letzter = aktuell;
    }
}

void frmEXPINF::klickeINF(int index)
{
    lstINF->setCurrentRow(index);
    lstINF_Click();
}

void frmEXPINF::cmdUEBERNEHMEN_Click()
{
    EXPORTIEREN();
}

void frmEXPINF::entladen()
{
    for (auto& a : m_proj)
        a.reset();
    for (auto& a : m_inf)
        a.reset();
    db::sharedState().setFortschrittSichtbar(false);
}

void frmEXPINF::EXPORTIEREN()
{
    db::SharedState& st = db::sharedState();
    vb::StepRunner falle(kTitel, vb::kVbError);
    falle.noIcon();
    st.setFortschritt(0);
    st.setFortschrittSichtbar(true);
    // Every way out passes here.
    struct Ende {
        frmEXPINF* d;
        ~Ende()
        {
            fortschritt(0);
            db::sharedState().setFortschrittSichtbar(false);
            d->unsetCursor();
        }
    } ende{this};

    const QList<QListWidgetItem*> proj = lstPROJ->selectedItems();
    if (proj.isEmpty() || !m_boinf) {
        vb::MsgBox(QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"), vb::vbOKOnly,
                   vb::appTitle());
        return;
    }
    const int32_t k = proj.first()->data(kSchluesselRolle).toInt();
    for (auto& a : m_proj)
        a->ESPIDW(k);
    const QList<QListWidgetItem*> inf = lstINF->selectedItems();
    const bool neu = inf.isEmpty();
    const QString frage = neu ? QStringLiteral("Neuen Datensatz anlegen ?")
                              : QString::fromUtf8("Ausgewählten Datensatz überschreiben ?");
    if (vb::MsgBox(frage, vb::vbYesNo, vb::appTitle()) != vb::vbYes)
        return;

    try {
        db::Connection& cnn = *m_inf[1]->verbindung();
        db::Connection::Transaction tx(cnn);
        // A new record takes the highest key over all projects; the
        // transaction keeps it ours.
        const int32_t n = neu ? naechsterSchluessel(cnn) : inf.first()->data(kSchluesselRolle).toInt();
        setCursor(Qt::WaitCursor);
        fortschritt(10);
        if (!schreiben(n, neu))
            return;  // the transaction rolls back
        tx.commit();
        if (neu) {
            Variant ken;
            m_inf[1]->ESPIDW(n);
            if (m_inf[1]->DTVV(QStringLiteral("KEN"), ken)) {
                auto* item = new QListWidgetItem(alsText(ken), lstINF);
                item->setData(kSchluesselRolle, n);
                lstINF->update();
            }
        }
    } catch (const std::exception& e) {
        // Whatever the answer, the export has been rolled back and ends.
        falle.report(vb::toVbError(e));
    }
}

bool frmEXPINF::schreiben(int32_t n, bool neu)
{
    clsDATEN& projE1 = *m_proj[0];
    clsDATEN& infE1 = *m_inf[1];
    auto kopiere = [&](const QString& spalte) {
        Variant wert;
        return projE1.DTVV(spalte, wert) && infE1.DVTV(spalte, wert);
    };
    infE1.ESPIDW(n);
    if (neu) {
        clsDATEN& infE0 = *m_inf[0];
        infE0.ESPIDW(n);
        if (!kopiere(QStringLiteral("KEN")) || !kopiere(QStringLiteral("KOM"))
            || !infE0.DVTI(QStringLiteral("QART"), 0) || !infE0.DVTT(QStringLiteral("PROJ"), m_projekt)
            || !infE0.DVTT(QStringLiteral("BEARBEITER"), m_bearbeiter)
            || !infE0.DVTT(QStringLiteral("DATUM"), m_datum))
            return false;
    }
    fortschritt(20);
    bool optk = false;
    bool opth = false;
    if (!projE1.DTVB(QStringLiteral("OPTK"), optk))
        return false;
    if (optk && (!kopiere(QStringLiteral("RW")) || !kopiere(QStringLiteral("HW"))))
        return false;
    if (!projE1.DTVB(QStringLiteral("OPTH"), opth))
        return false;
    if (opth && !kopiere(QStringLiteral("H")))
        return false;
    fortschritt(30);

    for (int t = 0; t < 5; ++t) {
        clsDATEN& quelle = *m_proj[size_t(t) + 1];
        clsDATEN& ziel = *m_inf[size_t(t) + 2];
        ziel.ESPIDW(n);
        if (!ziel.LOESCHEN())
            return false;
        int16_t mini = 0, maxi = 0, anzahl = -1;
        quelle.INDEX(mini, maxi, anzahl, QStringLiteral("I1"));
        if (anzahl < 0)
            return false;  // the count could not be read
        // One entry per row, so gaps or repeats in I1 lose no row.
        std::vector<Variant> liste(static_cast<size_t>(anzahl));
        for (const QString& spalte : kSpalten[t]) {
            if (anzahl == 0)
                break;
            std::fill(liste.begin(), liste.end(), Variant());
            if (!quelle.DTVVF(spalte, liste, QStringLiteral("I1")) || !ziel.DVTVF(spalte, liste, QStringLiteral("I1")))
                return false;
        }
        fortschritt(kFortschritt[t]);
    }
    return true;
}
