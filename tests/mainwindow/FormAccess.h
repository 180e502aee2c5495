#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QVariant>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "mainwindow/Form1.h"
#include "tests/support/TempDir.h"

// Reaching a window's controls by their numbered names, as a user finds them by sight.
template <typename Control = QLineEdit>
Control* Find(const QWidget& window, const QString& name) {
    Control* control = window.findChild<Control*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
}

template <typename Control = QLineEdit>
QString TextOf(const QWidget& window, const QString& name) {
    return Find<Control>(window, name)->text();
}

inline QColor BackOf(const QWidget& window, const QString& name) {
    return Find<QWidget>(window, name)->property("backColor").value<QColor>();
}

// A fresh working folder, holding the given settings file unless that is empty.
struct WorkingFolder {
    explicit WorkingFolder(const std::string& settings) {
        if (!settings.empty()) WriteBytes(dir.file("ORVANE.INI"), settings);
    }
    WorkingDirectory dir;
};

// The main window started in a fresh working folder; a change recalculates without a pause.
struct MainWindow : WorkingFolder {
    explicit MainWindow(const std::string& settings = {}) : WorkingFolder(settings) {
        form.repeatDelay = 0;
    }
    Form1 form;
    QLineEdit* field(const QString& name) const { return Find(form, name); }
    // Option buttons and check boxes take a click on their indicator.
    void click(const QString& name) const {
        QWidget* control = Find<QWidget>(form, name);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }
};

// The pointer moved over a control with no button down.
inline void MoveOver(QWidget* over, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, over->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(over, &event);
}

// The HP-CL tuner's window, opened as a click on its schematic opens it.
inline QWidget* OpenTuner(const Form1& form) {
    QTest::mouseClick(Find<QWidget>(form, "Picture2"), Qt::LeftButton);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Form2" && widget->isVisible()) return widget;
    }
    return nullptr;
}

inline QAction* MenuAction(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text) return action;
    return nullptr;
}

// Gives the answer to the first message box shown while it lives; `asked` keeps its text and
// stays empty when none came. Every pass of the event loop looks for the box, since the
// handler that asks may yield to the loop before it does.
class Answerer {
public:
    explicit Answerer(QMessageBox::StandardButton answer)
        : Answerer([answer](QMessageBox& box) { return box.button(answer); }) {}
    // The button of this caption.
    explicit Answerer(const QString& caption)
        : Answerer([caption](QMessageBox& box) -> QAbstractButton* {
              for (QAbstractButton* button : box.buttons()) {
                  if (button->text() == caption) return button;
              }
              return nullptr;
          }) {}
    QString asked;

private:
    // Looks on every pass of the event loop until a box comes up: a window may yield a few
    // times before it asks.
    explicit Answerer(std::function<QAbstractButton*(QMessageBox&)> choose) {
        QObject::connect(&looking_, &QTimer::timeout, [this, choose] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                looking_.stop();
                asked = box->text();
                // A box without that button ends all the same, rather than wait for ever.
                if (QAbstractButton* button = choose(*box)) {
                    button->click();
                } else {
                    box->reject();
                }
            }
        });
        looking_.start(0);
    }

    QTimer looking_;
};

// A window's status line.
inline QString StatusOf(const QWidget& window) {
    return Find<QLabel>(window, "StatusLine")->text();
}

// The main window's status line without the notes on part stress and losses that each pass
// leaves there.
inline QString ProblemOf(const QWidget& window) {
    QStringList parts = StatusOf(window).split("   |   ");
    parts.removeIf([](const QString& part) {
        return part.contains(" kV peak") || part.contains(" with Q ") || part.startsWith("coil Q ");
    });
    return parts.join("   |   ");
}

// The colours of a picture's pixels that differ from another's, outside the part left out.
inline std::vector<QRgb> ColoursApart(const QImage& a, const QImage& b, const QRect& leftOut = {}) {
    std::vector<QRgb> apart;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!leftOut.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                apart.push_back(a.pixel(x, y) & 0xFFFFFF);
        }
    }
    return apart;
}

inline const QColor kValid{176, 176, 0};
inline const QColor kRed{255, 0, 0};

// Readable failure messages for texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name().toStdString();
}
QT_END_NAMESPACE
