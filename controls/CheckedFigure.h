#pragma once

#include <optional>

#include <QString>

#include "controls/DisplayFormat.h"
#include "model/CheckedFigure.h"
#include "model/Currency.h"

// A page shows a figure beyond the range as a refusal in the figure's place and keeps what the
// user typed.

// The figure as `text` writes it, or the refusal: a few words, short enough for a sum's field.
QString figureText(const std::optional<Currency>& figure, QString (*text)(Currency) = currencyDisplayText);
// Why a figure is refused, with the largest amount there is.
QString outOfRangeExplanation();

// Shows the figure in a panel or a field the program fills; a refused one explains itself in
// its tooltip.
template <typename Field>
void showFigure(Field* field, const std::optional<Currency>& figure, QString (*text)(Currency) = currencyDisplayText)
{
    field->setText(figureText(figure, text));
    field->setToolTip(figure ? QString() : outOfRangeExplanation());
}

// Empties the place of a figure, and takes away the explanation a refusal left there.
template <typename Field>
void clearFigure(Field* field)
{
    field->setText(QString());
    field->setToolTip(QString());
}
