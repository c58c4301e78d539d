#include "grid/FlexGrid.h"

#include "grid/Twips.h"
#include "platform/Colors.h"
#include "platform/TextTables.h"
#include "platform/Texteingabe.h"
#include "platform/Units.h"
#include "platform/VbError.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <cmath>
#include <functional>

namespace grid {

namespace {
constexpr int kStandardBreite = 960;   // twips of a column whose width was never set

[[noreturn]] void ungueltigerIndex()
{
    vb::raise(381, QStringLiteral("Ungültiger Index für Eigenschaftenfeld"));
}

[[noreturn]] void ungueltigerWert()
{
    vb::raise(vb::err::InvalidPropertyValue);
}

int knopf(Qt::MouseButtons b)
{
    int n = 0;
    if (b & Qt::LeftButton)
        n |= 1;
    if (b & Qt::RightButton)
        n |= 2;
    if (b & Qt::MiddleButton)
        n |= 4;
    return n;
}

int umschalt(Qt::KeyboardModifiers m)
{
    int n = 0;
    if (m & Qt::ShiftModifier)
        n |= 1;
    if (m & Qt::ControlModifier)
        n |= 2;
    if (m & Qt::AltModifier)
        n |= 4;
    return n;
}
} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QWidget(parent),
      m_backColor(vb::vbWindowBackground),
      m_backColorFixed(vb::vbButtonFace),
      m_foreColor(vb::vbWindowText)
{
    m_model = new FlexGridModel(this);
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setMinimumSectionSize(0);
    m_view->verticalHeader()->setMinimumSectionSize(0);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setTabKeyNavigation(false);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setWordWrap(false);
    m_view->setAutoScroll(false);
    m_view->viewport()->installEventFilter(this);
    m_view->viewport()->setMouseTracking(true);
    m_view->installEventFilter(this);
    setFocusProxy(m_view);
    setFocusPolicy(Qt::StrongFocus);

    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_vbar = new QScrollBar(Qt::Vertical, this);
    m_hbar->hide();
    m_vbar->hide();
    connect(m_hbar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updating && v != m_leftCol) {
            setLeftCol(v);
        }
    });
    connect(m_vbar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updating && v != m_topRow) {
            setTopRow(v);
        }
    });

    m_model->resize(2, 2);
    m_colWidth.assign(2, -1);
    m_rowHeight.assign(2, -1);
    m_model->setFixed(m_fixedRows, m_fixedCols);
    applyColors();
    m_model->setFont(font());
    applyGeometry();
    applySelection();
}

FlexGrid::~FlexGrid() = default;

// ---------------------------------------------------------------------------
// Units

double FlexGrid::twipsPerPixelX() const
{
    return twips::proPixelX(this);
}

double FlexGrid::twipsPerPixelY() const
{
    return twips::proPixelY(this);
}

int FlexGrid::pxX(double twips) const
{
    return int(std::lround(twips / twipsPerPixelX()));
}

int FlexGrid::pxY(double twips) const
{
    return int(std::lround(twips / twipsPerPixelY()));
}

int FlexGrid::defaultRowHeight() const
{
    const QFontMetrics fm(m_model->data(m_model->index(0, 0), Qt::FontRole).value<QFont>());
    return int(std::lround((fm.height() + 4) * twipsPerPixelY()));
}

// ---------------------------------------------------------------------------
// Structure

int FlexGrid::Rows() const
{
    return m_model->rowCount();
}

int FlexGrid::Cols() const
{
    return m_model->columnCount();
}

void FlexGrid::setRows(int n)
{
    if (n < m_fixedRows || n < 0)
        ungueltigerWert();
    m_model->resize(n, Cols());
    m_rowHeight.resize(size_t(n), -1);
    if (n == m_fixedRows) {
        m_row = m_rowSel = m_topRow = m_fixedRows;
    } else {
        m_row = std::min(m_row, n - 1);
        m_rowSel = std::min(m_rowSel, n - 1);
        m_topRow = std::min(std::max(m_topRow, m_fixedRows), n - 1);
    }
    applyGeometry();
    applySelection();
}

