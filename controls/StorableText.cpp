#include "controls/StorableText.h"

#include <algorithm>

#include <QString>

#include "model/Cp1251.h"

bool isStorableText(const QString& text)
{
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return false;
    try {
        cp1251::encodedLength(text.toStdString());
        return true;
    } catch (const cp1251::EncodeError&) {
        return false;
    }
}
