#include "ui/YesNo.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

YesNo::YesNo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("YesNo"));
    setWindowTitle(QApplication::applicationName());
    m_question = new QPlainTextEdit(this);
    m_question->setObjectName(QStringLiteral("Question"));
    m_question->setAccessibleName(tr("Question"));
    m_question->setReadOnly(true);
    m_question->setFixedHeight(72);
    m_yes = new QPushButton(tr("Yes"), this);
    m_yes->setObjectName(QStringLiteral("Command1"));
    m_no = new QPushButton(tr("No"), this);
    m_no->setObjectName(QStringLiteral("Command2"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_question);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    layout->addLayout(buttons);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
}

bool YesNo::ask(const QString &question, Default answer)
{
    m_question->setPlainText(question);
    QPushButton *preferred = answer == DefaultNo ? m_no : m_yes;
    preferred->setDefault(true);
    // The focus follows, so Space answers the same as Enter.
    preferred->setFocus();
    return exec() == QDialog::Accepted;
}
