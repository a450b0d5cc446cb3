#pragma once

#include <array>
#include <initializer_list>
#include <vector>

#include <QLayout>
#include <QList>

// Rows of fields, each a label and its field, one or two pairs to a row. Where the width holds
// them the rows stand as a grid of four columns, label, field, label, field, lined up from row
// to row; a field with no cell to its right reaches to the next field of its row or to the end.
// In a narrower width every pair takes a row of its own, and a field too wide to stand beside
// its label goes under it, so that a narrow window scrolls the page down instead of sideways.
class FieldRowsLayout : public QLayout {
public:
    FieldRowsLayout();
    ~FieldRowsLayout() override;

    // Up to four cells: label, field, label, field. nullptr leaves a cell empty; a field without
    // a label starts at the label's column.
    void addRow(std::initializer_list<QWidget*> cells);
    // A column at least this wide in the grid, so that groups of fields can line up.
    void setColumnMinimumWidth(int column, int width);

    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    using Row = std::array<QLayoutItem*, 4>;

    // The width of the grid's column, and the width the grid needs.
    int columnWidth(int column) const;
    int gridWidth() const;
    // Where each column of the grid begins, and past the last one where a fifth would begin.
    std::array<int, 5> columnLefts() const;
    // Lays the rows out in `rect` when `place`, and gives the height they take.
    int arrange(const QRect& rect, bool place) const;
    int arrangeGrid(const QRect& rect, bool place) const;
    int arrangeNarrow(const QRect& rect, bool place) const;
    int horizontalGap() const;
    int verticalGap() const;

    QList<QLayoutItem*> items_;
    std::vector<Row> rows_;
    std::array<int, 4> minimumWidths_{};
};
