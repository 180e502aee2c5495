#pragma once

// The main window in a fresh working folder, and the tuner windows opened from it the way
// a user opens them: choose the network, click its schematic.

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/Form1.h"
#include "platform/FieldText.h"
#include "platform/SettingsFile.h"
#include "platform/Shape.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/TempDir.h"
#include "tuners/search/TunerSearch.h"

namespace tuner_test {

struct TunerEntry {
    const char* option;
    const char* picture;
    const char* form;
};

inline constexpr TunerKind kAllKinds[] = {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc};

inline TunerEntry EntryOf(TunerKind kind) {
    constexpr TunerEntry entries[] = {{"Option4", "Picture2", "Form2"},
                                      {"Option9", "Picture6", "Form3"},
                                      {"Option10", "Picture7", "Form4"}};
    return entries[static_cast<int>(kind)];
}

// The tuner window of that name, whether shown or not; null before it was first opened.
inline QWidget* TopLevel(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) return widget;
    }
    return nullptr;
}

inline QColor FillOf(const QWidget& window) {
    return Find<Shape>(window, "Shape1")->FillColor();
}

inline double ValueOf(const QWidget& window, const char* field) {
    return FieldValue(Find(window, field));
}

inline const QColor kIdle{176, 208, 128};
inline const QColor kRunning{255, 176, 176};

// The default settings lines with some replaced, by position.
inline std::vector<std::string> SettingsWith(
    std::vector<std::pair<std::size_t, std::string>> changes) {
    std::vector<std::string> lines = DefaultSettingsLines();
    for (const auto& [index, line] : changes) lines[index] = line;
    return lines;
}

// Banks of three elements each keep a sweep short: a tuning is a few dozen evaluations
// instead of a thousand. HPCLXC01 holds a tab, which its text box drops: 20.
inline std::vector<std::string> SmallBanks(
    std::vector<std::pair<std::size_t, std::string>> lines = {}) {
    const std::pair<std::size_t, std::string> lp[] = {{41, "LPCLCMIN 100"}, {42, "LPCLCNUM 3"},
                                                      {43, "LPCLLMIN 2"},   {44, "LPCLLNUM 3"},
                                                      {46, "LPLCCNUM 3"},   {48, "LPLCLNUM 3"}};
    lines.insert(lines.end(), std::begin(lp), std::end(lp));
    const char* const capacitors[] = {"2\t0", "40", "80"};
    const char* const inductors[] = {"1", "2", "4"};
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string n = QString("%1 ").arg(i + 1, 2, 10, QChar('0')).toStdString();
        lines.emplace_back(21 + i, "HPCLXC" + n + (i < 3 ? capacitors[i] : ""));
        lines.emplace_back(31 + i, "HPCLXL" + n + (i < 3 ? inductors[i] : ""));
    }
    return SettingsWith(lines);
}

class Session {
public:
    // The settings file is written before the main window loads; none: the defaults.
    explicit Session(const std::vector<std::string>& settings = {}) {
        if (!settings.empty()) WriteBytes(dir.file("ORVANE.INI"), CrLfLines(settings));
        form = std::make_unique<Form1>();
        form->repeatDelay = 0;
    }

    // Option buttons take a click on their indicator.
    void Choose(const char* option) {
        QWidget* control = Find<QWidget>(*form, option);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }

    QWidget& Open(TunerKind kind) {
        const TunerEntry entry = EntryOf(kind);
        if (!Find<QRadioButton>(*form, entry.option)->isChecked()) Choose(entry.option);
        QTest::mouseClick(Find<QWidget>(*form, entry.picture), Qt::LeftButton);
        QWidget* window = TopLevel(entry.form);
        if (!window) qFatal("%s did not open", entry.form);
        return *window;
    }

    static void Click(const QWidget& window, const char* button) {
        QTest::mouseClick(Find<QPushButton>(window, button), Qt::LeftButton);
    }

    // Runs the action in the next pass of the event loop, as a user's event would arrive.
    void Soon(std::function<void()> action) {
        QTimer::singleShot(0, form.get(), std::move(action));
    }

    WorkingDirectory dir;
    std::unique_ptr<Form1> form;
};

}  // namespace tuner_test
