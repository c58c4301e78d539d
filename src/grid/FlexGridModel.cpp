#include "grid/FlexGrid.h"

#include "platform/VbRuntime.h"

namespace grid {

namespace {
Qt::Alignment ausrichtung(int code, const QString& text)
{
    switch (code) {
    case 0: return Qt::AlignLeft | Qt::AlignTop;
    case 1: return Qt::AlignLeft | Qt::AlignVCenter;
    case 2: return Qt::AlignLeft | Qt::AlignBottom;
    case 3: return Qt::AlignHCenter | Qt::AlignTop;
    case 4: return Qt::AlignCenter;
    case 5: return Qt::AlignHCenter | Qt::AlignBottom;
    case 6: return Qt::AlignRight | Qt::AlignTop;
    case 7: return Qt::AlignRight | Qt::AlignVCenter;
    case 8: return Qt::AlignRight | Qt::AlignBottom;
    default: {
        // General: numbers to the right, texts to the left.
        double d = 0;
        if (!text.isEmpty() && vb::parseNumber(text, &d))
            return Qt::AlignRight | Qt::AlignVCenter;
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    }
}
} // namespace

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_cols)
        return {};
    const int r = index.row();
    const int c = index.column();
    const bool fest = r < m_fixedRows || c < m_fixedCols;
    switch (role) {
    case Qt::DisplayRole:
        return m_cells[size_t(r)][size_t(c)];
    case Qt::TextAlignmentRole: {
        const int code = fest ? m_fixedAlign[size_t(c)] : m_colAlign[size_t(c)];
        return QVariant::fromValue(ausrichtung(code, m_cells[size_t(r)][size_t(c)]));
    }
    case Qt::BackgroundRole:
        return fest ? m_backFixed : m_back;
    case Qt::ForegroundRole:
        return m_enabled ? m_fore : QColor(Qt::gray);
    case Qt::FontRole:
        return m_font;
    default:
        return {};
    }
}

void FlexGridModel::resize(int rows, int cols)
{
    if (rows == m_rows && cols == m_cols)
        return;
    if (cols == m_cols && rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_cells.resize(size_t(rows), std::vector<QString>(size_t(cols)));
        m_rows = rows;
        endInsertRows();
        return;
    }
    if (cols == m_cols && rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_cells.resize(size_t(rows));
        m_rows = rows;
        endRemoveRows();
        return;
    }
    beginResetModel();
    m_cells.resize(size_t(rows));
    for (auto& z : m_cells)
        z.resize(size_t(cols));
    m_colAlign.resize(size_t(cols), 9);
    m_fixedAlign.resize(size_t(cols), 0);
    m_rows = rows;
    m_cols = cols;
    endResetModel();
}

QString FlexGridModel::text(int row, int col) const
{
    return m_cells[size_t(row)][size_t(col)];
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    QString& z = m_cells[size_t(row)][size_t(col)];
    if (z == text)
        return;
    z = text;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void FlexGridModel::insertRowAt(int row, const QStringList& cells)
{
    beginInsertRows(QModelIndex(), row, row);
    std::vector<QString> z(static_cast<size_t>(m_cols), QString());
    for (int c = 0; c < m_cols && c < cells.size(); ++c)
        z[size_t(c)] = cells[c];
    m_cells.insert(m_cells.begin() + row, std::move(z));
    ++m_rows;
    endInsertRows();
}

void FlexGridModel::removeRowAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_cells.erase(m_cells.begin() + row);
    --m_rows;
    endRemoveRows();
}

int FlexGridModel::colAlignment(int col) const
{
    return m_colAlign[size_t(col)];
}

void FlexGridModel::setColAlignment(int col, int code)
{
    m_colAlign[size_t(col)] = code;
    emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::TextAlignmentRole});
}

int FlexGridModel::fixedAlignment(int col) const
{
    return m_fixedAlign[size_t(col)];
}

void FlexGridModel::setFixedAlignment(int col, int code)
{
    m_fixedAlign[size_t(col)] = code;
    emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::TextAlignmentRole});
}

// Every cell's look changed.
void FlexGridModel::allesGeaendert()
{
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

void FlexGridModel::setFixed(int rows, int cols)
{
    m_fixedRows = rows;
    m_fixedCols = cols;
    allesGeaendert();
}

void FlexGridModel::setColors(const QColor& back, const QColor& backFixed, const QColor& fore)
{
    m_back = back;
    m_backFixed = backFixed;
    m_fore = fore;
    allesGeaendert();
}

void FlexGridModel::setFont(const QFont& f)
{
    m_font = f;
    allesGeaendert();
}

void FlexGridModel::setEnabledLook(bool enabled)
{
    m_enabled = enabled;
    allesGeaendert();
}

} // namespace grid
