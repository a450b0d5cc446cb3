#include "pages/income/FieldRowsLayout.h"

#include <algorithm>

#include <QWidget>

namespace {

constexpr int DefaultGap = 6;

bool present(const QLayoutItem* item)
{
    return item != nullptr && !item->isEmpty();
}

// A field that takes what room there is, as an edit of free text does; others keep their width.
bool stretches(const QLayoutItem* item)
{
    return (item->expandingDirections() & Qt::Horizontal) != 0;
}

int widthIn(const QLayoutItem* item, int room)
{
    return std::max(0, stretches(item) ? room : std::min(item->sizeHint().width(), room));
}

// Places the item at the left of its cell, centred in the height of its line.
void place(QLayoutItem* item, int x, int y, int room, int lineHeight)
{
    const int height = item->sizeHint().height();
    item->setGeometry(QRect(x, y + (lineHeight - height) / 2, widthIn(item, room), height));
}

} // namespace

FieldRowsLayout::FieldRowsLayout()
{
    setContentsMargins(0, 0, 0, 0);
}

FieldRowsLayout::~FieldRowsLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FieldRowsLayout::addRow(std::initializer_list<QWidget*> cells)
{
    Row row{};
    std::size_t column = 0;
    for (QWidget* widget : cells) {
        if (column == row.size())
            break;
        if (widget) {
            addChildWidget(widget);
            row[column] = new QWidgetItem(widget);
            addItem(row[column]);
        }
        ++column;
    }
    rows_.push_back(row);
    invalidate();
}

void FieldRowsLayout::setColumnMinimumWidth(int column, int width)
{
    if (column >= 0 && column < int(minimumWidths_.size())) {
        minimumWidths_[std::size_t(column)] = width;
        invalidate();
    }
}

QLayoutItem* FieldRowsLayout::takeAt(int index)
{
    if (index < 0 || index >= items_.size())
        return nullptr;
    QLayoutItem* item = items_.takeAt(index);
    for (Row& row : rows_)
        std::replace(row.begin(), row.end(), item, static_cast<QLayoutItem*>(nullptr));
    return item;
}

int FieldRowsLayout::horizontalGap() const
{
    const int gap = spacing();
    return gap >= 0 ? gap : DefaultGap;
}

int FieldRowsLayout::verticalGap() const
{
    return horizontalGap() / 2;
}

namespace {

// The first column of the cell at `index` and its last: a field without a label starts at the
// label's column, and a cell reaches to the next cell of its row.
std::pair<int, int> cellSpan(const std::array<QLayoutItem*, 4>& row, int index)
{
    const int first = index % 2 == 1 && !present(row[std::size_t(index - 1)]) ? index - 1 : index;
    int last = index;
    while (last + 1 < 4 && !present(row[std::size_t(last + 1)]))
        ++last;
    return {first, last};
}

} // namespace

int FieldRowsLayout::columnWidth(int column) const
{
    int width = minimumWidths_[std::size_t(column)];
    for (const Row& row : rows_) {
        const QLayoutItem* item = row[std::size_t(column)];
        if (!present(item))
            continue;
        const auto [first, last] = cellSpan(row, column);
        if (first == last)
            width = std::max(width, item->sizeHint().width());
    }
    return width;
}

std::array<int, 5> FieldRowsLayout::columnLefts() const
{
    std::array<int, 5> left{};
    for (int column = 0; column < 4; ++column)
        left[std::size_t(column + 1)] = left[std::size_t(column)] + columnWidth(column) + horizontalGap();
    return left;
}

int FieldRowsLayout::gridWidth() const
{
    const std::array<int, 5> left = columnLefts();
    int width = left[4] - horizontalGap();
    for (const Row& row : rows_) {
        for (int index = 0; index < 4; ++index) {
            const QLayoutItem* item = row[std::size_t(index)];
            if (present(item))
                width = std::max(width, left[std::size_t(cellSpan(row, index).first)] + item->sizeHint().width());
        }
    }
    return width;
}

