// What the sheet's boxes show: the model's texts, copied whenever they change.
#include "ui/GalaRecSheet.h"

#include "ui/GalaRecSheetColumns.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using namespace SheetColumns;

void GalaRecSheet::connectModel()
{
    connect(&m_model, &SheetModel::textChanged, this,
            [this](SheetModel::Column column, int row) { showText(column, row); });
    connect(&m_model, &SheetModel::buChanged, this, [this](int row) {
        if (row >= 0 && row < SheetModel::Rows)
            m_bu[row]->setChecked(m_model.bu(row));
    });
    connect(&m_model, &SheetModel::evNoChanged, this, [this] { mirror(m_evNo, m_model.evNo()); });
    connect(&m_model, &SheetModel::eventDetailsChanged, this,
            [this] { m_eventDetails->setText(m_model.eventDetails()); });
    connect(&m_model, &SheetModel::eventShownChanged, this, &GalaRecSheet::showRowsEditable);
    connect(&m_model, &SheetModel::hintChanged, this, [this] { m_hint->setText(m_model.hint()); });
    // Whatever brought an event up, the desk types its first lane's time next.
    connect(&m_model, &SheetModel::eventBroughtUp, this,
            [this] { m_box[SheetModel::Time][0]->setFocus(Qt::OtherFocusReason); });
    connect(&m_model, &SheetModel::rowsChanged, this, &GalaRecSheet::refreshRows);
}

void GalaRecSheet::showText(SheetModel::Column column, int row)
{
    if (column < 0 || column >= SheetModel::ColumnCount || row < 0 || row >= SheetModel::Rows)
        return;
    mirror(m_box[column][row], m_model.text(column, row));
}

void GalaRecSheet::mirror(QLineEdit *box, const QString &text)
{
    if (box->text() == text)
        return;
    const bool outer = m_mirroring;
    m_mirroring = true;
    box->setText(text);
    m_mirroring = outer;
}

void GalaRecSheet::showRowsEditable()
{
    const bool editable = m_model.eventShown();
    for (int c = 0; c < SheetModel::ColumnCount; ++c) {
        for (int r = 0; r < SheetModel::Rows; ++r)
            m_box[c][r]->setReadOnly(!editable);
    }
}

void GalaRecSheet::refreshRows()
{
    m_buHeading->setVisible(m_online);
    for (int r = 0; r < SheetModel::Rows; ++r) {
        const QString caption = m_model.laneCaption(r);
        const bool visible = m_model.rowVisible(r);
        m_lane[r]->setText(caption);
        m_teamName[r]->setText(m_model.teamNameCaption(r));
        m_lane[r]->setVisible(visible);
        m_teamName[r]->setVisible(visible);
        const QString suffix = caption.isEmpty() ? QString() : QLatin1Char(' ') + caption;
        for (int c = 0; c < SheetModel::ColumnCount; ++c) {
            m_box[c][r]->setVisible(visible);
            m_box[c][r]->setAccessibleName(tr(Columns[c].heading) + suffix);
            showText(SheetModel::Column(c), r);
        }
        m_bu[r]->setVisible(visible && m_online);
        m_bu[r]->setAccessibleName(tr("BU") + suffix);
        m_bu[r]->setChecked(m_model.bu(r));
    }
    mirror(m_evNo, m_model.evNo());
    m_eventDetails->setText(m_model.eventDetails());
    showRowsEditable();
}
