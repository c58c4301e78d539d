#include "shell/frmAUSWAHL.h"

#include "database/Connection.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {
const QString kListe = QStringLiteral("SELECT * FROM [E1] WHERE ID>0 ORDER BY [KEN]");

db::Connection& cnnX() { return db::sharedState().verbindung(); }
} // namespace

frmAUSWAHL::frmAUSWAHL(QWidget* haupt) : QDialog(haupt), m_haupt(haupt)
{
    setObjectName(QStringLiteral("frmAUSWAHL"));
    setWindowTitle(QStringLiteral("Auswahl"));
    auto* layout = new QVBoxLayout(this);
    lstKEN = new QListWidget(this);
    lstKEN->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(lstKEN);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    layout->addWidget(cmdOK);
    layout->addWidget(cmdABBRECHEN);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    setTabOrder(cmdOK, cmdABBRECHEN);
    setTabOrder(cmdABBRECHEN, lstKEN);
    connect(cmdOK, &QPushButton::clicked, this, &frmAUSWAHL::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmAUSWAHL::cmdABBRECHEN_Click);
    connect(lstKEN, &QListWidget::itemSelectionChanged, this, &frmAUSWAHL::lstKEN_Click);
    resize(260, 320);
}

void frmAUSWAHL::keyPressEvent(QKeyEvent* event)
{
    // Esc is the cancel button; other ways of closing answer nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdABBRECHEN->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAUSWAHL::Form_Load()
{
    auto& st = db::sharedState();
    m_laden = true;
    vb::StepRunner op(windowTitle(), vb::kVbError);
    std::unique_ptr<db::Recordset> rs;
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([&] {
          if (st.SPRACHE == 1) {
              if (st.Tag == QLatin1String("A"))
                  setWindowTitle(QStringLiteral("File/Select"));
              else if (st.Tag == QLatin1String("O"))
                  setWindowTitle(QStringLiteral("File/Open"));
              else if (st.Tag == QLatin1String("L"))
                  setWindowTitle(QStringLiteral("File/Delete"));
              cmdABBRECHEN->setText(QStringLiteral("Cancel"));
          } else if (st.SPRACHE == 3) {
              if (st.Tag == QLatin1String("A"))
                  setWindowTitle(QStringLiteral("Datei/Auswahl"));
              else if (st.Tag == QLatin1String("O"))
                  setWindowTitle(QString::fromUtf8("Datei/Öffnen"));
              else if (st.Tag == QLatin1String("L"))
                  setWindowTitle(QString::fromUtf8("Datei/Löschen"));
          }
      })
        .step([] { vb::showWaitPointer(); })
        .step([&] { rs = cnnX().openRecordset(kListe); })
        .step([&] {
            m_kommentare.clear();
            m_schluessel.clear();
            lstKEN->clear();
            if (rs->eof()) {
                m_kommentare.append(QString());
                return;
            }
            while (!rs->eof()) {
                lstKEN->addItem(rs->field(QStringLiteral("KEN")).text());
                m_schluessel.append(int(rs->field(QStringLiteral("ID")).number()));
                m_kommentare.append(rs->field(QStringLiteral("KOM")).text());
                if (rs->field(QStringLiteral("AKT")).number() != 0)
                    lstKEN->setCurrentRow(lstKEN->count() - 1);
                rs->moveNext();
            }
        })
        .step([&] { rs->close(); })
        .step([&] {
            if (!m_haupt)
                return;
            // Left at a fifth of the main window's inner width, top at a third
            // of the room the dialog leaves in its height.
            QWidget* innen = m_haupt;
            if (auto* mw = qobject_cast<QMainWindow*>(m_haupt); mw && mw->centralWidget())
                innen = mw->centralWidget();
            const QPoint ursprung = innen->mapToGlobal(QPoint(0, 0));
            move(ursprung.x() + innen->width() / 5, ursprung.y() + (innen->height() - height()) / 3);
        })
        .step([&] {
            vb::restoreWaitPointer();
            m_laden = false;
        });
    op.run();
    m_laden = false;
}

void frmAUSWAHL::lstKEN_Click()
{
    if (m_laden)
        return;
    vb::StepRunner op(windowTitle(), vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    op.step([&] {
        const int i = lstKEN->currentRow();
        if (i < 0 || i >= m_kommentare.size())
            vb::raise(vb::err::SubscriptOutOfRange);
        lstKEN->setToolTip(m_kommentare.at(i));
    });
    op.run();
}

bool frmAUSWAHL::waehle(const QString& ken)
{
    const auto treffer = lstKEN->findItems(ken, Qt::MatchExactly);
    if (treffer.isEmpty())
        return false;
    lstKEN->setCurrentItem(treffer.first());
    treffer.first()->setSelected(true);
    return true;
}

void frmAUSWAHL::cmdOK_Click()
{
    // The chosen record by its key; no choice leaves every listed record inactive.
    int gewaehlt = 0;
    bool hatWahl = false;
    const auto items = lstKEN->selectedItems();
    if (!items.isEmpty()) {
        const int i = lstKEN->row(items.first());
        if (i >= 0 && i < m_schluessel.size()) {
            gewaehlt = m_schluessel.at(i);
            hatWahl = true;
        }
    }
    vb::StepRunner op(windowTitle(), vb::kVbError);
    op.cleanup([] { vb::restoreWaitPointer(); });
    std::unique_ptr<db::Recordset> rs;
    bool fertig = false;
    op.step([] { vb::showWaitPointer(); })
        .step([&] { rs = cnnX().openRecordset(kListe); })
        .step([&] {
            db::Connection::Transaction tx(cnnX());
            while (!rs->eof()) {
                const bool aktiv = hatWahl && int(rs->field(QStringLiteral("ID")).number()) == gewaehlt;
                rs->setField(QStringLiteral("AKT"), vb::Variant(aktiv));
                rs->update();
                rs->moveNext();
            }
            tx.commit();
        })
        .step([&] {
            rs->close();
            db::sharedState().Tag = QStringLiteral("OK");
            fertig = true;
            done(QDialog::Accepted);
            vb::restoreWaitPointer();
        });
    op.run();
    if (!fertig)
        vb::restoreWaitPointer();
}

void frmAUSWAHL::cmdABBRECHEN_Click()
{
    db::sharedState().Tag = QStringLiteral("Abbrechen");
    done(QDialog::Rejected);
}
