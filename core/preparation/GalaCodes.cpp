#include "core/preparation/GalaCodes.h"

#include "core/values/Engine.h"
#include "core/values/PbUtil.h"

namespace GalaCodes {

bool codeUsed(Database &db, const QString &code)
{
    Recordset names = db.openRecordset(QStringLiteral("Gala_Name"));
    bool used = false;
    if (names.recordCount() > 0) {
        for (names.moveFirst(); !names.atEnd() && !used; names.moveNext())
            used = names.text(QStringLiteral("Program code")) == code;
    }
    names.close();
    return used;
}

void addCode(Database &db, const QString &code, const QString &description, const QString &notes)
{
    Recordset names = db.openRecordset(QStringLiteral("Gala_Name"));
    names.addNew();
    names.setValue(QStringLiteral("Program code"), code);
    names.setValue(QStringLiteral("Program description"), description);
    names.setValue(QStringLiteral("Program notes"), notes);
    names.update();
    names.close();
}

bool addDate(Database &db, const QString &code, const QString &dateText, const QString &pool,
             const QString &promoter, const QString &lengthText, bool graded)
{
    // Day zero of the old date scale never was a gala.
    const QDate date = PBUTIL::ReadDate(dateText);
    if (!date.isValid() || date == QDate(1899, 12, 30))
        return false;
    Recordset dates = db.openRecordset(QStringLiteral("Gala_Date"));
    dates.addNew();
    dates.setValue(QStringLiteral("Program code"), code);
    dates.setValue(QStringLiteral("Date"), date);
    dates.setValue(QStringLiteral("Pool Name"), pool);
    dates.setValue(QStringLiteral("Promoter"), promoter);
    dates.setValue(QStringLiteral("Pool Length"), PBUTIL::LeadingNumber(lengthText));
    dates.setValue(QStringLiteral("Graded"), graded);
    dates.update();
    dates.close();
    return true;
}

} // namespace GalaCodes
