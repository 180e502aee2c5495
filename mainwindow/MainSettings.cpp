// The main window's part of the settings file: its 21 keys and their fields.
#include <QLineEdit>
#include <map>

#include "mainwindow/Form1.h"
#include "platform/FieldText.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsTexts.h"

namespace {

struct KeyedField {
    const char* key;
    const char* field;
};

constexpr KeyedField kMainKeys[] = {
    {"ANTENLEN", "Text1"},  {"ANTENDIA", "Text2"},  {"FREQUMHZ", "Text8"},  {"ANTENCPF", "Text17"},
    {"ANTENRLO", "Text4"},  {"BASECOIL", "Text45"}, {"TXPOWERW", "Text43"}, {"FMARKER0", "Text18"},
    {"FMARKER1", "Text19"}, {"FMARKER2", "Text20"}, {"FMARKER3", "Text21"}, {"FMARKER4", "Text22"},
    {"FMARKER5", "Text23"}, {"FMARKER6", "Text24"}, {"FMARKER7", "Text25"}, {"FMARKER8", "Text26"},
    {"FMARKER9", "Text27"}, {"MATCHC01", "Text16"}, {"MATCHC99", "Text29"}, {"MATCHL99", "Text33"},
    {"MATCHRLO", "Text41"},
};

// Before the file is read, each field holds the default of its key.
constexpr const char* kDesignTexts[] = {"4.5",   "5",    "7.1",  "10",    "5",    "0",     "100",
                                        "1.9",   "3.7",  "7.15", "10.15", "14.2", "18.15", "21.3",
                                        "24.95", "28.3", "29.6", "25",    "250",  "35",    "5"};

}  // namespace

void Form1::LoadMainSettings() {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < std::size(kMainKeys); ++i) {
        findChild<QLineEdit*>(kMainKeys[i].field)->setText(kDesignTexts[i]);
        keys.push_back(kMainKeys[i].key);
    }
    // A file that could not be set up holds nothing to trust; the defaults stay.
    if (!settingsReady_) return;
    std::map<std::string, std::string> values;
    if (FileResult read = ReadSettingsKeys(SettingsFilePath(), keys, values); !read.ok()) {
        ReportFileProblem(read.error);
        return;
    }
    for (const KeyedField& keyed : kMainKeys) {
        auto found = values.find(keyed.key);
        if (found == values.end()) continue;
        const double value = ParseLeadingNumber(found->second);
        findChild<QLineEdit*>(keyed.field)->setText(FieldText(value));
    }
}

FileResult Form1::SaveMainSettings() {
    // The folder or the file may have been mended since start-up.
    if (!settingsReady_) {
        std::string restored;
        if (FileResult ensured = EnsureSettingsFile(SettingsFilePath(), restored); !ensured.ok()) {
            return ensured;
        }
        settingsReady_ = true;
    }
    std::map<std::string, QString> texts;
    for (const KeyedField& keyed : kMainKeys) {
        texts[keyed.key] = findChild<QLineEdit*>(keyed.field)->text();
    }
    return RewriteSettingsTexts(SettingsFilePath(), texts);
}
