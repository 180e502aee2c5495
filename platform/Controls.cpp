#include "platform/Controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <iostream>

#include "platform/BackColor.h"

namespace {

template <typename Control>
Control* Place(Control* control, const QString& name, const QRect& geometry, const QColor& back) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    SetBackColor(control, back);
    return control;
}

}  // namespace

QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QRect& geometry,
                      const QString& text, const QColor& back) {
    auto* box = Place(new QLineEdit(text, parent), name, geometry, back);
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry,
                 const QString& caption, const QColor& back) {
    return Place(new QLabel(caption, parent), name, geometry, back);
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& caption, const QColor& back) {
    return Place(new QPushButton(caption, parent), name, geometry, back);
}

QRadioButton* NewOption(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& caption, const QColor& back) {
    return Place(new QRadioButton(caption, parent), name, geometry, back);
}

QCheckBox* NewCheck(QWidget* parent, const QString& name, const QRect& geometry,
                    const QString& caption, const QColor& back) {
    return Place(new QCheckBox(caption, parent), name, geometry, back);
}

void ReportFileProblem(QLabel* statusLine, const std::string& message) {
    std::cerr << "orvane: " << message << std::endl;
    statusLine->setText(QString::fromStdString(message));
}
