#pragma once
// Registerkarten — a tab control whose tabs stand in several rows (four to a
// row), each tab holding one page. The tab rows are one control in the focus
// chain; the arrow keys there move to the previous or next tab across the
// rows, and a caption's access key ("&T") chooses its tab. Only the current
// page is shown, so the focus chain runs through the current page alone.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QShortcut;

namespace eingabe {

class Registerkarten : public QWidget {
    Q_OBJECT
public:
    Registerkarten(int anzahl, int proZeile, QWidget* parent = nullptr);

    int Tab() const { return m_aktuell; }
    void setTab(int index);
    int Tabs() const { return int(m_seiten.size()); }
    QString TabCaption(int index) const { return m_texte[index]; }
    void setTabCaption(int index, const QString& text);
    QWidget* seite(int index) const { return m_seiten[size_t(index)]; }
    // Place of every page, pixels relative to the control.
    void setSeitenGeometrie(const QRect& r);
    // The rectangle of a tab (pixels) and the tab at a point (-1: none).
    QRect tabRechteck(int index) const;
    int tabBei(const QPoint& p) const;
    // Height of one tab row.
    int zeilenHoehe() const;

signals:
    void tabGewechselt(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int m_proZeile;
    int m_aktuell = 0;
    QStringList m_texte;
    std::vector<QWidget*> m_seiten;
    std::vector<QShortcut*> m_kuerzel;
};

} // namespace eingabe
