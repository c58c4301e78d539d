#pragma once
// mdiAUTOSTART — the start screen: the child window that covers the main
// window's inner area for the whole run, with the address band, the program
// title, the version and the one progress bar pgbBERECHNEN (0..100, hidden
// until a command shows it).
#include <QWidget>

class QFrame;
class QLabel;
class QProgressBar;

class mdiAUTOSTART : public QWidget
{
    Q_OBJECT
public:
    explicit mdiAUTOSTART(QWidget* parent = nullptr);

    // The load step: texts by language, then the layout from the main
    // window's inner size (w, h in pixels); later resizes place the
    // controls again.
    void Form_Load(int w, int h);

    QFrame* fraKOPF = nullptr;
    QLabel* lblKOPF[4] = {};
    QLabel* imgZELK = nullptr;
    QLabel* lblTITEL = nullptr;
    QLabel* lblUNTERTITEL = nullptr;
    QLabel* imgDIA = nullptr;
    QLabel* lblVERSION = nullptr;
    QProgressBar* pgbBERECHNEN = nullptr;

    // Twips as pixels of this screen.
    int twips(double t) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Places the controls for an inner area of w x h pixels.
    void anordnen(int w, int h);
    bool m_geladen = false;
};
