#include "ui/WidgetDialogs.h"

#include "ui/FileInfo.h"
#include "ui/YesNo.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

WidgetDialogs::WidgetDialogs() = default;

WidgetDialogs::~WidgetDialogs()
{
    delete m_fileInfo;
    delete m_yesNo;
}

QWidget *WidgetDialogs::parentWindow() const
{
    return QApplication::activeWindow();
}

void WidgetDialogs::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parentWindow());
    box.exec();
}

QString WidgetDialogs::input(const QString &prompt)
{
    QInputDialog box(parentWindow());
    box.setWindowTitle(QApplication::applicationName());
    box.setLabelText(prompt);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

bool WidgetDialogs::yesNo(const QString &question)
{
    if (!m_yesNo)
        m_yesNo = new YesNo;
    return m_yesNo->ask(question, YesNo::DefaultYes);
}

bool WidgetDialogs::yesNoDefaultNo(const QString &question)
{
    if (!m_yesNo)
        m_yesNo = new YesNo;
    return m_yesNo->ask(question, YesNo::DefaultNo);
}

void WidgetDialogs::chooseFile(FileChoice &choice)
{
    if (!m_fileInfo)
        m_fileInfo = new FileInfo;
    m_fileInfo->choose(choice);
}
