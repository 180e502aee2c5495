// Creation and placement of the main window's controls.
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "diagrams/ImpedancePlane.h"
#include "diagrams/Schematics.h"
#include "mainwindow/CurveColumns.h"
#include "mainwindow/Form1.h"
#include "mainwindow/InputFields.h"
#include "mainwindow/Layout.h"
#include "mainwindow/NetworkBoxes.h"
#include "mainwindow/StatusLine.h"
#include "platform/BackColor.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/PictureBox.h"

using namespace layout;

namespace {

const QColor kHeading{128, 96, 64};
const QColor kHeadingText{208, 208, 208};

QLabel* NewHeading(QWidget* parent, const QString& name, const QRect& geometry,
                   const QString& caption) {
    QLabel* heading = NewLabel(parent, name, geometry, caption, kHeading);
    SetForeColor(heading, kHeadingText);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    FitCaption(heading);
    return heading;
}

QPushButton* NewSpinButton(QWidget* parent, int number, const QRect& geometry, bool plus) {
    QPushButton* button = NewButton(parent, QString("Command%1").arg(number), geometry,
                                    plus ? "+" : "-", colors::kInput);
    // Spin buttons answer the mouse only; the keyboard must not step them.
    button->setFocusPolicy(Qt::NoFocus);
    if (!plus) {
        QFont font("Arial", 12);
        font.setBold(true);
        button->setFont(font);
    }
    return button;
}

// A field with its label above and its two spin buttons to the right.
QLineEdit* NewInputBlock(QWidget* parent, const InputFieldSpec& spec, int x, int y) {
    NewLabel(parent, spec.label, QRect(x, y, kFieldWidth + kSpinWidth, kLabelHeight),
             QString::fromUtf8(spec.caption), colors::kNeutral);
    const int fieldY = y + kLabelHeight;
    QLineEdit* field = NewTextBox(parent, spec.field, QRect(x, fieldY, kFieldWidth, kFieldHeight),
                                  "", colors::kInput, TextBoxFilter::Kind::Number);
    const int spinX = x + kFieldWidth;
    const int half = kFieldHeight / 2;
    NewSpinButton(parent, spec.plusButton, QRect(spinX, fieldY, kSpinWidth, half), true);
    NewSpinButton(parent, spec.minusButton, QRect(spinX, fieldY + half, kSpinWidth, half), false);
    return field;
}

QLineEdit* NewResultBlock(QWidget* parent, const QString& field, const QString& label,
                          const QString& caption, int x, int y, int width) {
    NewLabel(parent, label, QRect(x, y, width, kLabelHeight), caption, colors::kNeutral);
    QLineEdit* box = NewTextBox(parent, field, QRect(x, y + kLabelHeight, width, kFieldHeight), "",
                                colors::kResult);
    MakeReadOnly(box);
    return box;
}

// The X_f check box shows the sign convention of its curve: -X on blue, f+ on orange, in
// letters that read at 100 %; drawn for 1x and 2x screens.
QIcon ReactanceSignIcon() {
    constexpr int kHalf = 18, kHeight = 14;
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    // Crisp letters: smoothing blurs them at this size.
    font.setStyleStrategy(QFont::NoAntialias);
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(2 * kHalf, kHeight) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        QPainter painter(&pixmap);
        painter.setFont(font);
        const struct {
            QRect area;
            QColor back, text;
            const char* letters;
        } halves[] = {{QRect(0, 0, kHalf, kHeight), QColor(0, 128, 255), Qt::white, "-X"},
                      {QRect(kHalf, 0, kHalf, kHeight), QColor(255, 96, 0), Qt::black, "f+"}};
        for (const auto& half : halves) {
            painter.fillRect(half.area, half.back);
            painter.setPen(half.text);
            painter.drawText(half.area, Qt::AlignCenter, half.letters);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

void Form1::BuildInputs() {
    NewHeading(design_, "Label11", QRect(kInputX, 4, 198, 16), "ORVANE DIMENSIONS");
    NewHeading(design_, "Label12", QRect(kInputX, 98, 96, 16), "HF PARAMETERS");
    NewHeading(design_, "Label75", QRect(kRightX, 4, kRightWidth, 16), "MATCHING");
    const int leftRows[kAntennaInputCount] = {20, 58, 116, 154, 192, 230, 268};
    for (std::size_t i = 0; i < kInputFields.size(); ++i) {
        const bool antenna = i < kAntennaInputCount;
        const int x = antenna ? kInputX : kRightX + static_cast<int>(i - kAntennaInputCount) * 97;
        const int y = antenna ? leftRows[i] : 22;
        inputs_[i] = NewInputBlock(design_, kInputFields[i], x, y);
    }
    auto field = [this](const char* name) { return findChild<QLineEdit*>(name); };
    Text1 = field("Text1");
    Text2 = field("Text2");
    Text8 = field("Text8");
    Text45 = field("Text45");
    Text17 = field("Text17");
    Text4 = field("Text4");
    Text43 = field("Text43");
    Text16 = field("Text16");
    Text29 = field("Text29");
    Text33 = field("Text33");
    Text41 = field("Text41");

    // Frequency markers under the sweep diagram.
    const int markerY = kDiagramY + 420;
    NewLabel(design_, "Label42", QRect(kDiagramX, markerY, 150, 18), " FREQUENCY MARKERS",
             kHeading);
    SetForeColor(findChild<QLabel*>("Label42"), kHeadingText);
    Check6 = NewCheck(design_, "Check6", QRect(kDiagramX + 156, markerY, 60, 18), "SHOW",
                      colors::kInput);
    Check6->setChecked(true);
    for (int i = 0; i < 10; ++i) {
        markers_[i] = NewTextBox(design_, QString("Text%1").arg(18 + i),
                                 QRect(kDiagramX + i * 60, markerY + 20, 56, kFieldHeight), "",
                                 colors::kInput, TextBoxFilter::Kind::Number);
    }
}

void Form1::BuildResults() {
    struct Result {
        QLineEdit** member;
        const char* field;
        const char* label;
        const char* caption;
    };
    const Result column[] = {
        {&Text3, "Text3", "Label3", "Zlc (Ohm)"},  {&Text7, "Text7", "Label7", "l(m)/d(m)"},
        {&Text5, "Text5", "Label5", "R_f (Ohm)"},  {&Text6, "Text6", "Label6", "X_f (Ohm)"},
        {&Text9, "Text9", "Label9", "Z_f (Ohm)"},  {&Text15, "Text15", "Label29", "SWR_f"},
        {&Text44, "Text44", "Label91", "U_f (V)"}, {&Text10, "Text10", "Label10", "eta_f (%)"},
    };
    int y = 20;
    for (const Result& result : column) {
        *result.member =
            NewResultBlock(design_, result.field, result.label, result.caption, kResultX, y, 100);
        y += kRowPitch;
    }
    Label10 = findChild<QLabel*>("Label10");
    Text42 = NewResultBlock(design_, "Text42", "Label88", "eta_tot (%)", kInputX,
                            kNetworkY + kNetworkHeight + 6, 100);
    Label88 = findChild<QLabel*>("Label88");

    auto* statusLabel = new QLabel(design_);
    statusLabel->setObjectName("StatusLine");
    statusLabel->setGeometry(kInputX + 110, kNetworkY + kNetworkHeight + 20,
                             kWindowWidth - kInputX - 116, kFieldHeight);
    statusLine_ = std::make_unique<StatusLine>(statusLabel);
}

void Form1::BuildSelections() {
    NewHeading(design_, "Label13", QRect(kRightX, 66, kRightWidth, 16), "DIAGRAM TYPE");
    auto* typeFrame = new QFrame(design_);
    typeFrame->setObjectName("Frame1");
    typeFrame->setGeometry(kRightX, 82, kRightWidth, 46);
    SetBackColor(typeFrame, colors::kInput);
    Option7 = NewOption(typeFrame, "Option7", QRect(6, 2, kRightWidth - 12, 20),
                        "ANTENNA: f/y MATCHING: 0-30 MHz", colors::kInput);
    Option8 = NewOption(typeFrame, "Option8", QRect(6, 23, kRightWidth - 12, 20),
                        "ANTENNA: R/X MATCHING: SINGLE f", colors::kInput);
    Option7->setChecked(true);

    const QColor unitGreen{0, 176, 0};
    NewHeading(design_, "Label17", QRect(kRightX, 136, kRightWidth, 16), "eta UNITS");
    auto* unitFrame = new QFrame(design_);
    unitFrame->setObjectName("Frame3");
    unitFrame->setGeometry(kRightX, 152, kRightWidth, 26);
    SetBackColor(unitFrame, unitGreen);
    Option12 = NewOption(unitFrame, "Option12", QRect(6, 3, 80, 20), "%", unitGreen);
    Option13 = NewOption(unitFrame, "Option13", QRect(96, 3, 80, 20), "dB", unitGreen);
    Option12->setChecked(true);
}

void Form1::BuildNetworkBoxes() {
    networkGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kNetworkBoxes.size(); ++i) {
        const NetworkBoxSpec& spec = kNetworkBoxes[i];
        NetworkControls& controls = networks_[i];
        const QRect area(kInputX + static_cast<int>(i) * kNetworkPitch, kNetworkY, kNetworkWidth,
                         kNetworkHeight);
        QLabel* box = NewLabel(design_, spec.box, area, spec.caption, colors::kNeutral);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setFrameStyle(QFrame::Box | QFrame::Plain);
        QFont small = box->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        box->setFont(small);

        controls.option = NewOption(box, spec.option, QRect(kNetworkWidth - 62, 1, 60, 18),
                                    "SELECT", colors::kInput);
        networkGroup_->addButton(controls.option, static_cast<int>(i));
        controls.picture = new PictureBox(spec.picture, 120, 72, box);
        controls.picture->move(4, 20);
        QFont pictureFont = controls.picture->font();
        pictureFont.setPixelSize(10);
        pictureFont.setBold(false);
        controls.picture->setFont(pictureFont);
        KeepSchematic(*controls.picture, spec.network);

        auto addField = [&](const char* label, const char* field, const QString& caption, int row,
                            QLabel*& labelOut, QLineEdit*& fieldOut) {
            const int y = 20 + row * 30;
            labelOut = NewLabel(box, label, QRect(128, y, 74, 12), caption, colors::kNeutral);
            fieldOut = NewTextBox(box, field, QRect(128, y + 12, 74, 17), "", colors::kResult);
            MakeReadOnly(fieldOut);
        };
        int row = 0;
        addField(spec.cLabel, spec.cField, "C_m (pF)", row++, controls.cLabel, controls.c);
        if (spec.c2Label) {
            addField(spec.c2Label, spec.c2Field, "C'_m (pF)", row++, controls.c2Label, controls.c2);
        }
        addField(spec.lLabel, spec.lField, QString::fromUtf8("L_m (\u00b5H)"), row, controls.lLabel,
                 controls.l);
    }
    networks_[0].option->setChecked(true);
}

void Form1::BuildDiagramArea() {
    NewLabel(design_, "Label18", QRect(216, 4, 40, kLabelHeight), "f(MHz)", colors::kNeutral);
    Text28 =
        NewTextBox(design_, "Text28", QRect(212, 18, 44, kFieldHeight), "29.99", colors::kResult);
    MakeReadOnly(Text28);

    NewLabel(design_, "Label86", QRect(kDiagramX, 4, 58, 20), "SELECT->", colors::kNeutral);
    NewLabel(design_, "Label93", QRect(kDiagramX, 27, 58, 20), "RANGE ->", colors::kNeutral);

    for (std::size_t i = 0; i < kCurveColumns.size(); ++i) {
        const CurveColumn& column = kCurveColumns[i];
        const int x = kCurveColumnX + static_cast<int>(i) * kCurveColumnPitch;
        const QColor checkColor(column.checkColor[0], column.checkColor[1], column.checkColor[2]);
        const QColor buttonColor(column.buttonColor[0], column.buttonColor[1],
                                 column.buttonColor[2]);
        QCheckBox* check = NewCheck(design_, QString("Check%1").arg(column.check),
                                    QRect(x, 4, kCurveColumnPitch - 2, 20),
                                    column.caption ? column.caption : "", checkColor);
        if (!column.caption) {
            check->setIcon(ReactanceSignIcon());
            check->setIconSize(QSize(36, 14));
        }
        check->setChecked(true);
        curveChecks_[column.check - 1] = check;
        rangeButtons_[i] =
            NewButton(design_, QString("Command%1").arg(column.rangeButton),
                      QRect(x, 26, kCurveColumnPitch - 2, 22), column.cycle[0], buttonColor);
        // Reached by Tab; a click leaves the focus where the handler puts it.
        rangeButtons_[i]->setFocusPolicy(Qt::TabFocus);
    }
    curveChecks_[5] = Check6;

    Picture10 = new PictureBox("Picture10", 600, 4, design_);
    Picture10->move(kDiagramX, kStripPreviousY);
    Picture9 = new PictureBox("Picture9", 600, 4, design_);
    Picture9->move(kDiagramX, kStripY);
    Picture1 = new PictureBox("Picture1", 600, 400, design_);
    Picture1->move(kDiagramX, kDiagramY);
    Picture1->setMouseTracking(true);
    Picture1->setFocusPolicy(Qt::ClickFocus);

    // Scale labels: tenths of full scale on the left, MHz underneath.
    for (int tenth = 0; tenth <= 10; ++tenth) {
        const QString caption =
            tenth == 0 ? "0" : QString("%1.%2x").arg(tenth / 10).arg(tenth % 10);
        auto* label = new QLabel(caption, design_);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(kDiagramX - 40, kDiagramY + 399 - tenth * 40 - 7, 36, 14);
    }
    const char* const mhz[] = {"0", "10", "20", "MHz 30"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(mhz[i], design_);
        const int x = kDiagramX + i * 200;
        label->setGeometry(i == 3 ? x - 50 : x - (i == 0 ? 0 : 8), kDiagramY + 402,
                           i == 3 ? 50 : 30, 14);
        if (i == 3) label->setAlignment(Qt::AlignRight);
    }
}

void Form1::BuildImpedancePlaneFrame() {
    Frame2 = new QFrame(design_);
    Frame2->setObjectName("Frame2");
    Frame2->setGeometry(212, kStripPreviousY - 4, 650, 476);
    SetBackColor(Frame2, QColor(64, 64, 64));
    SetForeColor(Frame2, QColor(224, 224, 224));

    struct View {
        PictureBox** member;
        const char* name;
        int x;
        int labels[10];  // R axis: 0, 100, 200, R; X axis: X, +200, +100, 0, -100, -200
        int scale;
    };
    const View views[] = {
        {&Picture5_1, "Picture5_1", 40, {61, 62, 63, 64, 56, 55, 57, 58, 59, 60}, 1},
        {&Picture5_10, "Picture5_10", 364, {71, 72, 73, 74, 65, 66, 67, 68, 69, 70}, 10},
    };
    constexpr int kTop = 18;
    for (const View& view : views) {
        auto* picture = new PictureBox(view.name, 276, 424, Frame2);
        picture->move(view.x, kTop);
        SetImpedanceScale(*picture);
        QFont small = picture->font();
        small.setPixelSize(10);
        picture->setFont(small);
        *view.member = picture;

        auto place = [&](int number, const QString& caption, int x, int y, int width,
                         Qt::Alignment align) {
            auto* label = new QLabel(caption, Frame2);
            label->setObjectName(QString("Label%1").arg(number));
            label->setAlignment(align);
            label->setGeometry(x, y, width, 14);
        };
        const int underY = kTop + 424 + 1;
        for (int i = 0; i < 3; ++i) {
            place(view.labels[i], QString::number(i * 100 * view.scale), view.x + i * 100 - 4,
                  underY, 40, Qt::AlignLeft);
        }
        place(view.labels[3], "R", view.x + 276 - 10, underY, 10, Qt::AlignLeft);
        place(view.labels[4], "X", view.x - 36, 1, 32, Qt::AlignRight);
        for (int i = 0; i < 5; ++i) {
            const int value = 200 - i * 100;
            place(view.labels[5 + i], QString::number(value * view.scale), view.x - 38,
                  kTop + 212 - value - 7, 34, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    Frame2->hide();
}
