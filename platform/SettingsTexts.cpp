#include "platform/SettingsTexts.h"

#include <QList>

#include "platform/SettingsFile.h"

QString SettingsText(const std::string& value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

namespace {

FileResult ToSettingsBytes(const std::string& path, const std::map<std::string, QString>& texts,
                           std::map<std::string, std::string>& values) {
    for (const auto& [key, text] : texts) {
        for (char32_t code : text.toUcs4()) {
            if (code > 0xFF) {
                const std::string character = QString::fromUcs4(&code, 1).toStdString();
                return FileProblem(path, "cannot write " + key + ": the character \"" + character +
                                             "\" cannot be stored in this file");
            }
        }
        const QByteArray bytes = text.toLatin1();
        values[key] = bytes.toStdString();
    }
    return {};
}

}  // namespace

FileResult RewriteSettingsTexts(const std::string& path,
                                const std::map<std::string, QString>& texts) {
    std::map<std::string, std::string> values;
    if (FileResult refused = ToSettingsBytes(path, texts, values); !refused.ok()) return refused;
    return RewriteSettingsFile(path, values);
}

FileResult WriteSettingsTexts(const std::string& path, std::vector<std::string> lines,
                              const std::map<std::string, QString>& texts) {
    std::map<std::string, std::string> values;
    if (FileResult refused = ToSettingsBytes(path, texts, values); !refused.ok()) return refused;
    if (FileResult replaced = ReplaceSettingsValues(path, lines, values); !replaced.ok()) {
        return replaced;
    }
    return WriteAllLines(path, lines);
}
