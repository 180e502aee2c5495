#include "platform/TextBoxFilter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "platform/Controls.h"

namespace {

// Pastes through the context menu, as a user picks its Paste entry.
void PasteFromContextMenu(QLineEdit& box) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box.mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(&box, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Paste")) action->trigger();
    }
    menu->close();
}

void DropClipboard(QLineEdit& box) {
    QMimeData data;
    data.setText(QApplication::clipboard()->text());
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &drop);
}

}  // namespace

// However the text arrives, no line break or other character below the blank stays, and a
// number box turns every comma into the point, in one change of the text. The controls of
// 0x7F to 0x9F are bytes of the settings file like any other and stay.
TEST(TextBoxFilter, DropsControlCharactersAndTurnsCommasIntoPoints) {
    const QString pasted = QString::fromUtf8("5\r\n6\tx,1\u2028\x01") + QChar(0) +
                           QString::fromLatin1("\x85\x7f\x9f\xb5");
    QApplication::clipboard()->setText(pasted);
    const std::pair<const char*, std::function<void(QLineEdit&)>> ways[] = {
        {"setText", [&](QLineEdit& box) { box.setText(pasted); }},
        {"Ctrl+V", [](QLineEdit& box) { QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier); }},
        {"context menu", PasteFromContextMenu},
        {"drop", DropClipboard}};
    for (const auto kind : {TextBoxFilter::Kind::Text, TextBoxFilter::Kind::Number}) {
        const bool number = kind == TextBoxFilter::Kind::Number;
        const std::unique_ptr<QLineEdit> box(
            NewTextBox(nullptr, "Text1", QRect(0, 0, 80, 20), "", Qt::white, kind));
        box->show();
        for (const auto& [way, put] : ways) {
            box->clear();
            const QSignalSpy changes(box.get(), &QLineEdit::textChanged);
            put(*box);
            EXPECT_EQ(box->text(),
                      QString(number ? "56x.1" : "56x,1") + QString::fromLatin1("\x85\x7f\x9f\xb5"))
                << way << " " << number;
            EXPECT_EQ(changes.count(), 1) << way;
        }
        // Only a plain comma is typed as one.
        box->setText("7");
        QTest::keyClicks(box.get(), ",5");
        QTest::keyClick(box.get(), Qt::Key_Comma, Qt::ControlModifier);
        EXPECT_EQ(box->text(), number ? "7.5" : "7,5");
    }
}
