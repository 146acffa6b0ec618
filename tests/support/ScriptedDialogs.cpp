#include "tests/support/ScriptedDialogs.h"

ScriptedDialogs::Step ScriptedDialogs::next(Kind kind, const QString &text)
{
    if (m_script.empty()) {
        m_faults << QStringLiteral("unexpected %1 \"%2\"").arg(QLatin1String(kind), text);
        return {};
    }
    const Step step = m_script.front();
    m_script.pop_front();
    if (qstrcmp(step.kind, kind) == 0 && step.text == text)
        return step;
    m_faults << QStringLiteral("expected %1 \"%2\", got %3 \"%4\"")
                    .arg(QLatin1String(step.kind), step.text, QLatin1String(kind), text);
    return {};
}

void ScriptedDialogs::chooseFile(FileChoice &choice)
{
    const Step s = next(Chooser, choice.FilePrompt);
    choice.SelectedDir = s.answer;
    choice.SelectedFile = s.answer.isEmpty() ? QString() : s.file;
}

QByteArray ScriptedDialogs::faults() const
{
    QStringList all = m_faults;
    for (const Step &s : m_script)
        all << QStringLiteral("never asked: %1 \"%2\"").arg(QLatin1String(s.kind), s.text);
    return all.join(QLatin1String("; ")).toUtf8();
}
