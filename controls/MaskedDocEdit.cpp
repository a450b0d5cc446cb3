#include "controls/MaskedDocEdit.h"

#include <algorithm>
#include <vector>

#include <QKeyEvent>
#include <QValidator>

#include "controls/DeclModified.h"
#include "controls/StorableText.h"

namespace {

enum class GroupKind { Roman, Letters, Digits };

struct Group {
    GroupKind kind;
    int limit;
};

struct Layout {
    std::vector<Group> groups; // empty: free text
    QString separators;        // separators[i] stands between groups[i] and groups[i + 1]
    int freeTextLimit = 0;

    bool isFreeText() const { return groups.empty(); }
};

const Layout& layoutOf(TDocumentMaskEnum type)
{
    static const Layout romanLettersDigits{
        {{GroupKind::Roman, 9}, {GroupKind::Letters, 2}, {GroupKind::Digits, 6}}, QStringLiteral("- ")};
    static const Layout digits2_7{{{GroupKind::Digits, 2}, {GroupKind::Digits, 7}}, QStringLiteral(" ")};
    static const Layout digits2_2_6{
        {{GroupKind::Digits, 2}, {GroupKind::Digits, 2}, {GroupKind::Digits, 6}}, QStringLiteral("  ")};
    static const Layout letters2_6{{{GroupKind::Letters, 2}, {GroupKind::Digits, 6}}, QStringLiteral(" ")};
    static const Layout letters2_7{{{GroupKind::Letters, 2}, {GroupKind::Digits, 7}}, QStringLiteral(" ")};
    static const Layout letters2_5{{{GroupKind::Letters, 2}, {GroupKind::Digits, 5}}, QStringLiteral(" ")};
    static const Layout text20{{}, {}, 20};
    static const Layout text14{{}, {}, 14};
    switch (type) {
    case edtR_BB:
        return romanLettersDigits;
    case edt99:
        return digits2_7;
    case edt99_:
        return digits2_2_6;
    case edtBB:
        return letters2_6;
    case edtBB0:
        return letters2_7;
    case edtNone2:
        return text14;
    case edtBB5:
        return letters2_5;
    case edtNone1:
        break;
    }
    return text20;
}

struct Span {
    qsizetype start;
    qsizetype end; // one past the group's last character: its separator, or the end of the text
    qsizetype size() const { return end - start; }
};

// The groups present in a text, in order; a group goes on to the end of the text when the
// separator behind it is missing, and the groups after it are then absent.
std::vector<Span> splitGroups(const Layout& layout, const QString& text)
{
    std::vector<Span> spans;
    qsizetype start = 0;
    for (std::size_t group = 0; group < layout.groups.size(); ++group) {
        const bool last = group + 1 == layout.groups.size();
        const qsizetype separator = last ? -1 : text.indexOf(layout.separators[group], start);
        if (separator < 0) {
            spans.push_back({start, text.size()});
            break;
        }
        spans.push_back({start, separator});
        start = separator + 1;
    }
    return spans;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c)
{
    return c >= u'А' && c <= u'Я';
}

bool isLowerCyrillic(QChar c)
{
    return c >= u'а' && c <= u'я';
}

int romanValue(QChar c)
{
    switch (c.unicode()) {
    case u'C':
        return 100;
    case u'L':
        return 50;
    case u'X':
        return 10;
    case u'V':
        return 5;
    case u'I':
        return 1;
    }
    return 0;
}

bool isRomanLetter(QChar c)
{
    return romanValue(c) != 0;
}

// '1' and the Cyrillic letters that look like Roman ones, as a Roman letter; others unchanged.
QChar romanLookAlike(QChar c)
{
    switch (c.unicode()) {
    case u'1':
        return u'I';
    case u'Л':
        return u'L';
    case u'С':
        return u'C';
    case u'У':
        return u'V';
    case u'Х':
        return u'X';
    }
    return c;
}

// Letters as the layout shows them: Cyrillic upper case, and the Latin letters of Roman
// numerals upper case in a birth certificate's series.
QChar upperCased(TDocumentMaskEnum type, QChar c)
{
    if (isLowerCyrillic(c))
        return QChar(c.unicode() - (u'а' - u'А'));
    if (type == edtR_BB && QStringLiteral("cilvx").contains(c))
        return c.toUpper();
    return c;
}

QString normalised(TDocumentMaskEnum type, const QString& text)
{
    const Layout& layout = layoutOf(type);
    if (layout.isFreeText())
        return text;
    QString result = text;
    for (QChar& c : result)
        c = upperCased(type, c);
    if (layout.groups.front().kind == GroupKind::Roman) {
        const Span roman = splitGroups(layout, result).front();
        for (qsizetype i = roman.start; i < roman.end; ++i)
            result[i] = romanLookAlike(result[i]);
    }
    return result;
}

bool isAllowedGroup(const Group& group, QStringView part)
{
    if (part.size() > group.limit)
        return false;
    switch (group.kind) {
    case GroupKind::Roman:
        return std::all_of(part.begin(), part.end(), isRomanLetter)
               && IntToRoman(RomanToInt(part.toString())) == part;
    case GroupKind::Letters:
        return std::all_of(part.begin(), part.end(), isLetter);
    case GroupKind::Digits:
        return std::all_of(part.begin(), part.end(), isDigit);
    }
    return false;
}

} // namespace

