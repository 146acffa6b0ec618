#include "ui/ScreenParts.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

QPushButton *NamedButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *FormBox(QFormLayout *form, QWidget *parent, const QString &objectName,
                   const QString &label)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(label);
    form->addRow(label, box);
    return box;
}

void AddButtonRow(QBoxLayout *layout, std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    for (QPushButton *b : buttons)
        row->addWidget(b);
    layout->addLayout(row);
}
