#include "tests/support/ScriptedDialogs.h"

const ScriptedDialogs::Step *ScriptedDialogs::next(Kind kind, const QString &text)
{
    if (m_script.empty()) {
        m_faults << QStringLiteral("unexpected %1 \"%2\"").arg(QLatin1String(kind), text);
        return nullptr;
    }
    m_current = m_script.front();
    m_script.pop_front();
    if (qstrcmp(m_current.kind, kind) != 0 || m_current.text != text) {
        m_faults << QStringLiteral("expected %1 \"%2\", got %3 \"%4\"")
                        .arg(QLatin1String(m_current.kind), m_current.text, QLatin1String(kind),
                             text);
        return nullptr;
    }
    return &m_current;
}

QString ScriptedDialogs::input(const QString &prompt)
{
    const Step *s = next(Input, prompt);
    return s ? s->answer : QString();
}

bool ScriptedDialogs::yesNo(const QString &question)
{
    const Step *s = next(YesNo, question);
    return s && s->yes;
}

bool ScriptedDialogs::yesNoDefaultNo(const QString &question)
{
    const Step *s = next(YesNoDefaultNo, question);
    return s && s->yes;
}

void ScriptedDialogs::chooseFile(FileChoice &choice)
{
    const Step *s = next(Chooser, choice.FilePrompt);
    choice.SelectedDir = s ? s->answer : QString();
    choice.SelectedFile = s && !s->answer.isEmpty() ? s->file : QString();
}

QByteArray ScriptedDialogs::faults() const
{
    QStringList all = m_faults;
    for (const Step &s : m_script)
        all << QStringLiteral("never asked: %1 \"%2\"").arg(QLatin1String(s.kind), s.text);
    return all.join(QLatin1String("; ")).toUtf8();
}
