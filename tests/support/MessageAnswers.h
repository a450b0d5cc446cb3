#pragma once

#include <QStringList>

#include "controls/MessageBox.h"

// Answers every message box with `answer` while it lives and keeps the texts it was asked.
class MessageAnswers {
public:
    explicit MessageAnswers(QMessageBox::StandardButton answer)
    {
        MessageBox::setAnswerer([this, answer](const MessageBox::Message& message) {
            texts.push_back(message.text);
            return answer;
        });
    }
    ~MessageAnswers() { MessageBox::setAnswerer({}); }
    MessageAnswers(const MessageAnswers&) = delete;
    MessageAnswers& operator=(const MessageAnswers&) = delete;

    QStringList texts;
};
