#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// What the income and deduction pickers share: a list of codes and names of the dictionary, a
// hint line under it that shows the chosen row, and "Да" and "Нет". Enter, "Да" and a double
// click on a row choose; Esc, "Нет" and the close box cancel. Typing in the list jumps to the
// first row whose code begins with what was typed, and the chosen row is always in view.
class TDictionaryPicker : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Chosen = 1,
        Cancelled = 2,
    };

    void reject() override;

    QTreeWidget* list;
    QLabel* Label1; // the hint line
    QPushButton* bnYes;
    QPushButton* bnCansel;

protected:
    TDictionaryPicker(QWidget* owner, const char* name, const char* listName, const QString& nameHeading);

    // Adds a row; `data` is the index the subclass finds the row's entry by.
    void addRow(const QString& code, const QString& name, int data);
    // Selects and focuses the row at `rowIndex` when the list has rows.
    void preselectRow(int rowIndex);
    // The hint line's resting text, shown again whenever a passing hint is taken away.
    void setRestingHint(const QString& text);
    void restoreRestingHint();

    // The user moved to a row of the list.
    virtual void rowChosen(int data) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void currentRowChanged(QTreeWidgetItem* row);
    void searchTypedCode(const QString& typed);
    QTreeWidgetItem* firstRowWithCodeStarting(const QString& beginning) const;
    void showCurrentRow();

    QString restingHint_;
    // What was typed in the list so far, and when the last key came: a pause starts anew.
    QString typedCode_;
    QElapsedTimer lastTyped_;
};
