#pragma once

#include "common/Confirmation.h"
#include "common/TextQuestion.h"

#include <QStringList>

// The operator's answers to questions, given by the test in advance.
namespace kvt::test {

// Answers every OK/Cancel question with `answer` and keeps the questions asked.
class ScriptedConfirmation : public Confirmation {
public:
    bool answer = true;
    QStringList questions;
    bool confirm(const QString& question) override
    {
        questions << question;
        return answer;
    }
};

// Answers input boxes with the texts of `answers` in turn (then Cancel) and keeps each caption
// and prompt as "caption|prompt".
class ScriptedTextQuestion : public TextQuestion {
public:
    QStringList answers;
    QStringList prompts;
    QString askText(const QString& caption, const QString& prompt, const QString&) override
    {
        prompts << caption + QLatin1Char('|') + prompt;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

} // namespace kvt::test
