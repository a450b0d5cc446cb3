#pragma once

#include <QEvent>

class QObject;

// WM_DECL_MODIFIED: every edit of declaration data sends it, synchronously, to the window that
// keeps the declaration, which then counts the declaration as changed unless a page is being built.
class DeclModifiedEvent : public QEvent {
public:
    static constexpr QEvent::Type EventType = static_cast<QEvent::Type>(QEvent::User + 110);

    DeclModifiedEvent() : QEvent(EventType) {}
};

// The window that keeps the declaration; without one (nullptr) the notifications go nowhere.
void setDeclModifiedReceiver(QObject* receiver);
QObject* declModifiedReceiver();

// Delivers WM_DECL_MODIFIED; the receiver has handled it when this returns.
void sendDeclModified();

// Spans the creation and filling of a page: what the program writes into the controls then is
// not an edit of the user's. Scopes nest, so a page that builds a nested page stays covered.
class PageLoadingScope {
public:
    PageLoadingScope();
    ~PageLoadingScope();
    PageLoadingScope(const PageLoadingScope&) = delete;
    PageLoadingScope& operator=(const PageLoadingScope&) = delete;
};

bool isPageLoading();
