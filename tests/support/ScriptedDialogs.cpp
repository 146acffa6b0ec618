#include "tests/support/ScriptedDialogs.h"

namespace {
QString kindName(int k)
{
    static const char *names[] = {"message", "input", "yes/no", "chooser",
                                  "yes/no with No default"};
    return QLatin1String(names[k]);
}
} // namespace

const ScriptedDialogs::Step *ScriptedDialogs::next(Kind kind, const QString &text)
{
    if (m_script.empty()) {
        m_faults << QStringLiteral("unexpected %1 \"%2\"").arg(kindName(int(kind)), text);
        return nullptr;
    }
    m_current = m_script.front();
    m_script.pop_front();
    if (m_current.kind != kind || m_current.text != text) {
        m_faults << QStringLiteral("expected %1 \"%2\", got %3 \"%4\"")
                        .arg(kindName(int(m_current.kind)), m_current.text, kindName(int(kind)),
                             text);
        return nullptr;
    }
    return &m_current;
}

QString ScriptedDialogs::input(const QString &prompt)
{
    const Step *s = next(Kind::Input, prompt);
    return s ? s->answer : QString();
}

bool ScriptedDialogs::yesNo(const QString &question)
{
    const Step *s = next(Kind::YesNo, question);
    return s && s->yes;
}

bool ScriptedDialogs::yesNoDefaultNo(const QString &question)
{
    const Step *s = next(Kind::YesNoDefaultNo, question);
    return s && s->yes;
}

void ScriptedDialogs::chooseFile(FileChoice &choice)
{
    const Step *s = next(Kind::Chooser, choice.FilePrompt);
    choice.SelectedDir = s ? s->answer : QString();
    choice.SelectedFile = s && !s->answer.isEmpty() ? s->file : QString();
}

QByteArray ScriptedDialogs::faults() const
{
    QStringList all = m_faults;
    for (const Step &s : m_script)
        all << QStringLiteral("never asked: %1 \"%2\"").arg(kindName(int(s.kind)), s.text);
    return all.join(QLatin1String("; ")).toUtf8();
}
