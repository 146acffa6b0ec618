#include "ui/GalaProg.h"

#include "core/values/Dialogs.h"
#include "core/values/Guarded.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

GalaProg::GalaProg(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_editor(shared, gala, dialogs)
{
    setObjectName(QStringLiteral("GalaProg"));
    setWindowTitle(tr("Create/Amend Gala Programme"));
    auto *outer = new QVBoxLayout(this);

    struct BoxDesign
    {
        const char *name, *label, *hint;
    };
    static const BoxDesign design[BoxCount] = {
        {"PEventNo", "Event No", nullptr},
        {"PSexAge", "Sex/Age", nullptr},
        {"PDistance", "Distance", "Distance (no unit e.g. 50 NOT 50m)"},
        {"PStroke", "Stroke", "FS, BR, BK, BR,MED (aa R for relays)"},
        {"PTime", "Limit Time", "Only needed for graded galas"},
        {"PScoring", "Scoring", "2X for double scoring"},
    };
    auto *boxes = new QGridLayout;
    outer->addLayout(boxes);
    for (int i = 0; i < BoxCount; ++i) {
        const QString label = QString::fromLatin1(design[i].label);
        auto *caption = new QLabel(label, this);
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(design[i].name));
        box->setAccessibleName(label);
        if (design[i].hint) {
            box->setToolTip(QString::fromLatin1(design[i].hint));
            box->setPlaceholderText(box->toolTip());
        }
        caption->setBuddy(box);
        boxes->addWidget(caption, 0, i);
        boxes->addWidget(box, 1, i);
        box->installEventFilter(this);
        m_box[i] = box;
    }

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ProgList"));
    m_list->setAccessibleName(tr("Programme"));
    m_list->setFont(QFont(QStringLiteral("Arial")));
    outer->addWidget(m_list);

    auto *buttons = new QGridLayout;
    outer->addLayout(buttons);
    auto button = [&](const char *name, const char *caption, int row, int column) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b, row, column);
        return b;
    };
    connect(button("Command1", "Add", 0, 0), &QPushButton::clicked, this, [this] {
        act([this] { m_editor.add(typedEvent()); });
        m_box[EventNoBox]->setFocus();
    });
    connect(button("Command3", "Insert", 0, 1), &QPushButton::clicked, this,
            [this] { act([this] { m_editor.insert(selectedLine(), typedEvent()); }); });
    connect(button("Command2", "Delete", 0, 2), &QPushButton::clicked, this,
            [this] { act([this] { m_editor.remove(selectedLine()); }); });
    connect(button("ClearAll", "Clear", 0, 3), &QPushButton::clicked, this,
            [this] { act([this] { m_editor.clear(); }); });
    connect(button("File_Load", "Load from File", 1, 0), &QPushButton::clicked, this,
            [this] { act([this] { m_editor.loadFromFile(); }); });
    connect(button("File_Save", "Save to File", 1, 1), &QPushButton::clicked, this,
            [this] { Guarded(m_dialogs, [this] { m_editor.saveToFile(); }); });
    connect(button("Db_Load", "Load from DB", 1, 2), &QPushButton::clicked, this,
            [this] { m_dialogs.message(tr("Not implemented yet")); });
    connect(button("Db_Save", "Save", 1, 3), &QPushButton::clicked, this,
            [this] { Guarded(m_dialogs, [this] { m_editor.saveToDatabase(); }); });
    connect(button("Command4", "Exit", 2, 3), &QPushButton::clicked, this, &QDialog::accept);

    act([this] { m_editor.loadFromDatabase(); });
}

template <typename Action> void GalaProg::act(Action &&action)
{
    Guarded(m_dialogs, std::forward<Action>(action));
    rebuildList();
}

ProgrammeEvent GalaProg::typedEvent() const
{
    return {m_box[EventNoBox]->text(), m_box[SexAgeBox]->text(), m_box[DistanceBox]->text(),
            m_box[StrokeBox]->text(),  m_box[TimeBox]->text(),   m_box[ScoringBox]->text()};
}

int GalaProg::selectedLine() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? m_list->row(item) : -1;
}

void GalaProg::rebuildList()
{
    m_list->clear();
    m_list->addItems(m_editor.programme().listLines());
}

bool GalaProg::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
        // Switching windows (a message box, another program) is no move
        // between the boxes.
        const bool moved = why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason;
        if (event->type() == QEvent::FocusIn && !box->text().isEmpty()) {
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut && moved && box == m_box[TimeBox]) {
            box->setText(m_editor.normaliseTime(box->text()));
        }
    }
    return QDialog::eventFilter(watched, event);
}
