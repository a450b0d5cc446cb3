#include "controls/VisualTabOrder.h"

#include "controls/ItemList.h"

#include <algorithm>

#include <QEvent>
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>

namespace {

struct Placed {
    QWidget* widget;
    QRect rect;
};

// Orders the area's controls again once its layout has placed them; many layout events in a row
// make one reordering.
class VisualTabOrder : public QObject {
public:
    explicit VisualTabOrder(QWidget* area) : QObject(area), area_(area) { area->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::LayoutRequest:
            schedule();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void schedule()
    {
        if (pending_)
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                reorder();
            },
            Qt::QueuedConnection);
    }

    void reorder()
    {
        if (!area_)
            return;
        const QList<QWidget*> order = visualFocusOrder(area_);
        for (qsizetype i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }

    QPointer<QWidget> area_;
    bool pending_ = false;
};

} // namespace

QList<QWidget*> visualFocusOrder(QWidget* area)
{
    std::vector<Placed> placed;
    for (QWidget* widget : area->findChildren<QWidget*>()) {
        // Radio buttons a group keeps out of the Tab order still take their place in it, for the
        // day they are checked.
        if (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy() || !widget->isVisibleTo(area))
            continue;
        placed.push_back({widget, QRect(widget->mapTo(area, QPoint()), widget->size())});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top() : a.rect.left() < b.rect.left();
    });
    QList<QWidget*> order;
    for (auto rowStart = placed.begin(); rowStart != placed.end();) {
        // A control is on the row when its middle is within the height of the row's first.
        const QRect first = rowStart->rect;
        const auto rowEnd = std::find_if(rowStart, placed.end(), [&first](const Placed& p) {
            return p.rect.center().y() > first.bottom();
        });
        std::stable_sort(rowStart, rowEnd, [](const Placed& a, const Placed& b) { return a.rect.left() < b.rect.left(); });
        for (auto it = rowStart; it != rowEnd; ++it)
            order << it->widget;
        rowStart = rowEnd;
    }
    // A list's command buttons follow the list wherever they stand.
    for (qsizetype i = 0; i < order.size(); ++i) {
        auto* list = qobject_cast<QTreeWidget*>(order[i]);
        if (!list)
            continue;
        for (QWidget* button : listCommandButtons(list)) {
            const qsizetype at = order.indexOf(button);
            if (at < 0)
                continue;
            order.removeAt(at);
            if (at < i)
                --i;
            order.insert(++i, button);
        }
    }
    return order;
}

void keepTabInVisualOrder(QWidget* area)
{
    new VisualTabOrder(area);
}
