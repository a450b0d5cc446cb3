#pragma once

#include <QDialog>
#include <QString>

struct ReferenceElement;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The list of currencies of the currency rate directory from which the foreign income page takes
// a payment's currency. The caller builds it with the code shown so far, shows it modally and on
// Chosen reads FCode() and FName().
class TfmInputCurrencyCode : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Chosen = 1,    // "Да", Enter or a double click on a row
        Cancelled = 2, // "Нет", Esc or the close box
    };

    // One row per currency of the directory, in its order. The last row with `code` is selected,
    // the first when none has it; an empty code is taken as "0", which no currency has.
    TfmInputCurrencyCode(QWidget* owner, const QString& code, const ReferenceElement& ratesRoot);

    // The selected row's code and name; before any row is selected the code given and no name.
    const QString& FCode() const { return code_; }
    const QString& FName() const { return name_; }

    void reject() override;

    QTreeWidget* lvCurrencys;
    QPushButton* bnYes;
    QPushButton* bnCansel;

private:
    void rowSelected(QTreeWidgetItem* row);

    QString code_;
    QString name_;
};