void FlexGrid::setCols(int n)
{
    if (n < m_fixedCols || n < 0)
        ungueltigerWert();
    m_model->resize(Rows(), n);
    m_colWidth.resize(size_t(n), -1);
    if (n == m_fixedCols) {
        m_col = m_colSel = m_leftCol = m_fixedCols;
    } else {
        m_col = std::min(m_col, n - 1);
        m_colSel = std::min(m_colSel, n - 1);
        m_leftCol = std::min(std::max(m_leftCol, m_fixedCols), n - 1);
    }
    applyGeometry();
    applySelection();
}

void FlexGrid::setFixedRows(int n)
{
    if (n < 0 || (n > 0 && n >= Rows()))
        ungueltigerWert();
    m_fixedRows = n;
    m_model->setFixed(m_fixedRows, m_fixedCols);
    m_row = std::max(m_row, n);
    m_rowSel = std::max(m_rowSel, n);
    m_topRow = n;
    applyGeometry();
    applySelection();
}

void FlexGrid::setFixedCols(int n)
{
    if (n < 0 || (n > 0 && n >= Cols()))
        ungueltigerWert();
    m_fixedCols = n;
    m_model->setFixed(m_fixedRows, m_fixedCols);
    m_col = std::max(m_col, n);
    m_colSel = std::max(m_colSel, n);
    m_leftCol = n;
    applyGeometry();
    applySelection();
}

// ---------------------------------------------------------------------------
// Current cell and selection

void FlexGrid::checkRow(int r) const
{
    if (r < 0 || r >= Rows())
        ungueltigerIndex();
}

void FlexGrid::checkCol(int c) const
{
    if (c < 0 || c >= Cols())
        ungueltigerIndex();
}

void FlexGrid::setRow(int r)
{
    checkRow(r);
    m_row = m_rowSel = r;
    applySelection();
    emit SelChange();
}

void FlexGrid::setCol(int c)
{
    checkCol(c);
    m_col = m_colSel = c;
    applySelection();
    emit SelChange();
}

void FlexGrid::setRowSel(int r)
{
    checkRow(r);
    m_rowSel = r;
    applySelection();
    emit SelChange();
}

void FlexGrid::setColSel(int c)
{
    checkCol(c);
    m_colSel = c;
    applySelection();
    emit SelChange();
}

void FlexGrid::setLeftCol(int c)
{
    checkCol(c);
    const int neu = std::max(c, m_fixedCols);
    if (neu == m_leftCol)
        return;
    m_leftCol = neu;
    applyScroll();
    emit Scroll();
}

void FlexGrid::setTopRow(int r)
{
    checkRow(r);
    const int neu = std::max(r, m_fixedRows);
    if (neu == m_topRow)
        return;
    m_topRow = neu;
    applyScroll();
    emit Scroll();
}

void FlexGrid::applySelection()
{
    QItemSelectionModel* sm = m_view->selectionModel();
    if (!sm || Rows() == 0 || Cols() == 0)
        return;
    const auto [r0, r1, c0, c1] = auswahl();
    if (r0 < 0 || c0 < 0 || r1 >= Rows() || c1 >= Cols())
        return;
    // A single current cell shows only its focus frame; a larger range is highlighted.
    if (r0 == r1 && c0 == c1)
        sm->clearSelection();
    else
        sm->select(QItemSelection(m_model->index(r0, c0), m_model->index(r1, c1)),
                   QItemSelectionModel::ClearAndSelect);
    sm->setCurrentIndex(m_model->index(m_row, m_col), QItemSelectionModel::NoUpdate);
}

void FlexGrid::moveCurrent(int row, int col, bool extend)
{
    row = std::clamp(row, m_fixedRows, Rows() - 1);
    col = std::clamp(col, m_fixedCols, Cols() - 1);
    if (row < m_fixedRows || col < m_fixedCols)
        return;   // nothing but fixed cells
    if (extend) {
        m_rowSel = row;
        m_colSel = col;
    } else {
        m_row = m_rowSel = row;
        m_col = m_colSel = col;
    }
    ensureVisible(row, col);
    applySelection();
    emit SelChange();
}

