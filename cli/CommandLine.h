#pragma once

#include "core/values/SettingsFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

namespace ExportCommand {

// The command's arguments: the options, their checks and their values.
class CommandLine
{
public:
    CommandLine();

    QString helpText() const;

    // Reads the arguments; false with the usage fault when they are wrong.
    [[nodiscard]] bool parse(const QStringList &arguments, QString *fault);

    bool wantsHelp() const { return m_parser.isSet(m_help); }
    bool wantsVersion() const { return m_parser.isSet(m_version); }
    QString db() const { return m_parser.value(m_db); }
    QString code() const { return m_parser.value(m_code); }
    QString date() const { return m_parser.value(m_date); }
    bool longCourse() const { return m_parser.isSet(m_longCourse); }
    QString online() const { return m_parser.value(m_online); }
    QString meetCode() const;
    // The Lenex contact: the options, or else the settings file's.
    Settings contact() const;
    // The targets given for output i (the option may be repeated).
    QStringList targets(int i) const { return m_parser.values(m_outputs[i]); }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help, m_version, m_db, m_code, m_date, m_longCourse, m_online, m_meetCode,
        m_contactEmail, m_organisation, m_settings;
    QList<QCommandLineOption> m_outputs;
};

} // namespace ExportCommand
