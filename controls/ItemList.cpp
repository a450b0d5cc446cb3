#include "controls/ItemList.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTreeWidget>

#include "controls/FlashButton.h"

namespace {

constexpr int GlyphSize = 20;
constexpr int ButtonSize = 28;

// The keys of a list: Insert, Delete and Enter click its add, delete and edit buttons; Enter
// opens the row where the list has no edit button. One per list, whoever sets it up first.
class ListKeys : public QObject {
public:
    explicit ListKeys(QTreeWidget* list) : QObject(list) { list->installEventFilter(this); }

    static ListKeys* of(QTreeWidget* list)
    {
        const QObjectList all = list->children();
        for (QObject* child : all) {
            if (auto* keys = dynamic_cast<ListKeys*>(child))
                return keys;
        }
        return new ListKeys(list);
    }

    std::function<void()> open;
    QPointer<TFlashButton> add;
    QPointer<TFlashButton> remove;
    QPointer<TFlashButton> edit;
    QPointer<TFlashButton> copy;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        // Ctrl+Delete and the like are not the list's commands.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier))
            return QObject::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Insert:
            return clickIfPresent(add, key);
        case Qt::Key_Delete:
            return clickIfPresent(remove, key);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (edit)
                return clickIfPresent(edit, key);
            if (!open)
                return QObject::eventFilter(watched, event);
            open();
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    // Held down, a key would ask its question again and again.
    static bool clickIfPresent(TFlashButton* button, const QKeyEvent* key)
    {
        if (!button)
            return false;
        if (button->isEnabled() && !button->isHidden() && !key->isAutoRepeat())
            button->click();
        return true;
    }
};

// Follows the list's selection, rows and enabled state with the buttons of the selected row.
class RowButtons : public QObject {
public:
    RowButtons(QTreeWidget* list, const std::vector<QWidget*>& buttons, std::function<bool()> allowed)
        : QObject(list), list_(list), buttons_(buttons.begin(), buttons.end()), allowed_(std::move(allowed))
    {
        list->installEventFilter(this);
        connect(list, &QTreeWidget::itemSelectionChanged, this, &RowButtons::update);
        // Rows taken or cleared away may leave no selection without a selection signal.
        connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &RowButtons::update);
        connect(list->model(), &QAbstractItemModel::modelReset, this, &RowButtons::update);
        update();
    }

    void update()
    {
        const bool enabled = list_->isEnabled() && selectedRow(list_) >= 0 && (!allowed_ || allowed_());
        for (QWidget* button : buttons_) {
            if (button)
                button->setEnabled(enabled);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            update();
        return QObject::eventFilter(watched, event);
    }

private:
    QTreeWidget* list_;
    std::vector<QPointer<QWidget>> buttons_;
    std::function<bool()> allowed_;
};

// A list whose row buttons stop following it before it goes: its model, going after it, still
// tells of rows removed.
class ItemListWidget : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    ~ItemListWidget() override
    {
        const QObjectList all = children();
        for (QObject* child : all)
            delete dynamic_cast<RowButtons*>(child);
    }
};

void drawPlus(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x1E, 0x7B, 0x2E), 4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(10, 3), QPointF(10, 17));
    painter.drawLine(QPointF(3, 10), QPointF(17, 10));
}

void drawCross(QPainter& painter)
{
    painter.setPen(QPen(QColor(0xC0, 0x1E, 0x1E), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4.5, 4.5), QPointF(15.5, 15.5));
    painter.drawLine(QPointF(15.5, 4.5), QPointF(4.5, 15.5));
}

void drawPencil(QPainter& painter)
{
    // A pencil lying from the upper right to the lower left, its point at the bottom.
    QPainterPath body;
    body.moveTo(13.5, 2.5);
    body.lineTo(17.5, 6.5);
    body.lineTo(7, 17);
    body.lineTo(3, 13);
    body.closeSubpath();
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(QColor(0xF2, 0xB7, 0x2E));
    painter.drawPath(body);

    QPainterPath point;
    point.moveTo(3, 13);
    point.lineTo(7, 17);
    point.lineTo(2, 18);
    point.closeSubpath();
    painter.setBrush(QColor(0xF5, 0xDE, 0xB3));
    painter.drawPath(point);
    painter.drawLine(QPointF(11.5, 4.5), QPointF(15.5, 8.5));
}

