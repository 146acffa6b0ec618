#include "ui/EventDetails.h"

#include "core/preparation/GalaCodes.h"
#include "core/values/Dialogs.h"
#include "core/values/Guarded.h"
#include "core/values/SharedState.h"
#include "ui/ScreenParts.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

EventDetails::EventDetails(SharedState &shared, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("EventDetails"));
    setWindowTitle(tr("Add Event Details"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    m_code = FormBox(form, this, QStringLiteral("GCode"), QStringLiteral("Code"));
    m_code->setToolTip(tr("Unique code associated with this event"));
    m_code->setPlaceholderText(m_code->toolTip());
    m_description =
        FormBox(form, this, QStringLiteral("GDescription"), QStringLiteral("Description"));
    m_notes = FormBox(form, this, QStringLiteral("GNotes"), QStringLiteral("Notes"));

    auto *add = NamedButton(this, QStringLiteral("Command1"), tr("Add Event"));
    auto *exit = NamedButton(this, QStringLiteral("Command2"), tr("Exit"));
    AddButtonRow(outer, {add, exit});
    connect(add, &QPushButton::clicked, this, &EventDetails::addEvent);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    m_code->installEventFilter(this);
}

bool EventDetails::eventFilter(QObject *watched, QEvent *event)
{
    // Only a move to another control of this screen counts as leaving the box.
    if (watched == m_code && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            Guarded(m_dialogs, [&] { refuseUsedCode(); });
    }
    return QDialog::eventFilter(watched, event);
}

bool EventDetails::refuseUsedCode()
{
    if (!GalaCodes::codeUsed(GalaDatabase(m_shared), m_code->text()))
        return false;
    m_dialogs.message(tr("You have already used this gala code"));
    m_code->clear();
    return true;
}

void EventDetails::addEvent()
{
    Guarded(m_dialogs, [&] {
        if (m_code->text().isEmpty()) {
            m_dialogs.message(tr("No gala code specified"));
            return;
        }
        // Leaving the code box has normally refused a used code already;
        // a keyboard shortcut can skip that, so test again.
        if (refuseUsedCode())
            return;
        GalaCodes::addCode(GalaDatabase(m_shared), m_code->text(), m_description->text(),
                           m_notes->text());
    });
}
