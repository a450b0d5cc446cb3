#pragma once

#include <cstdint>

#include <QDialog>
#include <QString>

class QKeyEvent;
class QPushButton;
class QTreeWidget;

// The list of identity-document kinds from which the personal data page takes the kind of the
// declarant's document. A row is chosen with a double click, Enter or "Да"; with no row selected
// nothing can be chosen.
class TfmDocType : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Chosen = 1,    // "Да", Enter or a double click on a row
        Cancelled = 2, // "Нет", Esc or the close box
    };

    // Selects the row of `code`; a code that is no row (0 among them) selects none.
    TfmDocType(QWidget* owner, std::uint16_t code);

    // Whether a row is selected; the chosen code and name are those of that row.
    bool hasChoice() const;
    // 0 and empty without a choice.
    std::uint16_t chosenCode() const;
    QString chosenName() const;

    // The close box and Esc.
    void reject() override;

    QTreeWidget* lvDocType;
    QPushButton* bnYes;
    QPushButton* bnCansel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void choose();
    void selectionChanged();
};
