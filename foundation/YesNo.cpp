#include "foundation/YesNo.h"

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
    m_question->setAccessibleName(QStringLiteral("Question"));
    m_question->setReadOnly(true);
    m_question->setFixedHeight(72);
    auto *yes = new QPushButton(QStringLiteral("Yes"), this);
    yes->setObjectName(QStringLiteral("Command1"));
    yes->setDefault(true);
    auto *no = new QPushButton(QStringLiteral("No"), this);
    no->setObjectName(QStringLiteral("Command2"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_question);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

bool YesNo::ask(const QString &question)
{
    m_question->setPlainText(question);
    return exec() == QDialog::Accepted;
}
