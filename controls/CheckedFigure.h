#pragma once

#include <optional>
#include <stdexcept>
#include <utility>

#include <QString>

#include "controls/DisplayFormat.h"
#include "model/Currency.h"

// A figure a page computes with the checked money arithmetic: a total of many lines, an amount
// at a rate. Typed or read from a file, the amounts may give a result beyond what an amount can
// hold; the page then shows a refusal in the figure's place and keeps what the user typed.

// The figure `compute` gives, or nullopt when it lies beyond the range.
template <typename Compute>
std::optional<Currency> checkedFigure(Compute&& compute)
{
    try {
        return std::forward<Compute>(compute)();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

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
