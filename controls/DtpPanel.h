#pragma once

#include <optional>

#include <QLineEdit>

class QCalendarWidget;
class QToolButton;

// The typing part of a date field: "dd.mm.yyyy" in a mask that takes digits only. Its bounds are
// set by the date field that holds it.
class TTestMaskD : public QLineEdit {
    Q_OBJECT

public:
    explicit TTestMaskD(QWidget* parent = nullptr);

    double minDate() const { return minDate_; }
    double maxDate() const { return maxDate_; }
    void setBounds(double minDate, double maxDate);

    // The day count of the text when it is a whole date that exists; nullopt while a digit is
    // missing or for a day like 31.02.
    std::optional<double> shownDate() const;
    // The shown date when it lies within the bounds.
    std::optional<double> acceptedDate() const;
    // Why the text is no date within the bounds, for the user; empty when it is one.
    QString faultText() const;

signals:
    // The focus went to another control (not to a pop-up or another window).
    void left();
    void enabledChanged(bool enabled);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    double minDate_;
    double maxDate_;
};

// The date field of the pages: the date typed as "dd.mm.yyyy", or picked from a calendar that
// drops down from the button at its right, within a lower and an upper bound. Dates are day
// counts (model/DayDate.h).
//
// A date the user types reaches dateTime() as soon as it is whole, exists and lies within the
// bounds. Any other text is never replaced: it stays as typed and leaves the value as it was,
// shown in red once it is whole or the user has left the field, and hasValidDate() is false
// until the user corrects it, so that the dialog or page holding the field refuses to close.
// A value the program sets is shown as it is, even outside the bounds, and counts as valid; one
// outside the bounds is shown in red too, for the holder's own check to refuse.
class TDtpPanel : public QWidget {
    Q_OBJECT

public:
    // 01.01.2021, with the bounds 01.01.1900 and 31.12.2050.
    explicit TDtpPanel(QWidget* parent = nullptr);

    // The value held: the last date the program set, picked or the user typed in full within the
    // bounds. A text that is no such date does not change it.
    double dateTime() const { return dateTime_; }
    // False while the text the user typed is no existing date within the bounds.
    bool hasValidDate() const;
    // What is wrong with the typed text, for a message to the user; empty when hasValidDate().
    QString wrongDateText() const;
    // Shows the date; changed() when the value differs from the one held.
    void setDateTime(double dayCount);

    double minDate() const;
    double maxDate() const;
    // A value beyond the new bound is kept and shown in red. The other bound gives way when they
    // would cross.
    void setMinDate(double dayCount);
    void setMaxDate(double dayCount);

    QSize sizeHint() const override;

signals:
    // The value changed, by the user or the program.
    void changed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeTypedDate();
    void takeAcceptedText();
    void leaveField();
    void openCalendar();
    void takePickedDate(const QDate& date);
    void setBounds(double minDate, double maxDate);
    void showWhetherAccepted();

    double dateTime_;
    // The user has typed since the text last matched the value.
    bool typing_ = false;
    // The user left the field with a text that was not taken.
    bool leftWrong_ = false;
    TTestMaskD* edit_;
    QToolButton* dropDown_;
    QCalendarWidget* calendar_;
};
