#include "preparation/EventDetails.h"

#include "foundation/Dialogs.h"
#include "foundation/SharedState.h"
#include "preparation/GalaCodes.h"
#include "foundation/Guarded.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *addBox(QFormLayout *form, QWidget *parent, const QString &name, const QString &label)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(label);
    form->addRow(label, box);
    return box;
}

} // namespace

EventDetails::EventDetails(SharedState &shared, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("EventDetails"));
    setWindowTitle(QStringLiteral("Add Event Details"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    m_code = addBox(form, this, QStringLiteral("GCode"), QStringLiteral("Code"));
    m_code->setToolTip(QStringLiteral("Unique code associated with this event"));
    m_code->setPlaceholderText(m_code->toolTip());
    m_description =
        addBox(form, this, QStringLiteral("GDescription"), QStringLiteral("Description"));
    m_notes = addBox(form, this, QStringLiteral("GNotes"), QStringLiteral("Notes"));

    auto *buttons = new QHBoxLayout;
    outer->addLayout(buttons);
    auto *add = new QPushButton(QStringLiteral("Add Event"), this);
    add->setObjectName(QStringLiteral("Command1"));
    auto *exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *b : {add, exit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
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
    m_dialogs.message(QStringLiteral("You have already used this gala code"));
    m_code->clear();
    return true;
}

void EventDetails::addEvent()
{
    Guarded(m_dialogs, [&] {
        if (m_code->text().isEmpty()) {
            m_dialogs.message(QStringLiteral("No gala code specified"));
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
