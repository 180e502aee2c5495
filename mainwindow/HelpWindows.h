#pragma once

class QWidget;

// The help page and the About box. Each is one window beside `parent`, brought to the front
// when it is asked for again; neither blocks the main window.
void ShowUsingOrvane(QWidget* parent);
void ShowAboutOrvane(QWidget* parent);
