// The design area below the menu bar, and the window's size on the screen it opens on.
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>

#include "mainwindow/Form1.h"
#include "mainwindow/Layout.h"
#include "mainwindow/WindowFit.h"

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
// scrolls.
void Form1::FitToScreen() {
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    // Until the window manager has framed the window its frame is not known: room is kept for
    // a title bar and borders, and the fit is made again once the frame is there.
    frameEstimated_ = frame.isNull() && !windowFlags().testFlag(Qt::FramelessWindowHint);
    if (frameEstimated_) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        frame = QMargins(border, title + border, border, border);
    }
    const WindowPlacement placement{screen()->availableGeometry(), frame, devicePixelRatioF(),
                                    ScrollBarWidth(*this)};
    const QPoint at = geometry().topLeft();
    const QRect client = FitWindow(DesignWindowSize(*this), placement, at);
    resize(client.size());
    // A window nobody placed yet is left to the window manager while its frame is unknown.
    const bool placed = testAttribute(Qt::WA_Moved) || !frameEstimated_;
    // A window's position is that of its frame.
    if (placed && client.topLeft() != at) move(placement.area.topLeft());
}

void Form1::moveEvent(QMoveEvent* event) {
    if (frameEstimated_ && windowHandle() && !windowHandle()->frameMargins().isNull()) {
        FitToScreen();
    }
    QMainWindow::moveEvent(event);
}
