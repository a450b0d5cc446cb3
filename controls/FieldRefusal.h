#pragma once

#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

// A short message under a field saying why the user's last edit was not taken. It stands in a
// small window of its own, so that no layout or scroll area clips it, and goes when the field
// loses the focus or is hidden, or when the field or anything holding it moves, changes size or
// closes (a page scrolled, a window moved).
class FieldRefusal : public QObject {
public:
    explicit FieldRefusal(QWidget& field);

    void showMessage(const QString& message);
    void hideMessage();
    // The message while it shows; empty otherwise.
    QString shownMessage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stopWatching();

    QWidget& field_;
    QLabel* label_;
    // The field and what holds it, up to its window, while the message shows.
    std::vector<QPointer<QWidget>> watched_;
};
