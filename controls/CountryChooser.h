#pragma once

#include <cstdint>

#include <QDialog>
#include <QString>

struct ReferenceElement;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The list of countries from which the personal data page takes the citizenship and the foreign
// income dialog the source and crediting countries. The main window builds the one picker at
// start from the country directory; a caller presets a code and a mode, shows it modally and on
// Chosen reads FCode and FName.
class TfmGrazhd : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Chosen = 1,    // "Да", Enter or a double click on a row
        Cancelled = 2, // "Нет", Esc or the close box
    };

    // What the last row, the directory's special entry, is shown as.
    enum Mode : std::uint16_t {
        NoCitizenship = 1,        // "ДЛЯ ЛИЦ БЕЗ ГРАЖДАНСТВА"
        NotUsed = 2,              // "НЕ ИСПОЛЬЗУЕТСЯ"
        CashOrInKindPayment = 3,  // "ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ"
    };

    // One row for each child of the directory's root, in order: its Code attribute and its text.
    TfmGrazhd(QWidget* owner, const ReferenceElement& countriesRoot);

    // Presets the code and selects the first row that has exactly this code. Without such a row
    // nothing is selected, FCode stays the preset and FName keeps its previous value.
    void SelectByCode(const QString& code);
    // Applied when the picker is next shown; the last row keeps the name until another mode
    // replaces it.
    void SetMode(std::uint16_t mode);

    const QString& FCode() const { return code_; }
    const QString& FName() const { return name_; }

    // The close box and Esc.
    void reject() override;

    QTreeWidget* lvGrazhd;
    QPushButton* bnYes;
    QPushButton* bnCansel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rowSelected(QTreeWidgetItem* row);
    void showSpecialRowForMode();

    QString code_;
    QString name_;
    std::uint16_t mode_ = 0;
};
