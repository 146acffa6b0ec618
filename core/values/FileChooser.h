#pragma once

#include "core/values/Dialogs.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The "File Select" chooser without its widgets: a drive (mounted file
// system), a directory list, a file list filtered by a pattern, the typed
// name box and the last-used mark that decides what OK does. The lists,
// pattern and mark carry over from one use to the next.
class FileChooser
{
    Q_DECLARE_TR_FUNCTIONS(FileChooser)

public:
    FileChooser();

    // Entries of the directory list: the path from the root down to the
    // current folder, then the current folder's subfolders.
    struct DirEntry
    {
        QString path;
        QString name;
        int depth = 0;
    };

    // Shown again for a caller: takes its folder and offered file name.
    void begin(FileChoice &choice);

    QString drive() const { return m_drive; }
    QStringList drives() const;
    QString dirPath() const { return m_dirPath; }
    QList<DirEntry> dirEntries() const;
    int highlightedDir() const { return m_highlighted; }
    QString pattern() const { return m_pattern; }
    QStringList files() const;
    int selectedFile() const { return m_selectedFile; }
    QString text() const { return m_text; }
    QString pathSpec() const { return m_dirPath; }
    int mark() const { return m_mark; }
    bool shown() const { return m_shown; }

    // Each step below throws EngineError with the text the user is shown
    // when it cannot be done.
    // The user changed the drive; a drive that cannot be used is refused
    // (the drive then goes back to the directory list's drive).
    void setDrive(const QString &root);
    // The directory list moves; a missing folder is refused.
    void setDirPath(const QString &path);
    // A click in the directory list highlights an entry.
    void clickDir(int index);
    // A double-click in the directory list opens the entry.
    void openDir(int index);
    void clickFile(int index);
    void doubleClickFile(int index);
    // The user typed into the name box.
    void setText(const QString &text);
    // "OK"; refuses a folder that does not exist. A typed folder opens that
    // folder; a typed path to a file chooses it.
    void ok();
    // "New Folder": makes a folder inside the one shown, named by the typed
    // name (else "New Folder", numbered when taken), and opens it; refused
    // when it cannot be made.
    void makeFolder();
    void cancel();

private:
    void accept();
    // Moves the directory list to `path`; false for a missing folder.
    bool enter(const QString &path);
    static QString pathNotFound(const QString &path);
    QString driveOf(const QString &path) const;

    FileChoice *m_choice = nullptr;
    QString m_drive;
    QString m_dirPath;
    int m_highlighted = -1;
    QString m_pattern = QStringLiteral("*.*");
    int m_selectedFile = -1;
    QString m_text;
    int m_mark = 0;
    bool m_shown = false;
};
