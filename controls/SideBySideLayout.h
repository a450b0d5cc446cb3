#pragma once

#include <QLayout>
#include <QList>

#include <algorithm>

// Lays its items out side by side where its width holds them all, else one under the other, so
// that a narrow window scrolls the page down instead of sideways. Each item gets its preferred
// height, aligned to the top; extra width is shared out equally.
class SideBySideLayout : public QLayout {
public:
    explicit SideBySideLayout(int gap);
    ~SideBySideLayout() override;

    void addLayout(QLayout* layout);

    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }

    // The widest item fits; the height the width needs comes from heightForWidth.
    QSize minimumSize() const override;
    QSize sizeHint() const override { return {sideBySideWidth(), heightForWidth(sideBySideWidth())}; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    int gaps() const { return spacing() * std::max(0, int(items_.size()) - 1); }
    int sideBySideWidth() const;

    QList<QLayoutItem*> items_;
};
