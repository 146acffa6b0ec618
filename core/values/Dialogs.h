#pragma once

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
