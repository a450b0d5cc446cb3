#include "controls/DeclModified.h"

#include <gtest/gtest.h>

#include "tests/controls/DeclModifiedCounter.h"

namespace {

TEST(DeclModifiedTest, ReceiverHandlesTheNotificationBeforeSendReturns)
{
    DeclModifiedCounter receiver;
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
        DeclModifiedCounter receiver;
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