// Two sheets, the front one lower right.
void drawCopy(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x30, 0x50, 0x90), 1.2));
    painter.setBrush(QColor(0xDD, 0xE6, 0xF5));
    painter.drawRect(QRectF(2.5, 2.5, 10, 12));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(7.5, 6.5, 10, 12));
    painter.drawLine(QPointF(9.5, 10.5), QPointF(15.5, 10.5));
    painter.drawLine(QPointF(9.5, 13.5), QPointF(15.5, 13.5));
}

QPixmap glyph(ItemAction action)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap image(QSize(GlyphSize, GlyphSize) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (action) {
    case ItemAction::Add:
        drawPlus(painter);
        break;
    case ItemAction::Delete:
        drawCross(painter);
        break;
    case ItemAction::Edit:
        drawPencil(painter);
        break;
    case ItemAction::Copy:
        drawCopy(painter);
        break;
    }
    return image;
}

} // namespace

QTreeWidget* createItemList(QWidget* parent, const QString& objectName, const QString& heading, int columnWidth)
{
    auto* list = new ItemListWidget(parent);
    list->setObjectName(objectName);
    list->setColumnCount(1);
    list->setHeaderLabels({heading});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsMovable(false);
    // The column fills a list wider than its own width.
    list->header()->setStretchLastSection(true);
    list->setMinimumWidth(columnWidth + 2 * list->frameWidth());
    list->setColumnWidth(0, columnWidth);
    return list;
}

int selectedRow(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.size() == 1 ? list->indexOfTopLevelItem(selected.front()) : -1;
}

void selectRow(QTreeWidget* list, int row)
{
    QTreeWidgetItem* item = row >= 0 ? list->topLevelItem(row) : nullptr;
    if (!item) {
        // Without a current row the list selects nothing when it gets the focus.
        list->setCurrentItem(nullptr);
        list->clearSelection();
        return;
    }
    list->setCurrentItem(item);
    item->setSelected(true);
    list->scrollToItem(item);
}

void onItemOpened(QTreeWidget* list, std::function<void()> open)
{
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, list, [open] { open(); });
    ListKeys::of(list)->open = std::move(open);
}

void bindListCommands(QTreeWidget* list, const ListCommands& commands)
{
    ListKeys* keys = ListKeys::of(list);
    keys->add = commands.add;
    keys->remove = commands.remove;
    keys->edit = commands.edit;
    keys->copy = commands.copy;
    QWidget* previous = list;
    for (TFlashButton* button : {commands.add, commands.remove, commands.edit, commands.copy}) {
        if (!button)
            continue;
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

QList<QWidget*> listCommandButtons(QTreeWidget* list)
{
    QList<QWidget*> buttons;
    for (QObject* child : list->children()) {
        if (auto* keys = dynamic_cast<ListKeys*>(child)) {
            for (TFlashButton* button : {keys->add.data(), keys->remove.data(), keys->edit.data(), keys->copy.data()}) {
                if (button)
                    buttons << button;
            }
        }
    }
    return buttons;
}

TFlashButton* createItemButton(QWidget* parent, const QString& objectName, ItemAction action, const QString& hint)
{
    auto* button = new TFlashButton(parent);
    button->setObjectName(objectName);
    button->setGlyph(glyph(action));
    button->setToolTip(hint);
    button->setFixedSize(ButtonSize, ButtonSize);
    return button;
}

std::function<void()> enableWithSelectedRow(QTreeWidget* list, std::vector<QWidget*> buttons,
                                            std::function<bool()> allowed)
{
    QPointer<RowButtons> follower = new RowButtons(list, buttons, std::move(allowed));
    return [follower] {
        if (follower)
            follower->update();
    };
}

void focusList(QTreeWidget* list)
{
    list->setFocus(Qt::OtherFocusReason);
    if (list->topLevelItemCount() > 0 && selectedRow(list) < 0)
        selectRow(list, 0);
}
