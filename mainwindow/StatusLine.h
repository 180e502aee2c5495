#pragma once

#include <QString>
#include <array>

class QLabel;

// What the main window's status line holds. A problem (a settings file that cannot be
// read or written) stands first until the next one; notes belong to the last calculation
// and are replaced by the next; a read-out of the diagram under the pointer takes the whole
// line while the pointer is there and gives it back when it leaves.
class StatusLine {
public:
    enum class Note { Source, Coverage, PartStress, Losses, Nec, Count };

    explicit StatusLine(QLabel* label);

    void ShowProblem(const QString& text);
    void SetNote(Note note, const QString& text);
    void ShowReadout(const QString& text);
    void EndReadout();

    QString text() const;

private:
    void Show();

    QLabel* label_;
    QString problem_;
    std::array<QString, static_cast<std::size_t>(Note::Count)> notes_;
    QString readout_;
};
