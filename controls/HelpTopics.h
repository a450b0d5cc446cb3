#pragma once

#include <array>

#include <QString>

class QWidget;

// The program's help: pages of its own, one per topic, shown in the help window. A topic is the
// page's file name, optionally followed by ">" and a window type that the help window ignores
// ("runprogramm.htm>Main").
inline constexpr const char* MainHelpTopic = "runprogramm.htm>Main"; // the contents, in the window type "Main"
inline constexpr const char* SounHelpTopic = "EditSOUN.htm";         // importing the tax-office directory
inline constexpr const char* FindingCodesHelpTopic = "FAQ.htm>Main"; // questions the code pickers answer
inline constexpr const char* ConditionsHelpTopic = "InitialData.htm";
inline constexpr const char* PersonHelpTopic = "PersonNaim.htm";
inline constexpr const char* RussianIncomeHelpTopic = "Sourse.htm";
inline constexpr const char* ForeignIncomeHelpTopic = "Currency.htm";
inline constexpr const char* BusinessIncomeHelpTopic = "Business.htm";
inline constexpr const char* DeductionsHelpTopic = "Deductions.htm";
inline constexpr const char* StandardDeductionsHelpTopic = "StandartDeductions.htm";
inline constexpr const char* SocialDeductionsHelpTopic = "SocialDeductions.htm";
inline constexpr const char* PropertyDeductionHelpTopic = "PropertyDeduction.htm";
inline constexpr const char* SecuritiesDeductionsHelpTopic = "SecuritiesDeductions.htm";
inline constexpr const char* RefundHelpTopic = "KudaTratit.htm";
inline constexpr const char* CheckHelpTopic = "CheckMessages.htm"; // what the whole check's messages mean

// Every topic the program opens; each has its page among the program's help pages.
inline constexpr std::array AllHelpTopics{
    MainHelpTopic,          SounHelpTopic,          FindingCodesHelpTopic,       ConditionsHelpTopic,
    PersonHelpTopic,        RussianIncomeHelpTopic, ForeignIncomeHelpTopic,      BusinessIncomeHelpTopic,
    DeductionsHelpTopic,    StandardDeductionsHelpTopic, SocialDeductionsHelpTopic, PropertyDeductionHelpTopic,
    SecuritiesDeductionsHelpTopic, RefundHelpTopic, CheckHelpTopic,
};

// The page a topic shows: the topic without its window type ("runprogramm.htm").
QString helpPageOfTopic(const QString& topic);

// The topic of an input page, by its class ("TfrInitialData"); empty for a class without one.
QString pageHelpTopic(const QString& pageClass);

// The topic of the innermost input page that holds `widget` (or is it) and has a topic of its own;
// empty when there is none. F1 opens it.
QString helpTopicAround(const QWidget* widget);

// True when the help window was bound at start.
bool isHelpAvailable();
// Why the help links are disabled; shown as their hint and by the help command.
QString helpUnavailableText();

// Shows a topic in the help window. Without one the user is told that help is not available.
void openHelpTopic(QWidget* parent, const QString& topic);
