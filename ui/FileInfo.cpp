#include "ui/FileInfo.h"

#include "core/values/Engine.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

FileInfo::FileInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FileInfo"));
    setWindowTitle(tr("File Select"));

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveDropDown"));
    m_drives->setAccessibleName(tr("Drive"));
    m_dirs = new QListWidget(this);
    m_dirs->setObjectName(QStringLiteral("DirsBox"));
    m_dirs->setAccessibleName(tr("Directories"));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox"));
    m_files->setAccessibleName(tr("Files"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("TextBox"));
    m_text->setAccessibleName(tr("File Name"));
    m_pathSpec = new QLabel(this);
    m_pathSpec->setObjectName(QStringLiteral("PathSpec"));
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("DlgButton_0"));
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("DlgButton_1"));
    // A folder for new files (team pages, ranking files) made on the spot.
    m_newFolder = new QPushButton(tr("New Folder"), this);
    m_newFolder->setObjectName(QStringLiteral("NewFolder"));
    m_newFolder->setAccessibleName(m_newFolder->text());

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_text, 0, 0);
    grid->addWidget(m_pathSpec, 0, 1);
    grid->addWidget(m_files, 1, 0);
    grid->addWidget(m_dirs, 1, 1);
    grid->addWidget(m_drives, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_newFolder);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    resize(560, 360);

    connect(okButton, &QPushButton::clicked, this, &FileInfo::ok);
    connect(cancelButton, &QPushButton::clicked, this, &FileInfo::reject);
    connect(m_newFolder, &QPushButton::clicked, this, [this] {
        guarded([this] { m_chooser.makeFolder(); });
        refresh();
        m_text->setFocus();
    });
    connect(m_text, &QLineEdit::textEdited, this,
            [this](const QString &t) { m_chooser.setText(t); });
    connect(m_dirs, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_chooser.clickDir(m_dirs->row(item)); });
    connect(m_dirs, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        guarded([this, item] { m_chooser.openDir(m_dirs->row(item)); });
        refresh();
    });
    connect(m_files, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_chooser.clickFile(m_files->row(item));
        refresh();
    });
    connect(m_files, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        m_chooser.doubleClickFile(m_files->row(item));
        if (!m_chooser.shown())
            accept();
    });
    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        guarded([this, index] { m_chooser.setDrive(m_drives->itemText(index)); });
        refresh();
    });
}

void FileInfo::choose(FileChoice &choice)
{
    setWindowTitle(choice.FilePrompt.isEmpty() ? tr("File Select") : choice.FilePrompt);
    m_chooser.begin(choice);
    m_newFolder->setVisible(!choice.FileMustExist);
    refresh();
    exec();
}

void FileInfo::reject()
{
    m_chooser.cancel();
    QDialog::reject();
}

void FileInfo::ok()
{
    guarded([this] { m_chooser.ok(); });
    if (!m_chooser.shown()) {
        accept();
        return;
    }
    refresh();
    m_text->setFocus();
}

void FileInfo::guarded(const std::function<void()> &step)
{
    try {
        step();
    } catch (const EngineError &e) {
        QMessageBox::warning(this, QApplication::applicationName(), e.message());
    }
}

void FileInfo::refresh()
{
    m_drives->clear();
    m_drives->addItems(m_chooser.drives());
    m_drives->setCurrentText(m_chooser.drive());

    m_dirs->clear();
    const auto entries = m_chooser.dirEntries();
    for (const auto &e : entries)
        m_dirs->addItem(QString(e.depth * 2, QLatin1Char(' ')) + e.name);
    if (m_chooser.highlightedDir() >= 0)
        m_dirs->setCurrentRow(m_chooser.highlightedDir());

    m_files->clear();
    m_files->addItems(m_chooser.files());
    if (m_chooser.selectedFile() >= 0)
        m_files->setCurrentRow(m_chooser.selectedFile());

    m_pathSpec->setText(m_chooser.pathSpec());
    m_text->setText(m_chooser.text());
    m_text->selectAll();
}
