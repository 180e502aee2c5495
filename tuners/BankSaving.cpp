// SAVE TUNER VALUES of the HP-CL tuner.
#include "tuners/BankSaving.h"

#include <QLineEdit>
#include <QListWidget>
#include <map>

#include "platform/FieldText.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsTexts.h"
#include "tuners/HpClTuner.h"

namespace {

// Entries of no value get this key, which sorts after all values below 9999 and ends up
// as an empty field.
const QString kEmptyKey = "9999";

// A text whose plain text order is the numeric order for values below 10000.
QString SortKey(QString entry) {
    const qsizetype comma = entry.indexOf(',');
    if (comma >= 0) entry[comma] = '.';
    if (FieldValue(entry) == 0) entry = kEmptyKey;
    if (FieldValue(entry) < 10) entry.prepend('0');
    if (FieldValue(entry) < 100) entry.prepend('0');
    if (FieldValue(entry) < 1000) entry.prepend('0');
    return entry;
}

// The list files its entries by character code: the order of the stored banks must not
// follow the user's locale, as the list's own comparison would.
class CodeOrderEntry : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override { return text() < other.text(); }
};

QString FieldTextOf(const QString& key) {
    QString text = TrimBlanks(key);
    while (text.startsWith('0') && text.size() > 1) text.remove(0, 1);
    if (text.startsWith('.')) text.prepend('0');
    if (text == kEmptyKey) text.clear();
    return text;
}

}  // namespace

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    return text.mid(first, last - first);
}

void NormaliseRow(std::span<QLineEdit* const> row, QListWidget& SORTLIST) {
    SORTLIST.clear();
    for (QLineEdit* field : row) {
        field->setText(TrimBlanks(field->text()));
        SORTLIST.addItem(new CodeOrderEntry(SortKey(field->text())));
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i]->setText(FieldTextOf(SORTLIST.item(static_cast<int>(i))->text()));
    }
    SORTLIST.clear();
}

void HpClTuner::Command3_Click() {
    // Twice over: a second pass turns a second decimal comma into a point.
    for (int pass = 0; pass < 2; ++pass) {
        NormaliseRow(Text4, *SORTLIST);
        NormaliseRow(Text5, *SORTLIST);
    }
    std::map<std::string, QString> texts;
    for (std::size_t i = 0; i < Text4.size(); ++i) {
        texts[CapacitorKey(i)] = TrimBlanks(Text4[i]->text());
        texts[InductorKey(i)] = TrimBlanks(Text5[i]->text());
    }
    if (FileResult written = RewriteSettingsTexts(SettingsFilePath(), texts); !written.ok()) {
        ReportFileProblem(written.error);
    }
}
