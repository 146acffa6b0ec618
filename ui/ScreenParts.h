#pragma once

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Builders the screens share, so every control carries its design name and,
// for boxes, an accessible name equal to its label.

// A button that Enter in a text box never presses by surprise.
QPushButton *NamedButton(QWidget *parent, const QString &objectName, const QString &caption);

// A labelled text box added as a row of a form.
QLineEdit *FormBox(QFormLayout *form, QWidget *parent, const QString &objectName,
                   const QString &label);

// Buttons side by side at the end of a layout.
void AddButtonRow(QBoxLayout *layout, std::initializer_list<QPushButton *> buttons);
