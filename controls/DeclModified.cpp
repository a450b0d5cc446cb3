#include "controls/DeclModified.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

QPointer<QObject>& receiverSlot()
{
    static QPointer<QObject> receiver;
    return receiver;
}

int pageLoadingDepth = 0;

} // namespace

void setDeclModifiedReceiver(QObject* receiver)
{
    receiverSlot() = receiver;
}

QObject* declModifiedReceiver()
{
    return receiverSlot().data();
}

void sendDeclModified()
{
    if (QObject* receiver = declModifiedReceiver()) {
        DeclModifiedEvent event;
        QCoreApplication::sendEvent(receiver, &event);
    }
}

PageLoadingScope::PageLoadingScope()
{
    ++pageLoadingDepth;
}

PageLoadingScope::~PageLoadingScope()
{
    --pageLoadingDepth;
}

bool isPageLoading()
{
    return pageLoadingDepth > 0;
}
