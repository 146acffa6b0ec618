#include "ui/TeamNames.h"

#include "core/values/PbUtil.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TeamNames::TeamNames(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TeamNames"));
    setWindowTitle(TeamEntry::heatCaption(1));
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    outer->addLayout(grid);
    for (int i = 0; i < Rows; ++i) {
        const QString lane = QString::number(i + 1);
        auto *label = new QLabel(PBUTIL::FormatHash(i + 1), this);
        label->setObjectName(QStringLiteral("LaneNo_%1").arg(i));
        auto *name = new QLineEdit(QStringLiteral("Text1"), this);
        name->setObjectName(QStringLiteral("TeamName_%1").arg(i));
        name->setAccessibleName(tr("Team Name lane ") + lane);
        label->setBuddy(name);
        auto *noTeam = new QCheckBox(tr("No Team"), this);
        noTeam->setObjectName(QStringLiteral("NoTeam_%1").arg(i));
        noTeam->setAccessibleName(tr("No Team lane ") + lane);
        auto *nonScoring = new QCheckBox(tr("Non Scoring"), this);
        nonScoring->setObjectName(QStringLiteral("NonScoring_%1").arg(i));
        nonScoring->setAccessibleName(tr("Non Scoring lane ") + lane);
        grid->addWidget(label, i, 0);
        grid->addWidget(name, i, 1);
        grid->addWidget(noTeam, i, 2);
        grid->addWidget(nonScoring, i, 3);
        m_laneNo[i] = label;
        m_teamName[i] = name;
        m_noTeam[i] = noTeam;
        m_nonScoring[i] = nonScoring;
    }
    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("Command1"));
    m_done->setFont(QFont(QStringLiteral("Impact"), 12));
    // Enter in a name box must not end the heat.
    m_done->setAutoDefault(false);
    outer->addWidget(m_done);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
}

void TeamNames::prepare(int heat, int lanes)
{
    for (int i = 0; i < Rows; ++i) {
        const bool used = i < lanes;
        m_laneNo[i]->setText(PBUTIL::FormatHash(i + 1));
        m_teamName[i]->clear();
        m_noTeam[i]->setChecked(false);
        m_nonScoring[i]->setChecked(false);
        m_laneNo[i]->setVisible(used);
        m_teamName[i]->setVisible(used);
        m_noTeam[i]->setVisible(used);
        m_nonScoring[i]->setVisible(used);
    }
    setWindowTitle(TeamEntry::heatCaption(heat));
    if (lanes > 0)
        m_teamName[0]->setFocus();
}

std::vector<LaneChoice> TeamNames::choices(int lanes) const
{
    std::vector<LaneChoice> rows;
    for (int i = 0; i < lanes && i < Rows; ++i) {
        rows.push_back(
            {m_teamName[i]->text(), m_noTeam[i]->isChecked(), m_nonScoring[i]->isChecked()});
    }
    return rows;
}
