#pragma once

#include <QString>

#include "controls/PageHost.h"

// The pages of the deductions section, one per tab.
enum class DeductPage {
    Standard,   // "Стандартные"
    Social,     // "Социальные"
    Property,   // "Имущественный"
    Securities, // "Инвестиционные и убытки по ЦБ"
};

// The page's class name, which tells whether the page asked for is the one already shown.
QString deductPageName(DeductPage page);
// Makes the page on the container with the declaration slot it is given.
TPageHost::PageFactory deductPageFactory(DeductPage page);
