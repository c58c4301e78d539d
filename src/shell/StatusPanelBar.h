#pragma once
// The main window's status line: a row of numbered panels (1-based) that show
// information or act as buttons. A panel can be hidden, carries a text and a
// tooltip, and has a raised or inset bevel. Pressing the mouse on the bar
// reports the x position (bar coordinates); releasing it over a visible panel
// reports that panel's index.
#include <QFrame>
#include <QList>

class QHBoxLayout;

class StatusPanel : public QFrame
{
    Q_OBJECT
public:
    enum class Bevel { Raised, Inset, Flat };
    StatusPanel(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    QString text() const { return m_text; }
    void setText(const QString& text);
    Bevel bevel() const { return m_bevel; }
    void setBevel(Bevel bevel);
    // A filler panel takes the room the others leave.
    void setStretch(bool stretch);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    QString m_text;
    Bevel m_bevel = Bevel::Flat;
    bool m_stretch = false;
};

class StatusPanelBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kCount = 15;
    explicit StatusPanelBar(QWidget* parent = nullptr);

    // index 1..kCount; nullptr outside.
    StatusPanel* panel(int index) const;

    QString text(int index) const;
    void setText(int index, const QString& text);
    QString toolTip(int index) const;
    void setToolTip(int index, const QString& tip);
    // The value that was set, independent of whether the window is shown.
    bool isPanelVisible(int index) const;
    void setPanelVisible(int index, bool visible);
    StatusPanel::Bevel bevel(int index) const;
    void setBevel(int index, StatusPanel::Bevel bevel);
    // Left edge and width of a panel in bar coordinates (zero width when hidden).
    int panelLeft(int index) const;
    int panelWidth(int index) const;

    // Drives a click on a panel as the mouse would: mouse-down at the panel's
    // centre, then the click (for tests and keyboard access).
    void clickPanel(int index);

signals:
    void mouseDown(int x);
    void panelClicked(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int panelAt(int x) const;
    QList<StatusPanel*> m_panels;
    QHBoxLayout* m_layout;
    int m_pressedPanel = 0;
};
