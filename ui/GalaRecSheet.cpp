#include "ui/GalaRecSheet.h"

#include "core/gala/GalaState.h"
#include "core/live/LivePublisher.h"
#include "core/sheet/GalaOpening.h"
#include "core/values/Dialogs.h"
#include "core/values/SharedState.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

GalaRecSheet::GalaRecSheet(SharedState &shared, GalaState &gala, Dialogs &dialogs,
                           OnlineTimes *online, QWidget *parent)
    : QDialog(parent), m_shared(shared), m_gala(gala), m_dialogs(dialogs),
      m_model(shared, gala, dialogs), m_aresTimes(online), m_online(online != nullptr)
{
    setObjectName(QStringLiteral("GalaRecSheet"));
    setWindowTitle(tr("Gala Recording : ") + gala.GalaName);

    auto *outer = new QVBoxLayout(this);
    buildMenus(outer);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid);
    buildRows(grid);
    buildControls(outer);
    setTabChain();
    connectModel();
    bindPrinting();
    bindExports();
    bindTimingLinks();

    // The desk starts typing the first lane's time at once.
    guarded([this] {
        m_model.setUpRows();
        refreshRows();
        m_model.ShowEvent(1);
    })();
}

bool GalaRecSheet::moveAlongColumn(QObject *watched, const QKeyEvent *key)
{
    if (watched == m_evNo) {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        // As leaving the box does; the event shown then takes the focus, and
        // that leaving must not save and show the event a second time.
        m_evNoEntered = true;
        guarded([this] { m_model.EvNoLostFocus(); })();
        m_evNoEntered = false;
        return true;
    }
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -1;
        break;
    default:
        return false;
    }
    for (const SheetModel::Column column : {SheetModel::Time, SheetModel::SwimmerName}) {
        for (int r = 0; r < SheetModel::Rows; ++r) {
            if (watched != m_box[column][r])
                continue;
            // Moving the focus leaves the box, so its handling (the ranking)
            // runs exactly as on Tab. The first and last lanes stay put.
            const int to = r + step;
            if (to >= 0 && to < SheetModel::Rows && m_model.rowVisible(to))
                m_box[column][to]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

bool GalaRecSheet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        moveAlongColumn(watched, static_cast<QKeyEvent *>(event)))
        return true;
    if (event->type() != QEvent::FocusOut)
        return QDialog::eventFilter(watched, event);
    // A message box or menu taking the focus for a moment is no leaving of the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (watched == m_evNo) {
        if (!m_evNoEntered)
            guarded([this] { m_model.EvNoLostFocus(); })();
        return false;
    }
    for (int r = 0; r < SheetModel::Rows; ++r) {
        if (watched == m_box[SheetModel::Time][r]) {
            guarded([this, r] { m_model.TimeLostFocus(r); })();
            break;
        }
        if (watched == m_box[SheetModel::Position][r]) {
            m_model.PositionLostFocus(r);
            break;
        }
        if (watched == m_box[SheetModel::DoB][r]) {
            guarded([this, r] { m_model.DobLostFocus(r); })();
            break;
        }
    }
    return false;
}

void GalaRecSheet::keyPressEvent(QKeyEvent *event)
{
    // Escape would leave the sheet by accident in the middle of a heat.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GalaRecSheet::reject()
{
    exitSheet();
}

void GalaRecSheet::exitSheet()
{
    bool saved = false;
    Guarded(m_dialogs, [&] { saved = m_model.SaveResults(SaveAction::Exit); });
    // Typed results that could not be stored must not vanish with the window
    // unless the official says so.
    if (saved || m_dialogs.yesNoDefaultNo(tr("The results could not be saved. Leave the "
                                             "recording sheet without saving them?")))
        QDialog::done(QDialog::Accepted);
}

void RecordResults(SharedState &shared, GalaState &gala, Dialogs &dialogs, QWidget *parent)
{
    OpenedGala opened;
    if (!Guarded(dialogs, [&] { opened = OpenGala(shared, gala, dialogs); }) || !opened.opened())
        return;
    // `opened` keeps the online-times database open while the sheet is shown.
    OnlineTimes *online = opened.OnlineOn ? &opened.online : nullptr;
    GalaRecSheet sheet(shared, gala, dialogs, online, parent);
    sheet.setWindowTitle(opened.caption());
    if (LivePublisher *publisher = DeskPublisher(shared, dialogs))
        publisher->follow(sheet.model(), shared, gala, online);
    sheet.exec();
}
