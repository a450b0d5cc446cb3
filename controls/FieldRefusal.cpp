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
    stopWatching();
    for (QWidget* holder = &field_; holder; holder = holder->isWindow() ? nullptr : holder->parentWidget()) {
        holder->installEventFilter(this);
        watched_.emplace_back(holder);
    }
    label_->show();
    label_->raise();
}

void FieldRefusal::hideMessage()
{
    stopWatching();
    label_->hide();
}

QString FieldRefusal::shownMessage() const
{
    return label_->isVisible() ? label_->text() : QString();
}

bool FieldRefusal::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        if (watched == &field_)
            hideMessage();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
    case QEvent::Close:
    case QEvent::WindowDeactivate:
        hideMessage();
        break;
    default:
        break;
    }
    return false;
}

void FieldRefusal::stopWatching()
{
    for (const QPointer<QWidget>& holder : watched_) {
        if (holder)
            holder->removeEventFilter(this);
    }
    watched_.clear();
}
