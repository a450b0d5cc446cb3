#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
struct ReferenceElement;

// The chooser of the receiving tax office, built once at start from the tax-office directory
// and kept by the main window. Callers preset a code, show it modally and read the chosen code
// and name on result 1; result 2 is a cancel. Enter closes it with 1 and Esc with 2 wherever
// the focus is.
class TfmInputInspectionNumber : public QDialog {
    Q_OBJECT

public:
    enum Result { Chosen = 1, Cancelled = 2 };

    // One row per child of the directory's root: its `Code` attribute and its text.
    TfmInputInspectionNumber(QWidget* owner, const ReferenceElement& root);

    // Makes `code` the choice and selects the first row with that code. A code that no row has
    // leaves no row selected and no name chosen.
    void SelectByCode(const QString& code);

    // The choice; kept between showings.
    const QString& code() const { return FCode; }
    const QString& name() const { return FName; }
    // What Label1 shows for the choice: the code, three blanks and the name.
    const QString& choiceText() const { return choiceText_; }

    QTreeWidget* lvInspections;
    QFrame* Panel0;
    QLabel* Image1;
    QLabel* Label1;
    // Made in the order they stand, which Tab follows.
    QPushButton* Button1; // opens the import of a new directory
    QPushButton* bnYes;
    QPushButton* bnCansel;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void lvInspectionsSelectItem();
    void Button1Click();

    QString FCode;
    QString FName;
    QString choiceText_;
};
