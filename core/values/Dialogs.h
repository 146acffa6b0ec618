#pragma once

#include <QCoreApplication>
#include <QString>

// What the file chooser is given and hands back. After OK the chosen path is
// SelectedDir followed directly by SelectedFile; after Cancel both are empty.
struct FileChoice
{
    QString FilePrompt;   // title of the chooser
    QString SelectedDir;  // in: folder to start in; out: chosen folder ending in "/"
    QString SelectedFile; // in: name to offer; out: chosen file name
    bool FileMustExist = true;
    // in: the pattern the file list starts with ("*.mdb" when a database is
    // asked for); empty for every file. Taken once: the chooser clears it.
    QString Pattern;

    QString path() const { return SelectedDir + SelectedFile; }
};

// The message box, input box, yes/no screen and file chooser every screen
// asks through. The program shows real screens; tests answer from a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with an OK button only.
    virtual void message(const QString &text) = 0;
    // A one-line input box; "" on Cancel.
    virtual QString input(const QString &prompt) = 0;
    // The yes/no screen; true for "Yes". Enter answers "Yes".
    virtual bool yesNo(const QString &question) = 0;
    // The same for a question whose "Yes" destroys stored data: "No" is the
    // default, so Enter keeps the data.
    virtual bool yesNoDefaultNo(const QString &question) = 0;
    // The "File Select" chooser, modal, with choice.FilePrompt as its title.
    virtual void chooseFile(FileChoice &choice) = 0;
};

// What to name in the chooser for a file to be written.
enum class OutputTarget
{
    File,   // a file name is needed
    Folder, // the folder is enough; any name typed is not used
};

// Shows the chooser for a file (or folder) to write, titled `prompt`. True
// when one was named; otherwise says "No Output File Specified" and gives
// false.
inline bool ChooseOutput(Dialogs &dialogs, FileChoice &choice, const QString &prompt,
                         OutputTarget target)
{
    choice.FilePrompt = prompt;
    choice.FileMustExist = false;
    dialogs.chooseFile(choice);
    if (choice.SelectedDir.isEmpty() ||
        (target == OutputTarget::File && choice.SelectedFile.isEmpty())) {
        dialogs.message(QCoreApplication::translate("Dialogs", "No Output File Specified"));
        return false;
    }
    return true;
}
