#include "controls/RadioGroupTabbing.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

namespace {

// Marks a button whose Tab stop this keeps, and the focus policy it was given.
constexpr char OwnPolicyProperty[] = "radioGroupTabbingPolicy";

QList<QAbstractButton*> groupOf(QRadioButton* button)
{
    if (QButtonGroup* group = button->group())
        return group->exclusive() ? group->buttons() : QList<QAbstractButton*>{};
    QList<QAbstractButton*> members;
    if (!button->autoExclusive() || !button->parentWidget())
        return members;
    for (QRadioButton* sibling : button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->autoExclusive() && !sibling->group())
            members << sibling;
    }
    return members;
}

bool isReachable(const QAbstractButton* button)
{
    return button->isEnabled() && !button->isHidden();
}

void updateTabStop(QRadioButton* anyMember)
{
    QList<QAbstractButton*> members = groupOf(anyMember);
    // A button the page made no Tab stop of its own stays so.
    members.removeIf([](QAbstractButton* member) {
        return !member->property(OwnPolicyProperty).isValid() && !(member->focusPolicy() & Qt::TabFocus);
    });
    if (members.isEmpty())
        return;
    std::stable_sort(members.begin(), members.end(), [](const QAbstractButton* a, const QAbstractButton* b) {
        const QPoint at = a->mapTo(a->window(), QPoint());
        const QPoint bt = b->mapTo(b->window(), QPoint());
        return at.y() != bt.y() ? at.y() < bt.y() : at.x() < bt.x();
    });
    QAbstractButton* stop = nullptr;
    for (QAbstractButton* member : members) {
        if (member->isChecked() && isReachable(member))
            stop = member;
    }
    if (!stop) {
        const auto first = std::find_if(members.begin(), members.end(), isReachable);
        stop = first == members.end() ? nullptr : *first;
    }
    for (QAbstractButton* member : members) {
        QVariant own = member->property(OwnPolicyProperty);
        if (!own.isValid()) {
            own = static_cast<int>(member->focusPolicy());
            member->setProperty(OwnPolicyProperty, own);
        }
        const auto policy = static_cast<Qt::FocusPolicy>(own.toInt());
        member->setFocusPolicy(member == stop ? policy : static_cast<Qt::FocusPolicy>(policy & ~Qt::TabFocus));
    }
}

class RadioGroupTabbing : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::EnabledChange:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ParentChange:
            if (auto* button = qobject_cast<QRadioButton*>(watched)) {
                follow(button);
                updateTabStop(button);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void follow(QRadioButton* button)
    {
        if (button->property(FollowedProperty).toBool())
            return;
        button->setProperty(FollowedProperty, true);
        connect(button, &QAbstractButton::toggled, button, [button] { updateTabStop(button); });
    }

    static constexpr char FollowedProperty[] = "radioGroupTabbingFollowed";
};

} // namespace

void installRadioGroupTabbing(QApplication& application)
{
    static constexpr char InstalledProperty[] = "radioGroupTabbingInstalled";
    if (application.property(InstalledProperty).toBool())
        return;
    application.setProperty(InstalledProperty, true);
    application.installEventFilter(new RadioGroupTabbing(&application));
}
