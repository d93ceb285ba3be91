#pragma once

// Message boxes and file dialogs that answer from a script, for the tests that drive windows.

#include "widgets/Dialogs.h"

#include <QFileInfo>
#include <QString>
#include <deque>
#include <vector>

namespace lumotrix {

// Answers from a script, recording every question. A question with no scripted answer gets the
// default button.
class ScriptedMessageBoxes : public IMessageBoxes {
public:
    struct TQuestion {
        QString Text, Caption;
        TMsgButtons Buttons;
        TMsgIcon Icon;
        TMsgButton DefaultButton;
    };
    void PushAnswer(TMsgButton answer) { FAnswers.push_back(answer); }
    TMsgButton Ask(const QString& text, const QString& caption, TMsgButtons buttons, TMsgIcon icon,
                   TMsgButton defaultButton) override {
        FQuestions.push_back({text, caption, buttons, icon, defaultButton});
        if (FAnswers.empty())
            return defaultButton;
        TMsgButton answer = FAnswers.front();
        FAnswers.pop_front();
        return answer;
    }
    const std::vector<TQuestion>& Questions() const { return FQuestions; }
    void Clear() {
        FQuestions.clear();
        FAnswers.clear();
    }

private:
    std::deque<TMsgButton> FAnswers;
    std::vector<TQuestion> FQuestions;
};

// File names from a script; an empty entry (or none) is a cancel.
class ScriptedFileDialogs : public IFileDialogs {
public:
    struct TRequest {
        bool Save;
        QString Caption, Directory, Filter;
        QString FileName; // the name proposed to the user
    };
    void PushFileName(const QString& fileName) { FNames.push_back(fileName); }
    bool GetOpenFileName(const QString& caption, const QString& directory, const QString& filter,
                         QString& fileName) override {
        FRequests.push_back({false, caption, directory, filter, fileName});
        return Next(fileName);
    }
    bool GetSaveFileName(const QString& caption, const QString& directory, const QString& filter,
                         const QString& defaultSuffix, QString& fileName) override {
        FRequests.push_back({true, caption, directory, filter, fileName});
        if (!Next(fileName))
            return false;
        if (!defaultSuffix.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
            fileName += QLatin1Char('.') + defaultSuffix;
        return true;
    }
    const std::vector<TRequest>& Requests() const { return FRequests; }

private:
    bool Next(QString& fileName) {
        if (FNames.empty())
            return false;
        QString next = FNames.front();
        FNames.pop_front();
        if (next.isEmpty())
            return false;
        fileName = next;
        return true;
    }
    std::deque<QString> FNames;
    std::vector<TRequest> FRequests;
};

} // namespace lumotrix
