#include "exchange/OrdnerListe.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kPfadRolle = Qt::UserRole + 1;
}

OrdnerListe::OrdnerListe(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &OrdnerListe::oeffnen);
}

QString OrdnerListe::pfadVon(const QListWidgetItem* item)
{
    return item ? item->data(kPfadRolle).toString() : QString();
}

void OrdnerListe::setPath(const QString& pfad)
{
    const QFileInfo fi(pfad);
    if (!fi.isDir())
        return;
    const QString neu = QDir::cleanPath(fi.absoluteFilePath());
    if (neu == m_pfad)
        return;
    m_pfad = neu;
    aktualisieren();
    emit pfadGeaendert();
}

void OrdnerListe::aktualisieren()
{
    clear();
    if (m_pfad.isEmpty())
        return;
    // The chain of folders from the root down to the current one, indented.
    QStringList kette;
    for (QDir d(m_pfad);; ) {
        kette.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int tiefe = 0;
    for (const QString& p : kette) {
        const QString name = QDir(p).isRoot() ? p : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(QString(tiefe * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPfadRolle, p);
        ++tiefe;
    }
    setCurrentRow(count() - 1);
    const QFileInfoList kinder =
        QDir(m_pfad).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& k : kinder) {
        auto* item = new QListWidgetItem(QString(tiefe * 2, QLatin1Char(' ')) + k.fileName(), this);
        item->setData(kPfadRolle, QDir::cleanPath(k.absoluteFilePath()));
    }
}

void OrdnerListe::oeffnen(QListWidgetItem* item)
{
    const QString p = pfadVon(item);
    if (!p.isEmpty())
        setPath(p);
}