void FlexGrid::ensureVisible(int row, int col)
{
    bool geaendert = false;
    if (row >= m_fixedRows) {
        if (row < m_topRow) {
            m_topRow = row;
            geaendert = true;
        } else {
            while (m_topRow < row && !RowIsVisible(row)) {
                ++m_topRow;
                geaendert = true;
                applyScroll();
            }
        }
    }
    if (col >= m_fixedCols) {
        if (col < m_leftCol) {
            m_leftCol = col;
            geaendert = true;
        } else {
            const int breite = visibleWidthTwips();
            auto rechts = [&] {
                return abstand(col, m_fixedCols, m_leftCol, [this](int c) { return ColWidth(c); }) + ColWidth(col);
            };
            while (m_leftCol < col && rechts() > breite) {
                ++m_leftCol;
                geaendert = true;
            }
        }
    }
    if (geaendert) {
        applyScroll();
        emit Scroll();
    }
}

// ---------------------------------------------------------------------------
// Cells

QString FlexGrid::Text() const
{
    return TextMatrix(m_row, m_col);
}

void FlexGrid::setText(const QString& t)
{
    setTextMatrix(m_row, m_col, t);
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkRow(row);
    checkCol(col);
    m_model->setText(row, col, text);
}

QString FlexGrid::Clip() const
{
    const auto [r0, r1, c0, c1] = auswahl();
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += QLatin1Char('\t');
            out += m_model->text(r, c);
        }
    }
    return out;
}

void FlexGrid::setClip(const QString& text)
{
    const auto [r0, r1, c0, c1] = auswahl();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList zeilen = t.split(QLatin1Char('\r'));
    for (int i = 0; i < zeilen.size() && r0 + i <= r1; ++i) {
        const QStringList zellen = zeilen[i].split(QLatin1Char('\t'));
        for (int j = 0; j < zellen.size() && c0 + j <= c1; ++j)
            m_model->setText(r0 + i, c0 + j, vb::ohneSteuerzeichen(zellen[j]));
    }
}

void FlexGrid::AddItem(const QString& item, int row)
{
    if (row < m_fixedRows || row > Rows())
        ungueltigerIndex();
    m_model->insertRowAt(row, item.split(QLatin1Char('\t')));
    m_rowHeight.insert(m_rowHeight.begin() + row, -1);
    applyGeometry();
    applySelection();
}

void FlexGrid::RemoveItem(int row)
{
    checkRow(row);
    if (row < m_fixedRows)
        ungueltigerIndex();
    if (Rows() <= m_fixedRows + 1)
        vb::raise(30015, QStringLiteral("Die letzte nicht fixierte Zeile kann nicht entfernt werden"));
    m_model->removeRowAt(row);
    m_rowHeight.erase(m_rowHeight.begin() + row);
    const int letzte = Rows() - 1;
    m_row = std::min(m_row, letzte);
    m_rowSel = std::min(m_rowSel, letzte);
    m_topRow = std::min(m_topRow, letzte);
    applyGeometry();
    applySelection();
}

// ---------------------------------------------------------------------------
// Geometry

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    const int w = m_colWidth[size_t(col)];
    return w < 0 ? kStandardBreite : w;
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    m_colWidth[size_t(col)] = twips;
    applyGeometry();
}

int FlexGrid::RowHeight(int row) const
{
    checkRow(row);
    const int h = m_rowHeight[size_t(row)];
    return h < 0 ? defaultRowHeight() : h;
}

void FlexGrid::setRowHeight(int row, int twips)
{
    checkRow(row);
    m_rowHeight[size_t(row)] = twips;
    applyGeometry();
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_model->colAlignment(col);
}

void FlexGrid::setColAlignment(int col, int code)
{
    checkCol(col);
    if (code < 0 || code > 9)
        ungueltigerWert();
    m_model->setColAlignment(col, code);
}

int FlexGrid::FixedAlignment(int col) const
{
    checkCol(col);
    return m_model->fixedAlignment(col);
}

