#pragma once

#include "core/values/Dialogs.h"

class FileInfo;
class QWidget;
class YesNo;

// The real message box, input box, yes/no screen and file chooser. The two
// screens are made on first use and kept for the rest of the run.
class WidgetDialogs : public Dialogs
{
public:
    WidgetDialogs();
    ~WidgetDialogs() override;

    void message(const QString &text) override;
    QString input(const QString &prompt) override;
    bool yesNo(const QString &question) override;
    bool yesNoDefaultNo(const QString &question) override;
    void chooseFile(FileChoice &choice) override;

private:
    QWidget *parentWindow() const;

    FileInfo *m_fileInfo = nullptr;
    YesNo *m_yesNo = nullptr;
};
