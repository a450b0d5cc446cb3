#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

// A short explanation of a situation, shown by pages and commands, with an optional link to a
// page of the help. The caller creates it, sets the message, the link and its topic, shows
// it modally and frees it.
class TfmHelp : public QDialog {
    Q_OBJECT

public:
    explicit TfmHelp(QWidget* owner);

    void SetMessage(const QString& text);
    // Shows or hides the link to `Topic`. Without the help window (no main window) the link is shown
    // disabled, its hint saying why.
    void ShowLink(bool value);

    // The help topic that the link opens ("EditSOUN.htm").
    QString Topic;

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* lbMessage;
    QLabel* lbLink;
    QPushButton* bnOk;

    // Esc and the close box close the prompt as "Закрыть" does.
    void reject() override;
};

// Shows the prompt with `message` modally over `owner`, its link opening `topic`; without a topic
// there is no link. Pages show the prompt this way.
void execHelpPrompt(QWidget* owner, const QString& message, const QString& topic);
