#include "controls/FlashButton.h"

#include <algorithm>

#include <QAction>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace {

// The button's colours as the designer picked them.
const QColor DefaultFieldSelected(0xB0, 0xBC, 0xD0);
const QColor DefaultFieldActive(0xD0, 0xD4, 0xD8);
const QColor DefaultFieldActiveSelected(0x84, 0x92, 0xB5);
const QColor DefaultBevel(0x08, 0x24, 0x66);

constexpr int HoverCheckMilliseconds = 100;

} // namespace

TFlashButton::TFlashButton(QWidget* parent)
    : QWidget(parent),
      fieldSelectedColor_(DefaultFieldSelected),
      fieldActiveColor_(DefaultFieldActive),
      fieldActiveSelected_(DefaultFieldActiveSelected),
      bevelSelectedColor_(DefaultBevel),
      bevelActiveColor_(DefaultBevel),
      hoverCheck_(new QTimer(this))
{
    resize(23, 22);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    // The toolkit may lose the leave event when a menu or a modal dialog closes over the button,
    // which would leave it lit; so while the mouse counts as inside, the button looks for it.
    hoverCheck_->setInterval(HoverCheckMilliseconds);
    connect(hoverCheck_, &QTimer::timeout, this, [this] {
        if (!dragging_)
            trackCursor();
    });
}

QColor TFlashButton::fieldNormalColor() const
{
    return fieldNormalColor_.isValid() ? fieldNormalColor_ : palette().color(QPalette::Button);
}

void TFlashButton::setFieldNormalColor(const QColor& color)
{
    fieldNormalColor_ = color;
    update();
}

void TFlashButton::setAction(QAction* action)
{
    if (action_)
        disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (!action_)
        return;
    connect(action_, &QAction::changed, this, &TFlashButton::updateFromAction);
    captionLinked_ = true;
    updateFromAction();
}

void TFlashButton::updateFromAction()
{
    if (captionLinked_)
        setCaption(action_->text());
    setToolTip(action_->toolTip());
    setEnabled(action_->isEnabled());
    if (glyph_.isNull() && !action_->icon().isNull()) {
        const QList<QSize> sizes = action_->icon().availableSizes();
        setGlyph(action_->icon().pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.first()));
    }
}

void TFlashButton::setAllowAllUp(bool value)
{
    allowAllUp_ = value;
    releaseGroupSiblings();
}

void TFlashButton::setGroupIndex(int value)
{
    groupIndex_ = value;
    releaseGroupSiblings();
    updateGroupTabStops();
}

void TFlashButton::setDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_ || (down_ && !allowAllUp_))
        return;
    down_ = value;
    state_ = down_ ? DrawState::Exclusive : DrawState::Up;
    if (down_)
        releaseGroupSiblings();
    updateGroupTabStops();
    update();
}

QList<TFlashButton*> TFlashButton::groupMembers() const
{
    QList<TFlashButton*> members;
    if (groupIndex_ == 0 || !parentWidget())
        return members;
    for (TFlashButton* sibling : parentWidget()->findChildren<TFlashButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->groupIndex_ == groupIndex_)
            members << sibling;
    }
    return members;
}

void TFlashButton::updateGroupTabStops()
{
    // As a group of radio buttons: Tab stops at the button that is down, the arrows reach the
    // others; a group with no button down is walked button by button.
    const QList<TFlashButton*> members = groupMembers();
    const bool anyDown =
        std::any_of(members.begin(), members.end(), [](const TFlashButton* member) { return member->down_; });
    for (TFlashButton* member : members)
        member->setFocusPolicy(!anyDown || member->down_ ? Qt::TabFocus : Qt::NoFocus);
}

void TFlashButton::releaseGroupSiblings()
{
    for (TFlashButton* sibling : groupMembers()) {
        if (sibling == this)
            continue;
        if (down_ && sibling->down_) {
            sibling->down_ = false;
            sibling->state_ = DrawState::Up;
            sibling->update();
        }
        sibling->allowAllUp_ = allowAllUp_;
    }
}

void TFlashButton::setCaption(const QString& caption)
{
    captionLinked_ = action_ && caption == action_->text();
    if (caption == caption_)
        return;
    caption_ = caption;
    updateAccelerator();
    update();
}

void TFlashButton::updateAccelerator()
{
    if (acceleratorId_ != 0) {
        releaseShortcut(acceleratorId_);
        acceleratorId_ = 0;
    }
    const QKeySequence accelerator = QKeySequence::mnemonic(caption_);
    if (!accelerator.isEmpty())
        acceleratorId_ = grabShortcut(accelerator);
}

void TFlashButton::setGlyph(const QPixmap& glyph)
{
    glyph_ = glyph;
    update();
}

