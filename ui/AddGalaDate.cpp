#include "ui/AddGalaDate.h"

#include "core/preparation/GalaCodes.h"
#include "core/values/Dialogs.h"
#include "core/values/Guarded.h"
#include "core/values/SharedState.h"
#include "ui/ScreenParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddGalaDate::AddGalaDate(SharedState &shared, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("AddGalaDate"));
    setWindowTitle(tr("Add new date for ") + m_shared.ProgCode);
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    auto addBox = [&](const QString &name, const QString &label) {
        return FormBox(form, this, name, label);
    };
    m_date = addBox(QStringLiteral("GDate"), QStringLiteral("Date"));
    m_pool = addBox(QStringLiteral("GPool"), QStringLiteral("Pool Name"));
    m_promoter = addBox(QStringLiteral("GPromoter"), QStringLiteral("Promoter"));
    m_length = addBox(QStringLiteral("GLength"), QStringLiteral("Pool Length"));
    auto *note = new QLabel(tr("(just the number, don't specify the unit)"), this);
    form->addRow(QString(), note);
    m_graded = new QCheckBox(tr("Graded Gala ?"), this);
    m_graded->setObjectName(QStringLiteral("GGraded"));
    m_graded->setAccessibleName(m_graded->text());
    form->addRow(QString(), m_graded);

    auto *add = NamedButton(this, QStringLiteral("Command1"), tr("Add New Date"));
    auto *exit = NamedButton(this, QStringLiteral("Command2"), tr("Exit"));
    AddButtonRow(outer, {add, exit});
    connect(add, &QPushButton::clicked, this, &AddGalaDate::addDate);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
}

void AddGalaDate::addDate()
{
    Guarded(m_dialogs, [&] {
        if (!GalaCodes::addDate(GalaDatabase(m_shared), m_shared.ProgCode, m_date->text(),
                                m_pool->text(), m_promoter->text(), m_length->text(),
                                m_graded->isChecked()))
            m_dialogs.message(tr("Date is invalid"));
    });
}
