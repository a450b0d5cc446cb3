#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;

// Results of the check dialogs.
enum CheckAnswer : int {
    CheckClosed = 2,  // the close box or Esc, where the dialog offers a way to go on
    CheckFix = 6,     // "Исправить"
    CheckSkip = 7,    // "Пропустить"; "Отмена" of the whole-declaration check
    CheckSkipAll = 9, // "Пропустить все"
};

// What both check dialogs share: a framed panel with a warning picture and the message, and the
// answer buttons beside it. Each button ends the dialog with its result.
class CheckDialog : public QDialog {
    Q_OBJECT

public:
    // Shows the dialog modally; while an answerer is set it answers instead.
    int exec() override;
    // The close box and Esc.
    void reject() override;

    QString message() const;
    // True when the button with this result exists and can be pressed.
    bool isAnswerEnabled(int result) const;

    // Tests answer the check dialogs through here: the answerer gets the dialog as it would be
    // shown and returns a button's result or CheckClosed. Naming a disabled button counts as
    // closing the dialog. An empty answerer shows the dialogs again.
    using Answerer = std::function<int(const CheckDialog&)>;
    static void setAnswerer(Answerer answerer);

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* lbMessage;

protected:
    CheckDialog(QWidget* owner, int clientHeight, int messageHeight);

    QPushButton* addButton(const char* name, const QString& caption, int result);
    void setSectionCaption(const QString& section);
    void setMessageText(const QString& text);

    // What closing the dialog stands for.
    virtual int closedResult() const { return CheckClosed; }

private:
    QVBoxLayout* buttonColumn_;
    std::vector<std::pair<int, QPushButton*>> buttons_;
};

// The check of one page or input dialog: shows one failed rule at a time and lets the user fix
// it (CheckFix), go on with the next rule (CheckSkip) or leave the rest unchecked (CheckSkipAll).
class TfmCheckError : public CheckDialog {
    Q_OBJECT

public:
    explicit TfmCheckError(QWidget* owner);

    // The caption becomes "Проверка: " and the section's name.
    void SetTitle(const QString& section);
    void SetMessage(const QString& text);

    QPushButton* Button1; // "Исправить"
    QPushButton* Button2; // "Пропустить"
    QPushButton* Button3; // "Пропустить все"

protected:
    // Without "Пропустить" the rule cannot be passed by, so closing means fixing it.
    int closedResult() const override;
};

// The whole-declaration check: the failed rule can be fixed or the check cancelled.
class TfmCheckAllError : public CheckDialog {
    Q_OBJECT

public:
    explicit TfmCheckAllError(QWidget* owner);

    // The caption becomes "Проверка: " and the section's name.
    void SetPage(const QString& section);
    void SetMessage(const QString& text);

    QPushButton* Button1; // "Исправить"
    QPushButton* Button2; // "Отмена"
};
