#pragma once

#include <QString>
#include <span>

class QLineEdit;
class QListWidget;

// Tidies one row of bank fields: blanks trimmed, a decimal comma made a point, values
// sorted in ascending order through the sorted list box, empty, zero and unreadable
// entries moved to the end as empty fields. Sorting is by text, with every value below
// 1000 given four integer digits first, so the order is numeric for values below 10000.
void NormaliseRow(std::span<QLineEdit* const> row, QListWidget& SORTLIST);

QString TrimBlanks(const QString& text);
