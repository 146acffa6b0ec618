#include "ui/GalaRecIntro.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton *bigButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(QFont(QStringLiteral("Impact"), 14, QFont::Bold));
    b->setMinimumWidth(110);
    return b;
}

} // namespace

GalaRecIntro::GalaRecIntro(SharedState &shared, Dialogs &dialogs, const UserFolders &folders,
                           QWidget *parent)
    : QWidget(parent), m_startUp(shared, dialogs, folders)
{
    setObjectName(QStringLiteral("GalaRec_Intro"));
    setWindowTitle(tr("Gala Recording Module"));

    auto *title = new QLabel(tr("Gala Recording Module"), this);
    title->setObjectName(QStringLiteral("Label7"));
    title->setFont(QFont(QStringLiteral("Impact"), 26, QFont::Bold));
    title->setAlignment(Qt::AlignCenter);
    auto *explain =
        new QLabel(tr("This file is where Aquaplan stores the details of the gala and records "
                      "its results."),
                   this);
    explain->setObjectName(QStringLiteral("Label5"));
    explain->setFont(QFont(QStringLiteral("Tahoma"), 10));
    explain->setWordWrap(true);
    auto *dbLabel = new QLabel(tr("Gala Recording Database Filename"), this);
    dbLabel->setObjectName(QStringLiteral("Label3"));
    dbLabel->setFont(QFont(QStringLiteral("Impact"), 12, QFont::Bold));
    m_dbName = new QLineEdit(this);
    m_dbName->setObjectName(QStringLiteral("DbName"));
    m_dbName->setAccessibleName(dbLabel->text());
    m_dbName->setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    m_dbName->setMinimumWidth(480);
    dbLabel->setBuddy(m_dbName);

    auto *enterButton = bigButton(tr("Enter"), QStringLiteral("Command3"), this);
    auto *exitButton = bigButton(tr("Exit"), QStringLiteral("Command4"), this);
    auto *browseButton = bigButton(tr("Browse"), QStringLiteral("Command1"), this);
    enterButton->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(explain, 1, 0, 1, 3);
    grid->addWidget(dbLabel, 2, 0, 1, 3);
    grid->addWidget(m_dbName, 3, 0, 1, 2);
    grid->addWidget(browseButton, 3, 2);
    grid->addWidget(enterButton, 4, 0);
    grid->addWidget(exitButton, 4, 2);
    setTabOrder(m_dbName, enterButton);
    setTabOrder(enterButton, browseButton);
    setTabOrder(browseButton, exitButton);

    m_dbName->setText(m_startUp.load());

    connect(browseButton, &QPushButton::clicked, this, [this] {
        const QString path = m_startUp.browse();
        if (!path.isEmpty())
            m_dbName->setText(path);
    });
    connect(m_dbName, &QLineEdit::returnPressed, this, &GalaRecIntro::enter);
    connect(enterButton, &QPushButton::clicked, this, &GalaRecIntro::enter);
    connect(exitButton, &QPushButton::clicked, this, &GalaRecIntro::exitProgram);
}

void GalaRecIntro::enter()
{
    if (!m_startUp.enter(m_dbName->text()))
        return;
    hide();
    if (openSetUp)
        openSetUp();
    show();
}

void GalaRecIntro::exitProgram()
{
    m_startUp.exit();
    close();
}

void GalaRecIntro::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    QApplication::quit();
}
