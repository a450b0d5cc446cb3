#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

// A short message under a field saying why the user's last edit was not taken. It stands in a
// small window of its own, so that no layout or scroll area clips it, and goes when the field
// loses the focus or is hidden, or when the field's window moves, changes size or closes.
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
    QWidget& field_;
    QLabel* label_;
    // The field's window as it was when the message was shown; the page may be moved to another.
    QPointer<QWidget> watchedWindow_;
};
