#pragma once
// FlexGrid — the flex grid control: a table of text cells whose first rows and
// columns are fixed (captions and running numbers) while the rest scrolls by
// whole cells.
//
// Every cell, fixed ones included, lives in one model (FlexGridModel);
// TextMatrix(0, c) is the header row. The grid is one QTableView whose own
// headers and scroll bars are hidden: scrolling hides the rows above TopRow and
// the columns left of LeftCol, so the fixed rows and columns never move and the
// view always starts a scrolled part with a whole cell. The grid's own scroll
// bars sit beside the view.
//
// The current cell (Row, Col) starts at (FixedRows, FixedCols) and is never a
// fixed cell. A selection runs from the current cell to (RowSel, ColSel); a
// drag upwards or to the left gives RowSel < Row or ColSel < Col. Arrows,
// Home/End and PgUp/PgDn move the current cell, Tab leaves the grid.
//
// Lengths are twips (56.7 twips = 1 mm); the grid converts them to pixels with
// its logical resolution. The events are signals with the mouse position in
// twips of the grid.

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>
#include <QTableView>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

class QScrollBar;

namespace grid {

// The cells of a FlexGrid and what they look like.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void resize(int rows, int cols);
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    void insertRowAt(int row, const QStringList& cells);
    void removeRowAt(int row);

    // Flex grid alignment codes (0..8 left/centre/right × top/centre/bottom, 9 general).
    int colAlignment(int col) const;
    void setColAlignment(int col, int code);
    int fixedAlignment(int col) const;
    void setFixedAlignment(int col, int code);

    void setFixed(int rows, int cols);
    void setColors(const QColor& back, const QColor& backFixed, const QColor& fore);
    void setFont(const QFont& f);
    // Whether the grid is in use (disabled grids show their text greyed).
    void setEnabledLook(bool enabled);

private:
    void allesGeaendert();

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    std::vector<std::vector<QString>> m_cells;  // [row][col]
    std::vector<int> m_colAlign;
    std::vector<int> m_fixedAlign;
    QColor m_back;
    QColor m_backFixed;
    QColor m_fore;
    QFont m_font;
    bool m_enabled = true;
};

class FlexGrid : public QWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // ---- structure ------------------------------------------------------
    int Rows() const;
    void setRows(int n);               // >= FixedRows; new rows are empty; 380 below
    int Cols() const;
    void setCols(int n);               // >= FixedCols; 380 below
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int n);          // 0 .. Rows - 1, else 380
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int n);          // 0 .. Cols - 1, else 380

    // ---- current cell and selection ---------------------------------------
    int Row() const { return m_row; }
    void setRow(int r);                // 0 .. Rows - 1, else 381; collapses the selection
    int Col() const { return m_col; }
    void setCol(int c);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int r);
    int ColSel() const { return m_colSel; }
    void setColSel(int c);
    // The selected range, whichever way it was dragged: first and last row
    // and column.
    struct Bereich { int r0, r1, c0, c1; };
    Bereich auswahl() const
    {
        return {std::min(m_row, m_rowSel), std::max(m_row, m_rowSel), std::min(m_col, m_colSel),
                std::max(m_col, m_colSel)};
    }
    int LeftCol() const { return m_leftCol; }
    void setLeftCol(int c);            // first non-fixed column shown
    int TopRow() const { return m_topRow; }
    void setTopRow(int r);             // first non-fixed row shown

    // ---- cells ------------------------------------------------------------
    QString Text() const;              // the current cell's text
    void setText(const QString& t);
    QString TextMatrix(int row, int col) const;     // 381 outside the grid
    void setTextMatrix(int row, int col, const QString& text);
    // The selected cells: tab between the cells of a row, carriage return between rows.
    QString Clip() const;
    // Distributes text over the selection from its top-left cell; what does
    // not fit is dropped. Tabs and line breaks separate the cells; other
    // control characters are dropped.
    void setClip(const QString& text);
    void AddItem(const QString& item, int row);     // tab-separated cells, inserted before row
    void RemoveItem(int row);

    // ---- geometry (twips) -------------------------------------------------
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    int FixedAlignment(int col) const;
    void setFixedAlignment(int col, int code);
    // The current cell's place relative to the grid's top-left corner.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    bool ColIsVisible(int col) const;
    bool RowIsVisible(int row) const;
    // The column and row under a point of the grid (twips); -1 outside the cells.
    int MouseCol(double xTwips) const;
    int MouseRow(double yTwips) const;

    // ---- appearance ---------------------------------------------------------
    // Colour longs as VB holds them (0x00BBGGRR, system colours with the top bit).
    int32_t BackColor() const { return m_backColor; }
    void setBackColor(int32_t c);
    int32_t BackColorFixed() const { return m_backColorFixed; }
    void setBackColorFixed(int32_t c);
    int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(int32_t c);
    QFont Font() const;
    void setGridFont(const QFont& f);
    // 0 default, 2 cross, 11 hourglass (VB's pointer numbers).
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int p);

    // ---- container ----------------------------------------------------------
    int Left() const;                  // twips in the parent
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, int width, int height);
    bool Enabled() const { return isEnabled(); }
    void setEnabledState(bool on);
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& t) { setToolTip(t); }
    void SetFocus();
    // Index of the grid in its control array (for messages).
    int Index() const { return m_index; }
    void setIndex(int i) { m_index = i; }

    // Twips per pixel of this widget's logical resolution.
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    FlexGridModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }

signals:
    void Click();
    void DblClick();
    // A character typed on the grid: its code (Enter 13) and what the key
    // typed, which holds a character the code cannot name (one beyond the
    // Windows character set, or of several code units) whole.
    void KeyPress(int16_t keyAscii, const QString& text);
    // Delete or Backspace pressed on the grid itself: neither types a
    // character, so neither comes as KeyPress.
    void LoeschTaste();
    // Mouse events: button (1 left, 2 right, 4 middle), shift state, position in twips.
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void Scroll();
    // Row, Col, RowSel or ColSel changed.
    void SelChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void checkRow(int r) const;
    int abstand(int index, int fest, int erstes, const std::function<int(int)>& groesse) const;
    void applyColors();
    void checkCol(int c) const;
    int defaultRowHeight() const;
    int pxX(double twips) const;
    int pxY(double twips) const;
    void applyGeometry();
    void applyScroll();
    void applySelection();
    void updateScrollBars();
    int visibleWidthTwips() const;
    int visibleHeightTwips() const;
    void moveCurrent(int row, int col, bool extend);
    void ensureVisible(int row, int col);
    bool handleKey(QKeyEvent* e);
    int cellRowAtPx(int y) const;
    int cellColAtPx(int x) const;

    FlexGridModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QScrollBar* m_hbar = nullptr;
    QScrollBar* m_vbar = nullptr;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    int m_leftCol = 1;
    int m_topRow = 1;
    std::vector<int> m_colWidth;       // twips; -1 default
    std::vector<int> m_rowHeight;      // twips; -1 default
    int32_t m_backColor;
    int32_t m_backColorFixed;
    int32_t m_foreColor;
    int m_mousePointer = 0;
    int m_index = 0;
    bool m_dragging = false;
    bool m_dblClick = false;
    bool m_updating = false;
};

} // namespace grid
