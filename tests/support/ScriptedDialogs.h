#pragma once

#include "foundation/Dialogs.h"

#include <QStringList>

#include <deque>

// Dialogs answered from a script: each expected question with its answer,
// in order. Anything asked that the script did not expect is recorded as a
// fault; a test ends with QVERIFY2(dialogs.finished(), dialogs.faults()).
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs &expectMessage(const QString &text);
    ScriptedDialogs &expectInput(const QString &prompt, const QString &answer);
    ScriptedDialogs &expectYesNo(const QString &question, bool answer);
    // A question that must be asked with "No" as its default.
    ScriptedDialogs &expectYesNoDefaultNo(const QString &question, bool answer);
    // The chooser with this title answers folder + file ("" for Cancel).
    ScriptedDialogs &expectChooser(const QString &title, const QString &dir, const QString &file);

    void message(const QString &text) override;
    QString input(const QString &prompt) override;
    bool yesNo(const QString &question) override;
    bool yesNoDefaultNo(const QString &question) override;
    void chooseFile(FileChoice &choice) override;

    // True when every expected question was asked and nothing else.
    bool finished() const { return m_script.empty() && m_faults.isEmpty(); }
    QByteArray faults() const;

private:
    enum class Kind
    {
        Message,
        Input,
        YesNo,
        Chooser,
        YesNoDefaultNo
    };
    struct Step
    {
        Kind kind;
        QString text;
        QString answer;
        QString file;
        bool yes = false;
    };
    const Step *next(Kind kind, const QString &text);

    std::deque<Step> m_script;
    Step m_current;
    QStringList m_faults;
};