void TFlashButton::setNumGlyphs(int value)
{
    if (value < 1)
        return;
    numGlyphs_ = std::min(value, 5);
    update();
}

void TFlashButton::setGlyphLayout(GlyphLayout value)
{
    glyphLayout_ = value;
    update();
}

void TFlashButton::setMargin(int value)
{
    if (value < -1)
        return;
    margin_ = value;
    update();
}

void TFlashButton::setSpacing(int value)
{
    spacing_ = value;
    update();
}

void TFlashButton::click()
{
    emit clicked();
    if (action_)
        action_->trigger();
}

bool TFlashButton::isInside(const QPoint& pos) const
{
    // The bottom row counts as inside, as it always has for these buttons.
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

bool TFlashButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
            click();
        return true;
    }
    return QWidget::event(event);
}

void TFlashButton::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!isEnabled() || event->isAutoRepeat())
            break;
        // As a click of the mouse: a button of a group goes down, or toggles where all may be up.
        if (groupIndex_ != 0)
            setDown(!down_);
        click();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (groupIndex_ == 0) {
            event->ignore();
            return;
        }
        const QList<TFlashButton*> group = groupInScreenOrder();
        const qsizetype at = group.indexOf(this);
        if (group.size() < 2 || at < 0)
            break;
        const bool forward = event->key() == Qt::Key_Down || event->key() == Qt::Key_Right;
        const qsizetype next = (at + (forward ? 1 : group.size() - 1)) % group.size();
        group[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        break;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QList<TFlashButton*> TFlashButton::groupInScreenOrder() const
{
    QList<TFlashButton*> group = groupMembers();
    group.removeIf([](const TFlashButton* member) { return !member->isEnabled() || !member->isVisible(); });
    std::stable_sort(group.begin(), group.end(), [](const TFlashButton* a, const TFlashButton* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    return group;
}

void TFlashButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TFlashButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TFlashButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (mouseInControl_ || !isEnabled() || dragging_)
        return;
    setMouseInControl(true);
    if (state_ == DrawState::Up)
        state_ = DrawState::MouseOver;
    update();
}

void TFlashButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!mouseInControl_ || !isEnabled() || dragging_)
        return;
    setMouseInControl(false);
    if (state_ == DrawState::MouseOver)
        state_ = DrawState::Up;
    update();
}

void TFlashButton::press()
{
    if (!isEnabled())
        return;
    if (!down_)
        state_ = DrawState::Pressed;
    dragging_ = true;
    update();
}

void TFlashButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        press();
    QWidget::mousePressEvent(event);
}

void TFlashButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click presses the button like the first.
    if (event->button() == Qt::LeftButton) {
        press();
        if (down_)
            emit doubleClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TFlashButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (!dragging_)
        return;
    const DrawState newState = down_ ? DrawState::Exclusive
                               : isInside(event->position().toPoint()) ? DrawState::Pressed
                                                                        : DrawState::Up;
    if (newState != state_) {
        state_ = newState;
        update();
    }
}

void TFlashButton::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    const QPoint pos = event->position().toPoint();
    const bool inside = isInside(pos);
    if (groupIndex_ == 0) {
        state_ = DrawState::Up;
        setMouseInControl(false);
    } else if (inside) {
        setDown(!down_);
        if (down_)
            state_ = DrawState::Exclusive;
    } else if (down_) {
        state_ = DrawState::Exclusive;
    } else {
        state_ = DrawState::Up;
    }
    update();
    QPointer<TFlashButton> self(this);
    if (inside)
        click();
    // A click may switch pages and free the button's owner, or open a dialog during which the
    // mouse went elsewhere.
    if (self)
        trackCursor();
}

void TFlashButton::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    trackHover({-1, -1});
}

void TFlashButton::setMouseInControl(bool inside)
{
    mouseInControl_ = inside;
    if (inside)
        hoverCheck_->start();
    else
        hoverCheck_->stop();
}

void TFlashButton::trackCursor()
{
    trackHover(mapFromGlobal(QCursor::pos()));
}

void TFlashButton::trackHover(const QPoint& pos)
{
    const bool wasInside = mouseInControl_;
    const DrawState wasState = state_;
    setMouseInControl(isEnabled() && rect().contains(pos));
    if (mouseInControl_ && state_ == DrawState::Up)
        state_ = DrawState::MouseOver;
    else if (!mouseInControl_ && state_ == DrawState::MouseOver)
        state_ = DrawState::Up;
    // A down button's fill also depends on the mouse.
    if (mouseInControl_ != wasInside || state_ != wasState)
        update();
}

void TFlashButton::syncEnabledState()
{
    if (!isEnabled()) {
        state_ = DrawState::Disabled;
        dragging_ = false;
    } else if (state_ == DrawState::Disabled) {
        state_ = down_ && groupIndex_ != 0 ? DrawState::Exclusive : DrawState::Up;
    }
}

void TFlashButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        syncEnabledState();
        if (isEnabled())
            trackCursor();
        else
            setMouseInControl(false);
        update();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

QPixmap TFlashButton::glyphImage(DrawState state) const
{
    if (glyph_.isNull())
        return {};
    const int width = glyph_.width() / numGlyphs_;
    const int index = static_cast<int>(state);
    const auto slice = [&](int i) { return glyph_.copy(i * width, 0, width, glyph_.height()); };
    if (index < numGlyphs_)
        return slice(index);
    if (state == DrawState::Disabled) {
        QStyleOption option;
        option.initFrom(this);
        return style()->generatedIconPixmap(QIcon::Disabled, slice(0), &option);
    }
    return slice(0);
}

void TFlashButton::paintEvent(QPaintEvent*)
{
    syncEnabledState();
    QPainter painter(this);
    const QRect area = rect();
    const bool lit = state_ == DrawState::Pressed || state_ == DrawState::Exclusive || state_ == DrawState::MouseOver;
    if (lit) {
        const bool held = state_ != DrawState::MouseOver;
        const QColor frame = held ? bevelActiveColor_ : bevelSelectedColor_;
        const QColor fill = !held ? fieldSelectedColor_ : mouseInControl_ ? fieldActiveSelected_ : fieldActiveColor_;
        painter.fillRect(area, frame);
        painter.fillRect(area.adjusted(1, 1, -1, -1), fill);
    } else {
        painter.fillRect(area, fieldNormalColor());
    }
    paintContent(painter, area);
    if (hasFocus()) {
        // Inside the lit frame, so that the button keeps its look around it.
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = fieldNormalColor();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TFlashButton::paintContent(QPainter& painter, const QRect& area)
{
    const QPixmap image = glyphImage(state_);
    const qreal ratio = image.devicePixelRatio();
    const QSize glyphSize = image.isNull() ? QSize() : (QSizeF(image.size()) / ratio).toSize();
    const bool vertical = glyphLayout_ == GlyphLayout::GlyphTop || glyphLayout_ == GlyphLayout::GlyphBottom;
    constexpr int textFlags = Qt::TextShowMnemonic | Qt::TextWordWrap;

    // Vertical layouts wrap a long caption to the button's width.
    const QRect textLimit = vertical ? QRect(0, 0, area.width() - 4, area.height()) : QRect(0, 0, 10000, area.height());
    const QSize textSize = caption_.isEmpty()
        ? QSize()
        : painter.fontMetrics().boundingRect(textLimit, vertical ? textFlags : Qt::TextShowMnemonic, caption_).size();

    const int client = vertical ? area.height() : area.width();
    const int glyphExtent = vertical ? glyphSize.height() : glyphSize.width();
    const int textExtent = vertical ? textSize.height() : textSize.width();
    int spacing = (image.isNull() || caption_.isEmpty()) ? 0 : spacing_;
    int margin = margin_;
    if (margin == -1) {
        if (spacing == -1) {
            spacing = (client - glyphExtent - textExtent) / 3;
            margin = spacing;
        } else {
            margin = (client - glyphExtent - spacing - textExtent + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (client - margin - glyphExtent - textExtent) / 2;
    }

    QPoint glyphAt;
    QRect textRect(QPoint(), textSize);
    switch (glyphLayout_) {
    case GlyphLayout::GlyphLeft:
        glyphAt = {area.left() + margin, area.center().y() - glyphSize.height() / 2};
        textRect.moveTo(glyphAt.x() + glyphSize.width() + spacing, area.center().y() - textSize.height() / 2);
        break;
    case GlyphLayout::GlyphRight:
        glyphAt = {area.right() + 1 - margin - glyphSize.width(), area.center().y() - glyphSize.height() / 2};
        textRect.moveTo(glyphAt.x() - spacing - textSize.width(), area.center().y() - textSize.height() / 2);
        break;
    case GlyphLayout::GlyphTop:
        glyphAt = {area.center().x() - glyphSize.width() / 2 + 1, area.top() + margin};
        textRect.moveTo(area.center().x() - textSize.width() / 2 + 1, glyphAt.y() + glyphSize.height() + spacing);
        break;
    case GlyphLayout::GlyphBottom:
        glyphAt = {area.center().x() - glyphSize.width() / 2 + 1, area.bottom() + 1 - margin - glyphSize.height()};
        textRect.moveTo(area.center().x() - textSize.width() / 2 + 1, glyphAt.y() - spacing - textSize.height());
        break;
    }

    if (!image.isNull())
        painter.drawPixmap(glyphAt, image);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(textRect, Qt::AlignCenter | (vertical ? textFlags : Qt::TextShowMnemonic), caption_);
    }
}