QString IntToRoman(int number)
{
    struct Letter {
        char16_t letter;
        int value;
        char16_t larger;
    };
    static constexpr Letter letters[] = {
        {u'C', 100, 0}, {u'L', 50, u'C'}, {u'X', 10, u'L'}, {u'V', 5, u'X'}, {u'I', 1, u'V'}};
    QString roman;
    int left = std::max(number, 0);
    for (const Letter& letter : letters) {
        if (letter.letter == u'L' && left / 10 % 10 == 9) {
            roman += QStringLiteral("XC");
            left -= 90;
            continue;
        }
        if (letter.letter == u'V' && left % 10 == 9) {
            roman += QStringLiteral("IX");
            left -= 9;
            continue;
        }
        const int count = left / letter.value;
        if (count >= 4 && letter.letter != u'C') {
            roman += QChar(letter.letter);
            roman += QChar(letter.larger);
        } else {
            roman += QString(count, QChar(letter.letter));
        }
        left -= count * letter.value;
    }
    return roman;
}

int RomanToInt(const QString& text)
{
    const QString roman = text.trimmed();
    int total = 0;
    for (qsizetype i = 0; i < roman.size();) {
        const int value = romanValue(roman[i]);
        const int next = i + 1 < roman.size() ? romanValue(roman[i + 1]) : 0;
        if (value >= next) {
            total += value;
            ++i;
        } else {
            total += next - value;
            i += 2;
        }
    }
    return total;
}

// Judges every edit of the user's before it is taken, with its letters shown as the layout
// wants them: an edit that leaves a refused text is undone by the line edit.
class TMaskedDocEdit::Rules : public QValidator {
public:
    explicit Rules(TMaskedDocEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int&) const override
    {
        const QString shown = normalised(edit_.editType_, input);
        if (edit_.isAllowedText(shown)) {
            input = shown;
            return Acceptable;
        }
        // A text the program set against the rules can still be shortened by the user.
        if (!edit_.isAllowedText(edit_.lastText_) && input.size() < edit_.lastText_.size())
            return Acceptable;
        return Invalid;
    }

private:
    TMaskedDocEdit& edit_;
};

TMaskedDocEdit::TMaskedDocEdit(QWidget* parent) : QLineEdit(parent), rules_(new Rules(*this))
{
    setValidator(rules_);
    connect(this, &QLineEdit::textChanged, this, &TMaskedDocEdit::textChangedByAnyone);
}

void TMaskedDocEdit::setText(const QString& text)
{
    // Without the rules in place, the line edit takes the text as valid, so the user's next edit
    // is judged again rather than let through.
    setValidator(nullptr);
    QLineEdit::setText(text);
    setValidator(rules_);
}

bool TMaskedDocEdit::isAllowedText(const QString& text) const
{
    const Layout& layout = layoutOf(editType_);
    if (layout.isFreeText())
        return text.size() <= layout.freeTextLimit && isStorableText(text);
    const std::vector<Span> spans = splitGroups(layout, text);
    for (std::size_t group = 0; group < spans.size(); ++group) {
        const QStringView part = QStringView(text).mid(spans[group].start, spans[group].size());
        if (!isAllowedGroup(layout.groups[group], part))
            return false;
    }
    return true;
}

void TMaskedDocEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool typing = typed.size() == 1 && typed.front().isPrint()
                        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typing && !isReadOnly() && !layoutOf(editType_).isFreeText()) {
        typeCharacter(typed.front());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TMaskedDocEdit::typeCharacter(QChar typed)
{
    const Layout& layout = layoutOf(editType_);
    QString tentative = text();
    qsizetype caret = cursorPosition();
    if (hasSelectedText()) {
        caret = selectionStart();
        tentative.remove(caret, selectionLength());
    }

    QChar key = upperCased(editType_, typed);
    if (layout.separators.contains(key)) {
        // The edit puts the spaces in itself; only the hyphen behind a Roman numeral is typed.
        if (key != u'-' || tentative.contains(u'-'))
            return;
    } else {
        const std::vector<Span> spans = splitGroups(layout, tentative);
        std::size_t group = 0;
        while (group + 1 < spans.size() && spans[group + 1].start <= caret)
            ++group;
        // At the end of a full group the key goes on into the next one, behind its space.
        const bool full = caret == spans[group].end && spans[group].size() >= layout.groups[group].limit;
        if (full && group + 1 < layout.groups.size() && layout.separators[group] == u' ') {
            if (group + 1 == spans.size())
                tentative.insert(caret, u' ');
            ++caret;
            ++group;
        }
        if (layout.groups[group].kind == GroupKind::Roman)
            key = romanLookAlike(key);
    }
    tentative.insert(caret, key);
    if (!isAllowedText(tentative))
        return;

    // One edit of the user's, judged by the rules and undone as one.
    selectAll();
    insert(tentative);
    setCursorPosition(caret + 1);
}

void TMaskedDocEdit::textChangedByAnyone(const QString& text)
{
    if (text == lastText_)
        return;
    lastText_ = text;
    sendDeclModified();
}
