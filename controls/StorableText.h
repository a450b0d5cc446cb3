#pragma once

class QString;

// Whether free text can be kept: it ends up in the declaration file and the exchange file, both
// windows-1251, where a control character has no place either.
bool isStorableText(const QString& text);
