#pragma once

#include <QLineEdit>
#include <QString>

#include "core/NumberText.h"

// Field texts in the program's number rules, whatever the system locale says.

inline double FieldValue(const QString& text) {
    return ParseLeadingNumber(text.toStdString());
}

inline double FieldValue(const QLineEdit* field) {
    return FieldValue(field->text());
}

inline QString FieldText(double value) {
    return QString::fromStdString(FormatField(value));
}

// Writes a field only when its text changes; an equal text would run no change handler
// anyway, and the search writes thousands of them.
inline void WriteField(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}
