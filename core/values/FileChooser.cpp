#include "core/values/FileChooser.h"

#include "core/values/Engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

FileChooser::FileChooser()
{
    m_dirPath = QDir::currentPath();
    m_drive = driveOf(m_dirPath);
}

QString FileChooser::driveOf(const QString &path) const
{
    return QStorageInfo(path).rootPath();
}

QStringList FileChooser::drives() const
{
    QStringList roots;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
            roots << v.rootPath();
    }
    if (!roots.contains(m_drive))
        roots << m_drive;
    roots.sort();
    return roots;
}

void FileChooser::begin(FileChoice &choice)
{
    m_choice = &choice;
    m_shown = true;
    if (!choice.Pattern.isEmpty())
        m_pattern = choice.Pattern;
    choice.Pattern.clear();
    if (!choice.SelectedDir.isEmpty()) {
        const QString dir = withoutTrailingSlash(choice.SelectedDir);
        // A caller's folder that is gone leaves the list where it was.
        if (dir != m_dirPath)
            enter(dir);
    }
    m_selectedFile = -1;
    if (!choice.SelectedFile.isEmpty() && files().contains(choice.SelectedFile))
        m_text = choice.SelectedFile;
    // The box offers the pattern unless a file is selected in the list.
    if (m_selectedFile < 0)
        m_text = m_pattern;
}

void FileChooser::setDrive(const QString &root)
{
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable()) {
        m_drive = driveOf(m_dirPath);
        throw EngineError(QCoreApplication::translate("FileChooser", "Device unavailable: ") +
                          root);
    }
    m_drive = root;
    setDirPath(root);
}

void FileChooser::setDirPath(const QString &path)
{
    if (!enter(path))
        throw EngineError(pathNotFound(path));
}

bool FileChooser::enter(const QString &path)
{
    QString target = path;
    if (QDir::isRelativePath(target))
        target = QDir(m_dirPath).filePath(target);
    const QFileInfo info(target);
    if (!info.isDir())
        return false;
    m_dirPath = withoutTrailingSlash(QDir::cleanPath(info.absoluteFilePath()));
    m_drive = driveOf(m_dirPath);
    m_selectedFile = -1;
    m_highlighted = -1;
    return true;
}

QString FileChooser::pathNotFound(const QString &path)
{
    return QCoreApplication::translate("FileChooser", "Path not found: ") + path;
}

QList<FileChooser::DirEntry> FileChooser::dirEntries() const
{
    QList<DirEntry> entries;
    QStringList parts = m_dirPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    entries << DirEntry{QStringLiteral("/"), QStringLiteral("/"), 0};
    QString path;
    for (int i = 0; i < parts.size(); ++i) {
        path += QLatin1Char('/') + parts[i];
        entries << DirEntry{path, parts[i], i + 1};
    }
    const QStringList subs =
        QDir(m_dirPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &s : subs)
        entries << DirEntry{QDir(m_dirPath).filePath(s), s, int(parts.size()) + 1};
    return entries;
}

QStringList FileChooser::files() const
{
    // "*.*" means every file, names without a dot included.
    const QString filter = m_pattern == QLatin1String("*.*") ? QStringLiteral("*") : m_pattern;
    return QDir(m_dirPath).entryList({filter}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

void FileChooser::clickDir(int index)
{
    m_highlighted = index;
    m_mark = 2;
}

void FileChooser::openDir(int index)
{
    const auto entries = dirEntries();
    if (index < 0 || index >= entries.size())
        return;
    setDirPath(entries[index].path);
}

void FileChooser::clickFile(int index)
{
    const QStringList names = files();
    if (index < 0 || index >= names.size())
        return;
    m_selectedFile = index;
    setText(names[index]);
}

void FileChooser::doubleClickFile(int index)
{
    clickFile(index);
    if (m_selectedFile >= 0)
        accept();
}

void FileChooser::setText(const QString &text)
{
    if (text != m_text)
        m_mark = 1;
    m_text = text;
}

void FileChooser::ok()
{
    if (m_mark == 2) {
        openDir(m_highlighted);
        return;
    }
    if (m_mark == 0)
        return;

    const QString t = m_text;
    const QStringList names = files();
    if (names.contains(t)) {
        // A typed name that is listed is chosen at once, as a double-click does.
        m_selectedFile = int(names.indexOf(t));
        accept();
        return;
    }
    const bool slash = t.contains(QLatin1Char('/'));
    const bool wild = t.contains(QLatin1Char('*')) || t.contains(QLatin1Char('?'));
    if (!wild && !t.isEmpty()) {
        // The typed text as the user means it: a folder opens that folder
        // (not its parent); a path to a file chooses that file.
        const QFileInfo typed(QDir(m_dirPath).filePath(t));
        if (typed.isDir()) {
            m_text = m_pattern;
            setDirPath(typed.absoluteFilePath());
            return;
        }
        const bool creatable = m_choice && !m_choice->FileMustExist && typed.absoluteDir().exists();
        if (slash && !t.endsWith(QLatin1Char('/')) && (typed.isFile() || creatable)) {
            setDirPath(typed.absolutePath());
            m_text = typed.fileName();
            accept();
            return;
        }
    }
    if (!slash && !wild && m_choice && !m_choice->FileMustExist && !t.isEmpty() &&
        t != QLatin1String(".") && t != QLatin1String("..")) {
        accept();
        return;
    }
    // A folder that is not there is told after the box and pattern are set.
    QString missing;
    if (slash) {
        const qsizetype p = t.lastIndexOf(QLatin1Char('/')) + 1; // counted from 1
        const QString folder = p == 1 ? QStringLiteral("/") : t.left(p - 1);
        if (!enter(folder))
            missing = folder;
    }
    if (!wild) {
        m_text = m_pattern;
    } else {
        m_pattern = slash ? t.mid(t.lastIndexOf(QLatin1Char('/')) + 1) : t;
        m_text = m_pattern;
    }
    m_selectedFile = -1;
    if (!missing.isEmpty())
        throw EngineError(pathNotFound(missing));
}

void FileChooser::makeFolder()
{
    const QString typed = m_text.trimmed();
    const bool named = !typed.isEmpty() && typed != m_pattern &&
                       !typed.contains(QLatin1Char('/')) && !typed.contains(QLatin1Char('*')) &&
                       !typed.contains(QLatin1Char('?')) && typed != QLatin1String(".") &&
                       typed != QLatin1String("..");
    const QDir here(m_dirPath);
    QString name = named ? typed : tr("New Folder");
    for (int k = 2; !named && here.exists(name); ++k)
        name = tr("New Folder %1").arg(k);
    if (here.exists(name) && !QFileInfo(here.filePath(name)).isDir())
        throw EngineError(tr("A file named %1 is already there").arg(name));
    if (!here.mkpath(name))
        throw EngineError(tr("The folder %1 could not be made").arg(here.filePath(name)));
    m_text = m_pattern;
    setDirPath(here.filePath(name));
}

void FileChooser::cancel()
{
    if (m_choice) {
        m_choice->SelectedDir.clear();
        m_choice->SelectedFile.clear();
    }
    m_shown = false;
}

void FileChooser::accept()
{
    if (m_choice) {
        QString dir = m_dirPath;
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        m_choice->SelectedDir = dir;
        m_choice->SelectedFile = m_text;
    }
    m_pattern = QStringLiteral("*.*");
    m_shown = false;
}
