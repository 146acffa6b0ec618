#pragma once

#include <QDialog>

class QPlainTextEdit;

// The yes/no question screen; closing it by its frame answers No.
class YesNo : public QDialog
{
    Q_OBJECT
public:
    explicit YesNo(QWidget *parent = nullptr);
    bool ask(const QString &question);

private:
    QPlainTextEdit *m_question;
};
