#pragma once

#include "core/values/FileChooser.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "File Select" screen: binds its drive, directory and file lists and
// its name box to a FileChooser. Hidden, not destroyed, between uses.
class FileInfo : public QDialog
{
    Q_OBJECT
public:
    explicit FileInfo(QWidget *parent = nullptr);

    // Shows the chooser modally for `choice` and fills in its results.
    void choose(FileChoice &choice);

    FileChooser &chooser() { return m_chooser; }

protected:
    void reject() override;

private:
    void refresh();
    // Runs one step of the chooser; a refusal is shown in a warning box and
    // the chooser stays open.
    void guarded(const std::function<void()> &step);
    void ok();

    FileChooser m_chooser;
    QComboBox *m_drives;
    QListWidget *m_dirs;
    QListWidget *m_files;
    QLineEdit *m_text;
    QLabel *m_pathSpec;
    QPushButton *m_newFolder;
    bool m_refreshing = false;
};