void FlexGrid::setFixedAlignment(int col, int code)
{
    checkCol(col);
    if (code < 0 || code > 9)
        ungueltigerWert();
    m_model->setFixedAlignment(col, code);
}

// Distance of a column or row from the grid's edge: the fixed ones before it,
// then the scrolled ones from the first shown (`erstes`) up to it.
int FlexGrid::abstand(int index, int fest, int erstes, const std::function<int(int)>& groesse) const
{
    int summe = 0;
    for (int i = 0; i < std::min(index, fest); ++i)
        summe += groesse(i);
    for (int i = erstes; i < index && index >= fest; ++i)
        summe += groesse(i);
    return summe;
}

int FlexGrid::CellLeft() const
{
    return abstand(m_col, m_fixedCols, m_leftCol, [this](int c) { return ColWidth(c); });
}

int FlexGrid::CellTop() const
{
    return abstand(m_row, m_fixedRows, m_topRow, [this](int r) { return RowHeight(r); });
}

int FlexGrid::CellWidth() const
{
    return ColWidth(m_col);
}

int FlexGrid::CellHeight() const
{
    return RowHeight(m_row);
}

int FlexGrid::visibleWidthTwips() const
{
    return int(std::lround(m_view->width() * twipsPerPixelX()));
}

int FlexGrid::visibleHeightTwips() const
{
    return int(std::lround(m_view->height() * twipsPerPixelY()));
}

bool FlexGrid::ColIsVisible(int col) const
{
    checkCol(col);
    if (col >= m_fixedCols && col < m_leftCol)
        return false;
    return abstand(col, m_fixedCols, m_leftCol, [this](int c) { return ColWidth(c); }) < visibleWidthTwips();
}

bool FlexGrid::RowIsVisible(int row) const
{
    checkRow(row);
    if (row >= m_fixedRows && row < m_topRow)
        return false;
    return abstand(row, m_fixedRows, m_topRow, [this](int r) { return RowHeight(r); }) + RowHeight(row)
           <= visibleHeightTwips();
}

int FlexGrid::cellColAtPx(int x) const
{
    return m_view->columnAt(x);
}

int FlexGrid::cellRowAtPx(int y) const
{
    return m_view->rowAt(y);
}

int FlexGrid::MouseCol(double xTwips) const
{
    return cellColAtPx(int(xTwips / twipsPerPixelX()));
}

int FlexGrid::MouseRow(double yTwips) const
{
    return cellRowAtPx(int(yTwips / twipsPerPixelY()));
}

void FlexGrid::applyGeometry()
{
    QHeaderView* h = m_view->horizontalHeader();
    QHeaderView* v = m_view->verticalHeader();
    for (int c = 0; c < Cols(); ++c)
        h->resizeSection(c, pxX(ColWidth(c)));
    const int standard = pxY(defaultRowHeight());
    v->setDefaultSectionSize(standard);
    for (int r = 0; r < Rows(); ++r) {
        const int eigen = m_rowHeight[size_t(r)];
        const int px = eigen < 0 ? standard : pxY(eigen);
        if (v->isSectionHidden(r) || v->sectionSize(r) != px)
            v->resizeSection(r, px);
    }
    applyScroll();
}

void FlexGrid::applyScroll()
{
    QHeaderView* h = m_view->horizontalHeader();
    QHeaderView* v = m_view->verticalHeader();
    for (int c = 0; c < Cols(); ++c)
        h->setSectionHidden(c, c >= m_fixedCols && c < m_leftCol);
    for (int r = 0; r < Rows(); ++r) {
        const bool aus = r >= m_fixedRows && r < m_topRow;
        if (v->isSectionHidden(r) != aus)
            v->setSectionHidden(r, aus);
    }
    updateScrollBars();
}

