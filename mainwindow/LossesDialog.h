#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "losses/LossQ.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Losses": the Qs of the parts the user builds with. A field that reads no Q turns red and
// the line below it says why; OK applies the three only while each of them reads.
class LossesDialog : public QDialog {
    Q_OBJECT
public:
    using Apply = std::function<void(const LossQ&)>;

    LossesDialog(QWidget* parent, Apply apply);

    // Shows the Qs in use; where the antenna's file holds its coil (measured as fed), the
    // base coil's field says that its Q does not apply.
    void Open(const LossQ& q, bool coilInFile);

private:
    void Show(const LossQ& q);
    // The Qs the fields read; nothing while one of them reads none, which it then says.
    std::optional<LossQ> Check();
    void Accept();

    std::array<QLineEdit*, 3> fields_{};  // inductors, capacitors, base coil
    QLabel* problem_;
    QPushButton* ok_;
    Apply apply_;
};
