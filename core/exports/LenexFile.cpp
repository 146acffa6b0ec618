#include "core/exports/LenexFile.h"

#include "core/exports/LenexResults.h"
#include "core/links/SplitTimes.h"
#include "core/sheet/GalaOpening.h"
#include "core/values/Dialogs.h"
#include "core/values/Guarded.h"
#include "core/values/PbUtil.h"
#include "core/values/SharedState.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

namespace LenexFile {

namespace {

const QString PlainEnding = QStringLiteral(".lef");
const QString ZippedEnding = QStringLiteral(".lxf");

QString tr(const char *text)
{
    return QCoreApplication::translate("LenexFile", text);
}

// libzip assembles the archive beside the target and renames it into place
// on closing, so the old file stays whole until the new one is complete.
bool writeZip(const QString &path, const QByteArray &data, const QDate &stamp, QString *error)
{
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, code);
        *error = QString::fromUtf8(zip_error_strerror(&reason));
        zip_error_fini(&reason);
        return false;
    }
    const auto fail = [&] {
        *error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return false;
    };
    zip_source_t *source =
        zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
    if (!source)
        return fail();
    const QByteArray entry = (QFileInfo(path).completeBaseName() + PlainEnding).toUtf8();
    const zip_int64_t index =
        zip_file_add(archive, entry.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        return fail();
    }
    const QDate day = stamp.isValid() ? stamp : QDate(1980, 1, 1);
    const time_t when = time_t(QDateTime(day, QTime(12, 0)).toSecsSinceEpoch());
    if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9) < 0 ||
        zip_file_set_mtime(archive, zip_uint64_t(index), when, 0) < 0)
        return fail();
    if (zip_close(archive) < 0)
        return fail();
    return true;
}

} // namespace

QString FileName(const QString &typed)
{
    if (typed.endsWith(PlainEnding, Qt::CaseInsensitive) ||
        typed.endsWith(ZippedEnding, Qt::CaseInsensitive))
        return typed;
    return typed + ZippedEnding;
}

bool IsPlain(const QString &path)
{
    return path.endsWith(PlainEnding, Qt::CaseInsensitive);
}

bool Write(const QString &path, const QByteArray &xml, const QDate &stamp, QString *error)
{
    // Lines end in CR LF like every text file of the program, zipped or not.
    QStringList lines = QString::fromUtf8(xml).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (IsPlain(path)) {
        return PBUTIL::WriteTextFile(path, lines, error);
    }
    const QByteArray data = (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
    return writeZip(path, data, stamp, error);
}

bool Export(SharedState &shared, const GalaState &gala, OnlineTimes *online, const QString &typed,
            QString *written, QString *error)
{
    *written = typed;
    // Readers need to know whom to ask about the file; the contact is
    // never invented.
    if (shared.ContactEmail.trimmed().isEmpty()) {
        *error = tr("no contact e-mail is set for Lenex files");
        return false;
    }
    LenexMeet meet;
    meet.GalaDate = shared.GalaDate;
    meet.ContactEmail = shared.ContactEmail.trimmed();
    meet.Organisation = shared.ContactOrganisation.trimmed();
    meet.GalaCode = shared.ProgCode;
    meet.PoolLength = PoolLengthOf(GalaDatabase(shared), shared.ProgCode, shared.GalaDate);
    meet.ProgramVersion = QStringLiteral(AQGALAREC_VERSION);
    SplitTimes splits(online ? online->AresDb.get() : nullptr,
                      online ? online->MeetCode : QString());
    const QByteArray xml = LenexResultsXml(gala, meet, splits);
    if (typed.endsWith(QLatin1Char('/')) || QFileInfo(typed).isDir()) {
        *error = tr("a folder, not a file name");
        return false;
    }
    *written = FileName(typed);
    return Write(*written, xml, PBUTIL::ReadDate(shared.GalaDate), error);
}

bool IsEmailAddress(const QString &text)
{
    static const QRegularExpression address(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    return address.match(text).hasMatch();
}

bool AskContact(SharedState &shared, Dialogs &dialogs)
{
    QString email = shared.ContactEmail.trimmed();
    if (email.isEmpty()) {
        email = dialogs.input(tr("Enter the contact e-mail for Lenex files")).trimmed();
        if (email.isEmpty()) {
            dialogs.message(tr("No contact e-mail given: no Lenex file written"));
            return false;
        }
        if (!IsEmailAddress(email)) {
            dialogs.message(
                tr("\"%1\" is not an e-mail address: no Lenex file written").arg(email));
            return false;
        }
    }
    QString organisation = shared.ContactOrganisation.trimmed();
    if (organisation.isEmpty()) {
        organisation =
            dialogs.input(tr("Enter the organisation that runs the recording desk")).trimmed();
        if (organisation.isEmpty()) {
            dialogs.message(tr("No organisation given: no Lenex file written"));
            return false;
        }
    }
    shared.ContactEmail = email;
    shared.ContactOrganisation = organisation;
    return true;
}

void ExportFromMenu(SharedState &shared, const GalaState &gala, OnlineTimes *online,
                    Dialogs &dialogs)
{
    if (!AskContact(shared, dialogs))
        return;
    FileChoice &choice = shared.Choice;
    choice.FilePrompt = tr("Select File for Lenex Results");
    choice.FileMustExist = false;
    choice.SelectedFile.clear();
    dialogs.chooseFile(choice);
    if (choice.SelectedDir.isEmpty() || choice.SelectedFile.isEmpty()) {
        dialogs.message(tr("No Output File Specified"));
        return;
    }
    QString written, error;
    if (!Export(shared, gala, online, choice.path(), &written, &error))
        dialogs.message(tr("Lenex results not written to %1: %2").arg(written, error));
    else
        dialogs.message(tr("Lenex results written to %1").arg(written));
}

} // namespace LenexFile
