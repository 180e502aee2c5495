#include "platform/SettingsTexts.h"

#include <QList>

#include "platform/SettingsFile.h"

QString SettingsText(const std::string& value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

FileResult RewriteSettingsTexts(const std::string& path,
                                const std::map<std::string, QString>& texts) {
    std::map<std::string, std::string> values;
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
    return RewriteSettingsFile(path, values);
}
