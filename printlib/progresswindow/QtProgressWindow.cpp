// The progress window drawn with Qt Widgets, for callers that run a Qt GUI application. The
// library loads this plugin only in such processes and reaches it only through
// ProgressWindowPlugin.h.

#include "ProgressWindowPlugin.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Texts of the window and its button; the status and count lines come from the job.
constexpr char16_t kCancelText[] = u"Отмена";

class ProgressWindow {
public:
    explicit ProgressWindow(QWidget* owner) : dialog_(owner)
    {
        dialog_.setObjectName(QStringLiteral("ORVEXPDOCeProgress"));
        dialog_.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
        dialog_.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
        status_.setObjectName(QStringLiteral("status"));
        count_.setObjectName(QStringLiteral("count"));
        cancel_.setObjectName(QStringLiteral("cancel"));
        cancel_.setText(QString::fromUtf16(kCancelText));
        for (QLabel* line : {&status_, &count_}) {
            line->setAlignment(Qt::AlignCenter);
            line->setMinimumWidth(260);
        }
        auto* layout = new QVBoxLayout(&dialog_);
        layout->addWidget(&status_);
        layout->addWidget(&count_);
        layout->addWidget(&cancel_, 0, Qt::AlignHCenter);
        // The button, Esc and the window's close button all ask to cancel; the window stays
        // until the job has stopped.
        QObject::connect(&cancel_, &QPushButton::clicked, &dialog_, [this] { cancelRequested_ = true; });
        QObject::connect(&dialog_, &QDialog::rejected, &dialog_, [this] {
            cancelRequested_ = true;
            dialog_.show();
        });
        dialog_.show();
        QCoreApplication::processEvents();
    }

    void setTitle(const QString& title) { dialog_.setWindowTitle(title); }
    void setStatus(const QString& status) { status_.setText(status); }
    void setCount(const QString& count) { count_.setText(count); }
    bool cancelRequested()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return cancelRequested_;
    }
    void close() { dialog_.hide(); }

private:
    // The layout's children are owned by the dialog; these are destroyed before it, in reverse
    // order, which takes them out of it first.
    QDialog dialog_;
    QLabel status_{&dialog_};
    QLabel count_{&dialog_};
    QPushButton cancel_{&dialog_};
    bool cancelRequested_ = false;
};

QWidget* ownerWidget(intptr_t ownerWindow)
{
    if (ownerWindow == 0)
        return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->internalWinId() == static_cast<WId>(ownerWindow))
            return widget;
    return nullptr;
}

QString text(const char16_t* text, size_t length)
{
    return QString::fromUtf16(text, static_cast<qsizetype>(length));
}

ProgressWindow* windowOf(void* window)
{
    return static_cast<ProgressWindow*>(window);
}

void* openWindow(intptr_t ownerWindow)
{
    try {
        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!application || QThread::currentThread() != application->thread())
            return nullptr;
        return new ProgressWindow(ownerWidget(ownerWindow));
    } catch (...) {
        return nullptr;
    }
}

void showTitle(void* window, const char16_t* title, size_t length)
{
    windowOf(window)->setTitle(text(title, length));
}

void showStatus(void* window, const char16_t* status, size_t length)
{
    windowOf(window)->setStatus(text(status, length));
}

void showCount(void* window, const char16_t* count, size_t length)
{
    windowOf(window)->setCount(text(count, length));
}

int cancelRequested(void* window)
{
    return windowOf(window)->cancelRequested() ? 1 : 0;
}

void closeWindow(void* window)
{
    windowOf(window)->close();
    delete windowOf(window);
}

constexpr ProgressWindowApi kApi = {ORVEXPDOC_PROGRESS_WINDOW_API_VERSION, openWindow, showTitle, showStatus,
                                    showCount, cancelRequested, closeWindow};

} // namespace

extern "C" __attribute__((visibility("default"))) const ProgressWindowApi* ORVEXPDOCeProgressWindowApi(void)
{
    return &kApi;
}
