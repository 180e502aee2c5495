// The main window's part of the settings file: its 21 keys and their fields.
#include <QLineEdit>
#include <QSignalBlocker>
#include <map>
#include <vector>

#include "mainwindow/Form1.h"
#include "mainwindow/MainKeys.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsTexts.h"

void Form1::LoadMainSettings() {
    std::map<std::string, std::string> values;
    // A file that could not be set up holds nothing to trust; the defaults stay.
    if (settingsReady_) {
        if (FileResult read = ReadSettingsKeys(SettingsFilePath(), MainKeyNames(), values);
            !read.ok()) {
            ReportFileProblem(read.error);
            values.clear();
        }
    }
    FillMainFields(values);
}

void Form1::FillMainFields(const std::map<std::string, std::string>& values) {
    for (const MainKey& key : kMainKeys) {
        findChild<QLineEdit*>(key.field)->setText(
            QString::fromStdString(MainFieldText(key, values)));
    }
    loadedTexts_ = MainFieldTexts();
}

std::map<std::string, QString> Form1::MainFieldTexts() const {
    std::map<std::string, QString> texts;
    for (const MainKey& key : kMainKeys) {
        const QLineEdit* field = findChild<QLineEdit*>(key.field);
        // A sweep's frequency is no setting of the user's.
        texts[key.key] = field == Text8 && userFrequency_ ? *userFrequency_ : field->text();
    }
    return texts;
}

void Form1::ShowSettingsValues(const std::map<std::string, std::string>& values) {
    {
        // One recalculation for all fields, not a pause and a pass for each.
        std::vector<QSignalBlocker> quiet;
        quiet.reserve(kMainKeys.size());
        for (const MainKey& key : kMainKeys) quiet.emplace_back(findChild<QLineEdit*>(key.field));
        FillMainFields(values);
    }
    RetireTuningStrip();
    Text28->setText(Text8->text());
    Recalculate();
}

FileResult Form1::SaveMainSettings() {
    // The folder or the file may have been mended since start-up.
    if (!settingsReady_) {
        std::string restored;
        if (FileResult prepared = PrepareSettingsFile(restored); !prepared.ok()) return prepared;
        settingsReady_ = true;
    }
    const std::map<std::string, QString> texts = MainFieldTexts();
    FileResult saved = RewriteSettingsTexts(SettingsFilePath(), texts);
    if (saved.ok()) loadedTexts_ = texts;
    return saved;
}
