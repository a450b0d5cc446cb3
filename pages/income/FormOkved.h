#pragma once

#include <array>

#include <QDialog>

struct ReferenceElement;
class QComboBox;
class QLineEdit;
class QPushButton;

// Chooses an activity code from the activity-code directory through six cascading lists, one per
// level of the directory. A choice in one list fills every lower list with all the entries below
// the chosen one, level by level. On Chosen the code is edOKV's text.
class TFormOKVED : public QDialog {
    Q_OBJECT

public:
    enum Result : int {
        Chosen = 1,    // "Да" or Enter
        Cancelled = 2, // "Нет", Esc or the close box
    };
    static constexpr int LevelCount = 6;

    // `root` is the directory's document element; it must outlive the picker.
    TFormOKVED(QWidget* owner, const ReferenceElement& root);

    void reject() override;

    // ComboBox1 ... ComboBox6: level 1 (the top sections) to level 6.
    std::array<QComboBox*, LevelCount> levelLists;
    QLineEdit* edOKV = nullptr;
    QPushButton* bnYes = nullptr;
    QPushButton* bnCansel = nullptr;

private:
    // `level` counts from 1.
    void levelChosen(int level, int itemIndex);
    void clearLowerLevels(int level);
    void addEntry(QComboBox* list, int entryIndex);

    const ReferenceElement& root_;
};
