#include "controls/SideBySideLayout.h"


SideBySideLayout::SideBySideLayout(int gap)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(gap);
}

SideBySideLayout::~SideBySideLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void SideBySideLayout::addLayout(QLayout* layout)
{
    addChildLayout(layout);
    addItem(layout);
}

QLayoutItem* SideBySideLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize SideBySideLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    return size;
}

int SideBySideLayout::heightForWidth(int width) const
{
    int height = 0;
    const bool sideBySide = width >= sideBySideWidth();
    for (const QLayoutItem* item : items_) {
        const int itemHeight = item->sizeHint().height();
        height = sideBySide ? std::max(height, itemHeight) : height + itemHeight;
    }
    return sideBySide ? height : height + gaps();
}

void SideBySideLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    if (items_.isEmpty())
        return;
    if (rect.width() >= sideBySideWidth()) {
        const int extra = (rect.width() - sideBySideWidth()) / int(items_.size());
        int x = rect.left();
        for (QLayoutItem* item : items_) {
            const QSize hint = item->sizeHint();
            item->setGeometry(QRect(x, rect.top(), hint.width() + extra, hint.height()));
            x += hint.width() + extra + spacing();
        }
    } else {
        int y = rect.top();
        for (QLayoutItem* item : items_) {
            const int height = item->sizeHint().height();
            item->setGeometry(QRect(rect.left(), y, rect.width(), height));
            y += height + spacing();
        }
    }
}

int SideBySideLayout::sideBySideWidth() const
{
    int width = gaps();
    for (const QLayoutItem* item : items_)
        width += item->sizeHint().width();
    return width;
}
