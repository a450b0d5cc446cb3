#pragma once

#include <deque>
#include <vector>

#include <QString>

#include "controls/CheckDialogs.h"

// While it lives, the check dialogs are answered from `answers` instead of being shown (closed
// once the script runs out), and each is recorded as the user would have seen it.
class ScriptedCheckAnswers {
public:
    struct Shown {
        QString caption;
        QString message;
        bool skip;    // "Пропустить" could be pressed
        bool skipAll; // "Пропустить все" could be pressed
    };

    ScriptedCheckAnswers()
    {
        CheckDialog::setAnswerer([this](const CheckDialog& dialog) {
            shown.push_back({dialog.windowTitle(), dialog.message(), dialog.isAnswerEnabled(CheckSkip),
                             dialog.isAnswerEnabled(CheckSkipAll)});
            if (answers.empty())
                return int(CheckClosed);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~ScriptedCheckAnswers() { CheckDialog::setAnswerer({}); }
    ScriptedCheckAnswers(const ScriptedCheckAnswers&) = delete;
    ScriptedCheckAnswers& operator=(const ScriptedCheckAnswers&) = delete;

    std::deque<int> answers;
    std::vector<Shown> shown;
};
