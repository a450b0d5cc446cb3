#include "controls/DateFieldCheck.h"

#include <QPushButton>

#include "controls/CheckRun.h"
#include "controls/DtpPanel.h"
#include "model/DayDate.h"

std::uint16_t checkTypedDates(QWidget* owner, const QString& section, std::initializer_list<DateFieldElement> fields)
{
    for (const DateFieldElement& element : fields) {
        // A switched-off field stands for nothing the user can correct.
        if (element.field->hasValidDate() || !element.field->isEnabled())
            continue;
        CheckRun run(owner, section);
        // Going on would keep the date held before and lose what the user typed.
        run.dialog().Button2->setEnabled(false);
        run.dialog().Button3->setEnabled(false);
        run.report(QStringLiteral("Неверная дата в поле «%1».\n%2.\nИсправьте дату или выберите ее в календаре.")
                       .arg(element.caption, element.field->wrongDateText()),
                   element.code);
        return element.code;
    }
    return 0;
}

void reportDatesOutsideBounds(CheckRun& run, std::initializer_list<DateFieldElement> fields)
{
    for (const DateFieldElement& element : fields) {
        const double value = element.field->dateTime();
        if (element.field->isEnabled() && (value < element.field->minDate() || value > element.field->maxDate()))
            run.report(QStringLiteral("%1 %2 вне допустимых пределов. Введите дату с %3 по %4")
                           .arg(element.caption, QString::fromStdString(dateText(value)),
                                QString::fromStdString(dateText(element.field->minDate())),
                                QString::fromStdString(dateText(element.field->maxDate()))),
                       element.code);
    }
}
