#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/DeclModified.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/ThinkingFrame.h"

// Stands in for the main window: counts the notifications that arrive while no page is being
// built, which are the ones that mark the declaration as changed.
class UserEditCounter : public QObject {
public:
    UserEditCounter() { setDeclModifiedReceiver(this); }
    ~UserEditCounter() override { setDeclModifiedReceiver(nullptr); }

    bool event(QEvent* event) override
    {
        if (event->type() != DeclModifiedEvent::EventType)
            return QObject::event(event);
        if (!isPageLoading())
            ++userEdits;
        return true;
    }

    int userEdits = 0;
};

// A window with a container for one page, and the declaration slot pages read through.
struct PageWindow {
    PageWindow() : declaration(std::make_unique<mTDeclaration>())
    {
        declaration->SetIncomeKinds(IncomeKindSources);
        window.resize(900, 640);
        new QVBoxLayout(&window);
    }

    // Builds the page as the main window does: while pages are loading, filling the container.
    template <typename Page>
    Page* show()
    {
        Page* page = nullptr;
        {
            const PageLoadingScope loading;
            page = new Page(&window, declaration);
        }
        window.layout()->addWidget(page);
        window.show();
        return page;
    }

    DeclarationSlot declaration;
    QWidget window;
};

// Types into an edit as the user does: the edit's rules judge every key.
inline void typeInto(TMaskedEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// The texts of a list's rows, top to bottom.
inline QStringList rowCaptions(const QTreeWidget* list)
{
    QStringList captions;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        captions << list->topLevelItem(i)->text(0);
    return captions;
}

// Presses and releases the left button over the button, as a user's click.
inline void userClick(TFlashButton* button)
{
    const QPoint at(10, 10);
    QMouseEvent pressEvent(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(button, &pressEvent);
    QMouseEvent releaseEvent(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(button, &releaseEvent);
}

// Runs `answer` on the modal dialog of type Dialog once it is shown; records whether it was.
template <typename Dialog>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer) : answer_(std::move(answer))
    {
        QTimer::singleShot(0, &context_, [this] { poll(); });
    }

    bool shown = false;

private:
    void poll()
    {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            shown = true;
            answer_(*dialog);
            return;
        }
        if (++attempts_ < 50)
            QTimer::singleShot(10, &context_, [this] { poll(); });
    }

    // Timers still waiting end with the answer.
    QObject context_;
    std::function<void(Dialog&)> answer_;
    int attempts_ = 0;
};
