// The sheet's features bound to its menus and buttons: printing, exports and
// the timing links.
#include "ui/GalaRecSheet.h"

#include "core/exports/ExportMenu.h"
#include "core/gala/GalaState.h"
#include "core/links/AresOnlineTimes.h"
#include "core/links/HeatList.h"
#include "core/links/OfficialTime.h"
#include "core/links/SplitTimes.h"
#include "core/reports/PrinterSurface.h"
#include "core/reports/ReportCatalogue.h"
#include "core/reports/Reports.h"
#include "core/sheet/GalaOpening.h"
#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SharedState.h"
#include "ui/PrintMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

SplitTimes GalaRecSheet::splitTimes() const
{
    // Splits come from the online-times database only while it is in use;
    // without it every swim simply has none.
    return m_aresTimes ? SplitTimes(m_aresTimes->AresDb.get(), m_aresTimes->MeetCode)
                       : SplitTimes(nullptr, QString());
}

void GalaRecSheet::bindPrinting()
{
    auto *menu = findChild<QMenu *>(QStringLiteral("Print_Menu"));
    const auto bind = [this](const char *name, auto action) { bindEntry(name, action); };
    // One report of the catalogue, drawn from the sheet as it stands.
    auto report = [this](const ReportCatalogue::Report &r) {
        Slots<QString> teams;
        if (r.needs == ReportCatalogue::Needs::LaneTeams)
            teams = AskTimekeeperLanes(m_dialogs);
        PrintMenu(m_shared, m_dialogs, this)
            .run(ReportCatalogue::Name(r), [this, &r, &teams](PrinterSurface &p) {
                SplitTimes splits = splitTimes();
                r.draw({m_shared, m_gala, splits, &m_model, teams}, p);
            });
    };
    bind("Printsetup", [this] { PrintMenu(m_shared, m_dialogs, this).printerSetUp(); });
    const ReportCatalogue::Report *speedingTickets = nullptr;
    for (const ReportCatalogue::Report &r : ReportCatalogue::All()) {
        if (QLatin1String(r.objectName) == QLatin1String("Speeding"))
            speedingTickets = &r;
        else
            bind(r.objectName, [report, &r] { report(r); });
    }

    QAction *preview = menu->addAction(tr("Preview Before Printing"));
    preview->setObjectName(QStringLiteral("Print_Preview"));
    preview->setCheckable(true);
    preview->setChecked(PrintMenu(m_shared, m_dialogs, this).preview());
    connect(preview, &QAction::toggled, this,
            [this](bool on) { PrintMenu(m_shared, m_dialogs, this).setPreview(on); });

    auto *speeding = findChild<QPushButton *>(QStringLiteral("Speeding"));
    speeding->setEnabled(true);
    connect(speeding, &QPushButton::clicked, this,
            guarded([report, speedingTickets] { report(*speedingTickets); }));
}

void GalaRecSheet::bindExports()
{
    const auto bind = [this](const char *name, auto action) { bindEntry(name, action); };
    bind("WEB_Results_Sheet", [this] { ExportMenu::WebResultsSheet(m_shared, m_gala, m_dialogs); });
    bind("WEB_Team_Results", [this] {
        SplitTimes splits = splitTimes();
        ExportMenu::WebTeamResults(m_shared, m_gala, m_dialogs, splits);
    });
    bind("Export_ASA_Rankings", [this] {
        ExportMenu::AsaRankingFiles(
            m_shared, m_gala, m_dialogs,
            PoolLengthOf(GalaDatabase(m_shared), m_shared.ProgCode, m_shared.GalaDate));
    });
    bind("Data_for_Program", [this] { ExportMenu::DataForProgram(m_shared, m_gala, m_dialogs); });
    bind("Export_Lenex",
         [this] { ExportMenu::LenexResultsFile(m_shared, m_gala, m_aresTimes, m_dialogs); });
}

void GalaRecSheet::bindTimingLinks()
{
    auto *online = new AresOnlineTimes(m_aresTimes, m_gala, m_model, m_dialogs, this);
    auto *aresTime = findChild<QLabel *>(QStringLiteral("Ares_time_ty"));
    connect(online, &AresOnlineTimes::aresTimeTypeChanged, this,
            [aresTime, online] { aresTime->setText(online->aresTimeType()); });
    connect(m_onlineTimes, &QPushButton::clicked, this,
            guarded([online] { online->GetOnlineTimes(); }));

    // Only the official's own tick announces; a box cleared by the program
    // (another event shown) raises no click.
    for (int r = 0; r < SheetModel::Rows; ++r) {
        connect(m_bu[r], &QCheckBox::clicked, this, [this, r](bool ticked) {
            if (ticked)
                Guarded(m_dialogs,
                        [&] { AnnounceOfficialTime(m_shared, m_gala, m_model, m_dialogs, r); });
        });
    }

    connect(findChild<QPushButton *>(QStringLiteral("HeatList")), &QPushButton::clicked, this,
            guarded([this] { HeatsListToAnnouncer(m_shared, m_gala, m_model, m_dialogs); }));
}
