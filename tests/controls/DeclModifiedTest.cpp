#include "controls/DeclModified.h"

#include <QObject>

#include <gtest/gtest.h>

namespace {

class Receiver : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != DeclModifiedEvent::EventType)
            return QObject::event(event);
        ++received;
        return true;
    }
    int received = 0;
};

TEST(DeclModifiedTest, ReceiverHandlesTheNotificationBeforeSendReturns)
{
    Receiver receiver;
    setDeclModifiedReceiver(&receiver);
    sendDeclModified();
    EXPECT_EQ(receiver.received, 1);
    setDeclModifiedReceiver(nullptr);
}

TEST(DeclModifiedTest, WithoutReceiverNothingIsSent)
{
    setDeclModifiedReceiver(nullptr);
    sendDeclModified(); // must simply do nothing
    EXPECT_EQ(declModifiedReceiver(), nullptr);
}

TEST(DeclModifiedTest, ReceiverThatGoesAwayIsForgotten)
{
    {
        Receiver receiver;
        setDeclModifiedReceiver(&receiver);
    }
    EXPECT_EQ(declModifiedReceiver(), nullptr);
    sendDeclModified();
}

TEST(DeclModifiedTest, PageLoadingScopesNest)
{
    EXPECT_FALSE(isPageLoading());
    {
        const PageLoadingScope outer;
        {
            const PageLoadingScope inner;
            EXPECT_TRUE(isPageLoading());
        }
        EXPECT_TRUE(isPageLoading()) << "a nested page built inside a page keeps the outer one loading";
    }
    EXPECT_FALSE(isPageLoading());
}

} // namespace
