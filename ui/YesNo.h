#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The yes/no question screen; closing it by its frame answers No.
class YesNo : public QDialog
{
    Q_OBJECT
public:
    enum Default
    {
        DefaultYes,
        DefaultNo
    };
    explicit YesNo(QWidget *parent = nullptr);
    // Shows the question; Enter presses the `answer` button.
    bool ask(const QString &question, Default answer = DefaultYes);

private:
    QPlainTextEdit *m_question;
    QPushButton *m_yes;
    QPushButton *m_no;
};