void FlexGrid::updateScrollBars()
{
    // The smallest first row / column from which the rest fits into the view.
    auto passt = [](int verfuegbar, int erstes, int anzahl, auto groesse) {
        int summe = 0;
        int i = anzahl - 1;
        for (; i >= erstes; --i) {
            summe += groesse(i);
            if (summe > verfuegbar)
                return i + 1;
        }
        return erstes;
    };
    int festH = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        festH += RowHeight(r);
    int festB = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        festB += ColWidth(c);

    // Decide the bars on the whole widget, then lay out.
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    const int sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool vSicht = false;
    bool hSicht = false;
    int maxTop = m_fixedRows;
    int maxLeft = m_fixedCols;
    for (int runde = 0; runde < 2; ++runde) {
        const int hoehe = int((height() - (hSicht ? sb : 0)) * ty) - festH;
        const int breite = int((width() - (vSicht ? sb : 0)) * tx) - festB;
        maxTop = Rows() > m_fixedRows
                     ? std::min(Rows() - 1, passt(hoehe, m_fixedRows, Rows(), [this](int r) { return RowHeight(r); }))
                     : m_fixedRows;
        maxLeft = Cols() > m_fixedCols
                      ? std::min(Cols() - 1, passt(breite, m_fixedCols, Cols(), [this](int c) { return ColWidth(c); }))
                      : m_fixedCols;
        vSicht = maxTop > m_fixedRows;
        hSicht = maxLeft > m_fixedCols;
    }
    m_updating = true;
    m_vbar->setRange(m_fixedRows, std::max(maxTop, m_topRow));
    m_vbar->setValue(m_topRow);
    m_vbar->setPageStep(std::max(1, maxTop - m_fixedRows));
    m_hbar->setRange(m_fixedCols, std::max(maxLeft, m_leftCol));
    m_hbar->setValue(m_leftCol);
    m_updating = false;
    const bool vZeigen = vSicht || m_topRow > m_fixedRows;
    const bool hZeigen = hSicht || m_leftCol > m_fixedCols;
    m_vbar->setVisible(vZeigen);
    m_hbar->setVisible(hZeigen);
    const int w = width() - (vZeigen ? sb : 0);
    const int hgt = height() - (hZeigen ? sb : 0);
    m_view->setGeometry(0, 0, std::max(0, w), std::max(0, hgt));
    m_vbar->setGeometry(w, 0, sb, hgt);
    m_hbar->setGeometry(0, hgt, w, sb);
}

void FlexGrid::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    updateScrollBars();
}

// ---------------------------------------------------------------------------
// Appearance

void FlexGrid::applyColors()
{
    m_model->setColors(vb::toQColor(m_backColor), vb::toQColor(m_backColorFixed), vb::toQColor(m_foreColor));
    QPalette p = m_view->palette();
    p.setColor(QPalette::Base, vb::toQColor(m_backColor));
    m_view->setPalette(p);
}

void FlexGrid::setBackColor(int32_t c)
{
    m_backColor = c;
    applyColors();
}

void FlexGrid::setBackColorFixed(int32_t c)
{
    m_backColorFixed = c;
    applyColors();
}

void FlexGrid::setForeColor(int32_t c)
{
    m_foreColor = c;
    applyColors();
}

QFont FlexGrid::Font() const
{
    return m_model->data(m_model->index(0, 0), Qt::FontRole).value<QFont>();
}

void FlexGrid::setGridFont(const QFont& f)
{
    setFont(f);
    m_view->setFont(f);
    m_model->setFont(f);
    applyGeometry();
}

void FlexGrid::setMousePointer(int p)
{
    m_mousePointer = p;
    switch (p) {
    case 2: m_view->viewport()->setCursor(Qt::CrossCursor); break;
    case 11: m_view->viewport()->setCursor(Qt::WaitCursor); break;
    default: m_view->viewport()->unsetCursor(); break;
    }
}

// ---------------------------------------------------------------------------
// Container

int FlexGrid::Left() const
{
    return twips::links(this);
}

int FlexGrid::Top() const
{
    return twips::oben(this);
}

int FlexGrid::Width() const
{
    return twips::breite(this);
}

int FlexGrid::Height() const
{
    return twips::hoehe(this);
}

void FlexGrid::Move(int left, int top, int width, int height)
{
    setGeometry(pxX(left), pxY(top), pxX(width), pxY(height));
}

void FlexGrid::setEnabledState(bool on)
{
    setEnabled(on);
}

