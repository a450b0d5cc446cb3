#pragma once

#include <QLineEdit>
#include <QString>

// The layout of an identity document's series and number. "Letters" are upper-case Cyrillic
// А-Я (Ё is not one); groups are separated by a space, except the hyphen behind the Roman
// numeral of a birth certificate.
enum TDocumentMaskEnum {
    edtR_BB,  // Roman numeral (at most 9, canonical), "-", up to 2 letters, " ", up to 6 digits
    edt99,    // up to 2 digits, " ", up to 7 digits
    edt99_,   // up to 2 digits, " ", up to 2 digits, " ", up to 6 digits
    edtBB,    // up to 2 letters, " ", up to 6 digits
    edtBB0,   // up to 2 letters, " ", up to 7 digits
    edtNone1, // any text of at most 20 characters
    edtNone2, // any text of at most 14 characters
    edtBB5,   // up to 2 letters, " ", up to 5 digits
};

// Roman numerals of C, L, X, V and I only; hundreds are repeated C's (400 is "CCCC").
QString IntToRoman(int number);
// Any other character counts 0; blanks around the text are ignored.
int RomanToInt(const QString& text);

// The edit of an identity document's series and number. Typing builds the layout: the edit puts
// the separating space in itself when a group is full, upper-cases letters and, in a Roman
// numeral, turns '1' and the Cyrillic look-alikes Л, С, У, Х into I, L, C, V, X; pasted text is
// shown the same way. Every edit of the user's (typed, pasted, cut, deleted) must leave a text of
// the layout, or the text stays as it was. Text the program sets is taken as it is. Every change of the text tells the window
// that keeps the declaration (WM_DECL_MODIFIED). Enter is left to the window the edit sits in.
class TMaskedDocEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMaskedDocEdit(QWidget* parent = nullptr);

    TDocumentMaskEnum editType() const { return editType_; }
    // The text is kept; the new layout judges the user's next edit.
    void setEditType(TDocumentMaskEnum type) { editType_ = type; }

    // The program's text, taken without the rules of typing. Set texts through this edit's
    // own type, not through QLineEdit, or the rules would judge it.
    void setText(const QString& text);

    // Whether the text follows this edit's layout as it stands (no letter case is mended).
    bool isAllowedText(const QString& text) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rules;
    friend class Rules;

    // Types one character as the layout wants it; a character the layout refuses is dropped.
    void typeCharacter(QChar typed);
    void textChangedByAnyone(const QString& text);

    TDocumentMaskEnum editType_ = edtNone1;
    Rules* rules_;
    // The text as it stood after its last change; no change of the user's leaves another.
    QString lastText_;
};
