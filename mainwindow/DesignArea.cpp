// The design area below the menu bar, and the window's size on the screen it opens on.
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "mainwindow/Form1.h"
#include "mainwindow/Layout.h"

namespace {

// The design with the menu bar above it: the window's size wherever that fits.
QSize DesignWindowSize(QMainWindow& window) {
    return {layout::kWindowWidth, layout::kWindowHeight + window.menuBar()->sizeHint().height()};
}

int ScrollBarWidth(const QWidget& window) {
    return window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace

void Form1::BuildDesignArea() {
    design_ = new QWidget;
    design_->setObjectName("Design");
    design_->setFixedSize(layout::kWindowWidth, layout::kWindowHeight);
    QFont font = design_->font();
    font.setPointSizeF(8);
    design_->setFont(font);
    // The background of the design is the window's background (Form_MouseMove).
    design_->setMouseTracking(true);
    design_->installEventFilter(this);

    auto* scroll = new QScrollArea;
    scroll->setObjectName("DesignScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the scroll area follows the focus by itself.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(design_);
    setCentralWidget(scroll);

    // Never larger than the design and its menu bar, with room for scroll bars.
    const int bar = ScrollBarWidth(*this);
    setMaximumSize(DesignWindowSize(*this) + QSize(bar, bar));
    resize(DesignWindowSize(*this));
}

void Form1::showEvent(QShowEvent* event) {
    // A window shown again after a refused close takes input as before.
    closing_ = false;
    if (!fittedToScreen_ && !event->spontaneous()) {
        fittedToScreen_ = true;
        FitToScreen();
    }
    QMainWindow::showEvent(event);
}

// On a screen too small for the design the window takes the available area and the design
// scrolls; a scroll bar in one direction takes room from the other.
void Form1::FitToScreen() {
    const QRect area = screen()->availableGeometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize room = area.size().shrunkBy(frame);
    const QSize full = DesignWindowSize(*this);
    const int bar = ScrollBarWidth(*this);
    QSize size = full.boundedTo(room);
    if (size.height() < full.height()) size.setWidth(std::min(room.width(), full.width() + bar));
    if (size.width() < full.width()) size.setHeight(std::min(room.height(), full.height() + bar));
    resize(size);
    if (!area.contains(frameGeometry())) move(area.topLeft());
}
