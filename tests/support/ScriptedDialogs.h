#pragma once

#include "core/values/Dialogs.h"

#include <QStringList>

#include <deque>

// Dialogs answered from a script: each expected question with its answer,
// in order. Anything asked that the script did not expect is recorded as a
// fault; a test ends with QVERIFY2(dialogs.finished(), dialogs.faults()).
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs &expectMessage(const QString &text) { return add(Message, text); }
    ScriptedDialogs &expectInput(const QString &prompt, const QString &answer)
    {
        return add(Input, prompt, answer);
    }
    ScriptedDialogs &expectYesNo(const QString &question, bool answer)
    {
        return add(YesNo, question, {}, {}, answer);
    }
    // A question that must be asked with "No" as its default.
    ScriptedDialogs &expectYesNoDefaultNo(const QString &question, bool answer)
    {
        return add(YesNoDefaultNo, question, {}, {}, answer);
    }
    // The chooser with this title answers folder + file ("" for Cancel).
    ScriptedDialogs &expectChooser(const QString &title, const QString &dir, const QString &file)
    {
        return add(Chooser, title, dir, file);
    }

    void message(const QString &text) override { next(Message, text); }
    QString input(const QString &prompt) override { return next(Input, prompt).answer; }
    bool yesNo(const QString &question) override { return next(YesNo, question).yes; }
    bool yesNoDefaultNo(const QString &question) override
    {
        return next(YesNoDefaultNo, question).yes;
    }
    void chooseFile(FileChoice &choice) override;

    // True when every expected question was asked and nothing else.
    bool finished() const { return m_script.empty() && m_faults.isEmpty(); }
    QByteArray faults() const;

private:
    // Each kind of question by the name a fault report gives it (compared as text).
    using Kind = const char *;
    static constexpr Kind Message = "message", Input = "input", YesNo = "yes/no",
                          Chooser = "chooser", YesNoDefaultNo = "yes/no with No default";
    struct Step
    {
        Kind kind = nullptr;
        QString text;
        QString answer;
        QString file;
        bool yes = false;
    };
    ScriptedDialogs &add(Kind kind, const QString &text, const QString &answer = {},
                         const QString &file = {}, bool yes = false)
    {
        m_script.push_back({kind, text, answer, file, yes});
        return *this;
    }
    // The expected step, or an empty answer (No, Cancel) recorded as a fault.
    Step next(Kind kind, const QString &text);

    std::deque<Step> m_script;
    QStringList m_faults;
};