void FlexGrid::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        m_model->setEnabledLook(isEnabled());
    QWidget::changeEvent(e);
}

void FlexGrid::SetFocus()
{
    m_view->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// Events

bool FlexGrid::handleKey(QKeyEvent* e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const int seite = std::max(1, m_vbar->pageStep());
    const int zeile = shift ? m_rowSel : m_row;
    const int spalte = shift ? m_colSel : m_col;
    switch (e->key()) {
    case Qt::Key_Up: moveCurrent(zeile - 1, spalte, shift); return true;
    case Qt::Key_Down: moveCurrent(zeile + 1, spalte, shift); return true;
    case Qt::Key_Left: moveCurrent(zeile, spalte - 1, shift); return true;
    case Qt::Key_Right: moveCurrent(zeile, spalte + 1, shift); return true;
    case Qt::Key_Home: moveCurrent(zeile, m_fixedCols, shift); return true;
    case Qt::Key_End: moveCurrent(zeile, Cols() - 1, shift); return true;
    case Qt::Key_PageUp: moveCurrent(zeile - seite, spalte, shift); return true;
    case Qt::Key_PageDown: moveCurrent(zeile + seite, spalte, shift); return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit KeyPress(int16_t(13), QStringLiteral("\r"));
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        emit LoeschTaste();
        return true;
    default:
        break;
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString t = e->text();
    if (t.isEmpty())
        return false;
    // The character's code in the Windows character set ("€" is 128); a
    // character outside it comes as its Unicode value (above 255), so the
    // editor opens with what was typed.
    const char16_t ch = t.at(0).unicode();
    const int code = vb::Asc(t);
    emit KeyPress(int16_t(code != '?' || ch == u'?' || ch > 0x7FFF ? code : int(ch)), t);
    return true;
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view) {
        if (event->type() == QEvent::KeyPress)
            return handleKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::ShortcutOverride) {
            // Copy and paste belong to the window's shortcuts, not to the view.
            event->ignore();
            return true;
        }
        return false;
    }
    if (watched != m_view->viewport())
        return false;
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        m_view->setFocus(Qt::MouseFocusReason);
        m_dblClick = false;
        if (me->button() == Qt::LeftButton) {
            const int r = cellRowAtPx(p.y());
            const int c = cellColAtPx(p.x());
            if (r >= 0 && c >= 0) {
                const bool extend = me->modifiers() & Qt::ShiftModifier;
                moveCurrent(std::max(r, m_fixedRows), std::max(c, m_fixedCols), extend);
                m_dragging = true;
            }
        }
        emit MouseDown(knopf(me->button()), umschalt(me->modifiers()), float(p.x() * tx), float(p.y() * ty));
        return true;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        if (m_dragging && (me->buttons() & Qt::LeftButton)) {
            const int r = cellRowAtPx(p.y());
            const int c = cellColAtPx(p.x());
            if (r >= 0 && c >= 0)
                moveCurrent(std::max(r, m_fixedRows), std::max(c, m_fixedCols), true);
        }
        emit MouseMove(knopf(me->buttons()), umschalt(me->modifiers()), float(p.x() * tx), float(p.y() * ty));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        m_dragging = false;
        emit MouseUp(knopf(me->button()), umschalt(me->modifiers()), float(p.x() * tx), float(p.y() * ty));
        if (!m_dblClick)
            emit Click();
        m_dblClick = false;
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        const int r = cellRowAtPx(p.y());
        const int c = cellColAtPx(p.x());
        if (r >= 0 && c >= 0 && me->button() == Qt::LeftButton)
            moveCurrent(std::max(r, m_fixedRows), std::max(c, m_fixedCols), false);
        m_dblClick = true;
        emit DblClick();
        return true;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(event);
        const int schritte = we->angleDelta().y() / 40;
        if (schritte != 0 && Rows() > m_fixedRows)
            setTopRow(std::clamp(m_topRow - schritte, m_fixedRows, std::max(m_fixedRows, m_vbar->maximum())));
        return true;
    }
    default:
        return false;
    }
}

} // namespace grid
