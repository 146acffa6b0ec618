#include "ui/RestoreSaveScreen.h"

#include "core/sheet/RestoreSave.h"
#include "core/values/Guarded.h"
#include "ui/ScreenParts.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

RestoreSaveScreen::RestoreSaveScreen(SharedState &shared, Dialogs &dialogs,
                                     const QList<SaveHistory::Entry> &saves, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_dialogs(dialogs), m_saves(saves)
{
    setObjectName(QStringLiteral("RestoreSaveScreen"));
    setWindowTitle(tr("Restore Previous Save"));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(tr("Saves, newest first"), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("SaveList"));
    m_list->setAccessibleName(caption->text());
    caption->setBuddy(m_list);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {tr("Saved"), tr("Action"), tr("Event shown"), tr("Events with results")});
    for (const SaveHistory::Entry &entry : m_saves)
        m_list->addTopLevelItem(new QTreeWidgetItem(RestoreSave::Columns(entry)));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setCurrentItem(m_list->topLevelItem(0));
    layout->addWidget(caption);
    layout->addWidget(m_list);
    QPushButton *restore = NamedButton(this, QStringLiteral("Restore"), tr("Restore"));
    QPushButton *cancel = NamedButton(this, QStringLiteral("Cancel"), tr("Cancel"));
    AddButtonRow(layout, {restore, cancel});
    connect(restore, &QPushButton::clicked, this, &RestoreSaveScreen::restore);
    connect(m_list, &QTreeWidget::itemActivated, this, &RestoreSaveScreen::restore);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 360);
}

void RestoreSaveScreen::restore()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= m_saves.size())
        return;
    bool restored = false;
    Guarded(m_dialogs, [&] { restored = RestoreSave::Restore(m_shared, m_dialogs, m_saves[row]); });
    if (restored)
        accept();
}