int FieldRowsLayout::arrange(const QRect& rect, bool placing) const
{
    return rect.width() >= gridWidth() ? arrangeGrid(rect, placing) : arrangeNarrow(rect, placing);
}

int FieldRowsLayout::arrangeGrid(const QRect& rect, bool placing) const
{
    const std::array<int, 5> left = columnLefts();
    int y = rect.top();
    bool first = true;
    for (const Row& row : rows_) {
        int lineHeight = 0;
        for (const QLayoutItem* item : row) {
            if (present(item))
                lineHeight = std::max(lineHeight, item->sizeHint().height());
        }
        if (lineHeight == 0)
            continue;
        if (!first)
            y += verticalGap();
        first = false;
        for (int index = 0; index < 4 && placing; ++index) {
            QLayoutItem* item = row[std::size_t(index)];
            if (!present(item))
                continue;
            const auto [from, to] = cellSpan(row, index);
            const int x = rect.left() + left[std::size_t(from)];
            const int end = to == 3 ? rect.right() + 1 : rect.left() + left[std::size_t(to + 1)] - horizontalGap();
            place(item, x, y, end - x, lineHeight);
        }
        y += lineHeight;
    }
    return y - rect.top();
}

int FieldRowsLayout::arrangeNarrow(const QRect& rect, bool placing) const
{
    int labelWidth = std::max(minimumWidths_[0], minimumWidths_[2]);
    for (const Row& row : rows_) {
        for (const int index : {0, 2}) {
            if (present(row[std::size_t(index)]))
                labelWidth = std::max(labelWidth, row[std::size_t(index)]->sizeHint().width());
        }
    }
    const int fieldLeft = labelWidth + horizontalGap();
    int y = rect.top();
    bool first = true;
    const auto line = [&](int height) {
        if (!first)
            y += verticalGap();
        first = false;
        const int top = y;
        y += height;
        return top;
    };
    for (const Row& row : rows_) {
        for (const int index : {0, 2}) {
            QLayoutItem* label = row[std::size_t(index)];
            QLayoutItem* field = row[std::size_t(index + 1)];
            const bool hasLabel = present(label);
            const bool hasField = present(field);
            if (!hasLabel && !hasField)
                continue;
            const int fieldNeeds =
                !hasField ? 0 : stretches(field) ? field->minimumSize().width() : field->sizeHint().width();
            if (!hasLabel && fieldLeft + fieldNeeds <= rect.width()) {
                // A field without a label, as a box whose caption says it all, stands under the fields.
                const int height = field->sizeHint().height();
                const int top = line(height);
                if (placing)
                    place(field, rect.left() + fieldLeft, top, rect.width() - fieldLeft, height);
                continue;
            }
            if (hasLabel && hasField && fieldLeft + fieldNeeds <= rect.width()) {
                const int height = std::max(label->sizeHint().height(), field->sizeHint().height());
                const int top = line(height);
                if (placing) {
                    place(label, rect.left(), top, labelWidth, height);
                    place(field, rect.left() + fieldLeft, top, rect.width() - fieldLeft, height);
                }
                continue;
            }
            // Too wide beside its label, or alone: each on a line of its own.
            for (QLayoutItem* item : {label, field}) {
                if (!present(item))
                    continue;
                const int height = item->sizeHint().height();
                const int top = line(height);
                if (placing)
                    place(item, rect.left(), top, rect.width(), height);
            }
        }
    }
    return y - rect.top();
}

int FieldRowsLayout::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const int inner = width - margins.left() - margins.right();
    return arrange(QRect(0, 0, inner, 0), false) + margins.top() + margins.bottom();
}

QSize FieldRowsLayout::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int width = gridWidth() + margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

QSize FieldRowsLayout::minimumSize() const
{
    int width = 0;
    for (const QLayoutItem* item : items_) {
        if (present(item))
            width = std::max(width, stretches(item) ? item->minimumSize().width() : item->sizeHint().width());
    }
    const QMargins margins = contentsMargins();
    width += margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

void FieldRowsLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(contentsRect(), true);
}
