#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

class QWidget;

// Every modal message box of the program goes through here, so that tests can answer them.
class MessageBox {
public:
    struct Message {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    using Answerer = std::function<QMessageBox::StandardButton(const Message&)>;

    // Shows the box modally and returns the button the user chose.
    static QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // From now on messages are handed to `answerer` instead of being shown; an empty answerer
    // shows them again.
    static void setAnswerer(Answerer answerer);
};
