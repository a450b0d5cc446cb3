#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include <QDialog>

class CheckRun;
class QHBoxLayout;
class QPushButton;

// A dialog for one item of a deduction's list. "Да" and Enter confirm it once its check passes;
// "Нет", Esc and the close box cancel it.
class TItemDialog : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Confirmed = 1, // "Да" or Enter, once the item's data pass the check
        Cancelled = 2, // "Нет", Esc or the close box
    };

    // Puts the focus on the control a failed check names.
    virtual void FocusError(std::uint16_t) {}

    void reject() override;

    QPushButton* bnOk = nullptr;
    QPushButton* bnCansel = nullptr;

protected:
    TItemDialog(QWidget* owner, const QString& name, const QString& title, QSize clientSize);

    // Makes "Да" and "Нет" and returns their row. Called after the fields are made, so that the
    // buttons close the tab order.
    QHBoxLayout* createButtons();

    // The check of "Да": 0 when the dialog may close, else the element the user is to fix.
    virtual std::uint16_t checkItem() { return 0; }

    // Faults of an item cannot be skipped: the user fixes them or cancels the dialog.
    static void forbidSkipping(CheckRun& run);
    // Puts the focus on the control paired with the code, if any.
    static void focusElement(std::uint16_t code, std::initializer_list<std::pair<std::uint16_t, QWidget*>> elements);

    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();
};
