#include "controls/FieldRefusal.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QToolTip>

FieldRefusal::FieldRefusal(QWidget& field) : QObject(&field), field_(field), label_(new QLabel(&field, Qt::ToolTip))
{
    label_->setObjectName(QStringLiteral("fieldRefusal"));
    label_->setAttribute(Qt::WA_ShowWithoutActivating);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setTextFormat(Qt::PlainText);
    label_->setFrameStyle(QFrame::Box | QFrame::Plain);
    label_->setMargin(3);
    label_->setPalette(QToolTip::palette());
    label_->setFont(QToolTip::font());
    field_.installEventFilter(this);
}

void FieldRefusal::showMessage(const QString& message)
{
    label_->setText(message);
    label_->adjustSize();
    QPoint at = field_.mapToGlobal(QPoint(0, field_.height()));
    // Near the foot of the screen the message stands over the field instead.
    const QScreen* screen = field_.screen();
    if (screen && at.y() + label_->height() > screen->availableGeometry().bottom())
        at.setY(field_.mapToGlobal(QPoint(0, 0)).y() - label_->height());
    label_->move(at);
    if (watchedWindow_ != field_.window()) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = field_.window();
        watchedWindow_->installEventFilter(this);
    }
    label_->show();
    label_->raise();
}

void FieldRefusal::hideMessage()
{
    label_->hide();
}

QString FieldRefusal::shownMessage() const
{
    return label_->isVisible() ? label_->text() : QString();
}

bool FieldRefusal::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool fieldLeft = watched == &field_ && (type == QEvent::FocusOut || type == QEvent::Hide);
    const bool windowChanged = watched == watchedWindow_
                               && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Hide
                                   || type == QEvent::Close || type == QEvent::WindowDeactivate);
    if (fieldLeft || windowChanged)
        hideMessage();
    return false;
}
