#include "controls/DtpPanel.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QDate>
#include <QFocusEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>

#include "computation/TaxYearFigures.h"
#include "controls/DisplayFormat.h"
#include "model/DayDate.h"

namespace {

constexpr int DropDownWidth = 20;

double dayCount(int year, int month, int day)
{
    return *encodeDate(year, month, day);
}

QDate calendarDate(double dayCount)
{
    const CalendarDate date = decodeDate(dayCount);
    return date.year == 0 ? QDate() : QDate(date.year, date.month, date.day);
}

} // namespace

TTestMaskD::TTestMaskD(QWidget* parent)
    : QLineEdit(parent), minDate_(dayCount(1900, 1, 1)), maxDate_(dayCount(2050, 12, 31))
{
    setInputMask(QStringLiteral("99.99.9999;_"));
}

void TTestMaskD::setBounds(double minDate, double maxDate)
{
    minDate_ = minDate;
    maxDate_ = maxDate;
}

std::optional<double> TTestMaskD::shownDate() const
{
    return parseDateDisplayText(displayText());
}

std::optional<double> TTestMaskD::acceptedDate() const
{
    const std::optional<double> date = shownDate();
    if (date && *date >= minDate_ && *date <= maxDate_)
        return date;
    return std::nullopt;
}

QString TTestMaskD::faultText() const
{
    const QString text = displayText();
    if (!hasAcceptableInput()) {
        if (!text.contains(QRegularExpression(QStringLiteral("[0-9]"))))
            return QStringLiteral("Дата не указана");
        return QStringLiteral("Дата указана не полностью: %1").arg(text);
    }
    const std::optional<double> date = shownDate();
    if (!date)
        return QStringLiteral("Такой даты нет: %1").arg(text);
    if (*date < minDate_ || *date > maxDate_)
        return QStringLiteral("Дата %1 лежит вне допустимых пределов: с %2 по %3")
            .arg(text, dateDisplayText(minDate_), dateDisplayText(maxDate_));
    return QString();
}

void TTestMaskD::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A calendar or menu dropping down, or a switch to another window, is no leaving.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit left();
}

void TTestMaskD::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        emit enabledChanged(isEnabled());
}

TDtpPanel::TDtpPanel(QWidget* parent)
    : QWidget(parent),
      dateTime_(dayCount(TaxYear, 1, 1)),
      edit_(new TTestMaskD(this)),
      dropDown_(new QToolButton(this)),
      calendar_(new QCalendarWidget(this))
{
    setFocusProxy(edit_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    edit_->setText(dateDisplayText(dateTime_));

    dropDown_->setArrowType(Qt::DownArrow);
    dropDown_->setFocusPolicy(Qt::NoFocus);

    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    calendar_->setFirstDayOfWeek(Qt::Monday);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setBounds(edit_->minDate(), edit_->maxDate());

    connect(edit_, &QLineEdit::textEdited, this, &TDtpPanel::takeTypedDate);
    connect(edit_, &QLineEdit::textChanged, this, &TDtpPanel::showWhetherAccepted);
    connect(edit_, &TTestMaskD::left, this, &TDtpPanel::leaveField);
    connect(edit_, &TTestMaskD::enabledChanged, dropDown_, &QWidget::setEnabled);
    connect(dropDown_, &QToolButton::clicked, this, &TDtpPanel::openCalendar);
    connect(calendar_, &QCalendarWidget::clicked, this, &TDtpPanel::takePickedDate);
    connect(calendar_, &QCalendarWidget::activated, this, &TDtpPanel::takePickedDate);

    resize(185, 24);
}

bool TDtpPanel::hasValidDate() const
{
    return !typing_ || edit_->acceptedDate().has_value();
}

QString TDtpPanel::wrongDateText() const
{
    return hasValidDate() ? QString() : edit_->faultText();
}

void TDtpPanel::setDateTime(double dayCount)
{
    typing_ = false;
    leftWrong_ = false;
    const QString text = dateDisplayText(dayCount);
    // A date the user has just typed is shown already, and keeps its caret.
    if (edit_->displayText() != text)
        edit_->setText(text);
    if (dayCount == dateTime_) {
        showWhetherAccepted();
        return;
    }
    dateTime_ = dayCount;
    showWhetherAccepted();
    emit changed();
}

double TDtpPanel::minDate() const
{
    return edit_->minDate();
}

double TDtpPanel::maxDate() const
{
    return edit_->maxDate();
}

void TDtpPanel::setMinDate(double dayCount)
{
    setBounds(dayCount, std::max(dayCount, maxDate()));
}

void TDtpPanel::setMaxDate(double dayCount)
{
    setBounds(std::min(dayCount, minDate()), dayCount);
}

QSize TDtpPanel::sizeHint() const
{
    return {185, std::max(24, edit_->sizeHint().height())};
}

void TDtpPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    edit_->setGeometry(0, 0, std::max(0, width() - DropDownWidth), height());
    dropDown_->setGeometry(width() - DropDownWidth, 0, DropDownWidth, height());
}

void TDtpPanel::takeTypedDate()
{
    typing_ = true;
    leftWrong_ = false;
    takeAcceptedText();
    showWhetherAccepted();
}

void TDtpPanel::takeAcceptedText()
{
    if (const std::optional<double> date = edit_->acceptedDate()) {
        setDateTime(*date);
        // Until the field is left the user may still be typing over it.
        typing_ = true;
    }
}

void TDtpPanel::leaveField()
{
    if (hasValidDate())
        typing_ = false;
    else
        leftWrong_ = true;
    showWhetherAccepted();
}

void TDtpPanel::openCalendar()
{
    const double shown = edit_->acceptedDate().value_or(std::clamp(dateTime_, minDate(), maxDate()));
    calendar_->setSelectedDate(calendarDate(shown));

    const QSize size = calendar_->sizeHint();
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (place.y() + size.height() > room.bottom())
            place.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    }
    calendar_->setGeometry(QRect(place, size));
    calendar_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void TDtpPanel::takePickedDate(const QDate& date)
{
    calendar_->hide();
    if (const std::optional<double> picked = encodeDate(date.year(), date.month(), date.day()))
        setDateTime(*picked);
}

void TDtpPanel::setBounds(double minDate, double maxDate)
{
    edit_->setBounds(minDate, maxDate);
    calendar_->setDateRange(calendarDate(minDate), calendarDate(maxDate));
    // A typed date the old bounds refused may lie within the new ones.
    if (typing_)
        takeAcceptedText();
    showWhetherAccepted();
}

void TDtpPanel::showWhetherAccepted()
{
    // A typed date still missing digits is not marked while the user is at it.
    const bool wrongTyping = !hasValidDate() && (edit_->hasAcceptableInput() || leftWrong_);
    const bool heldOutside = !typing_ && (dateTime_ < minDate() || dateTime_ > maxDate());
    QPalette colours = palette();
    if (wrongTyping || heldOutside)
        colours.setColor(QPalette::Text, Qt::red);
    edit_->setPalette(colours);
}
