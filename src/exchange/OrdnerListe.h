#pragma once
// OrdnerListe — a folder list: the folders from the file-system root down to
// the current folder, then the current folder's subfolders. Opening an item
// (double click, Enter) makes it the current folder; every change of the
// current folder emits pfadGeaendert once.
#include <QListWidget>
#include <QString>

class OrdnerListe : public QListWidget
{
    Q_OBJECT
public:
    explicit OrdnerListe(QWidget* parent = nullptr);

    // The current folder as an absolute path without a trailing separator.
    QString Path() const { return m_pfad; }
    // Change the current folder; nothing happens when it is already current
    // or is no folder.
    void setPath(const QString& pfad);
    // Rebuild the items from the disk (the current folder stays).
    void aktualisieren();

    // The folder an item stands for.
    static QString pfadVon(const QListWidgetItem* item);

signals:
    void pfadGeaendert();

private:
    void oeffnen(QListWidgetItem* item);
    QString m_pfad;
};
