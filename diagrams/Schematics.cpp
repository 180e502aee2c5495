#include "diagrams/Schematics.h"

#include <numbers>
#include <vector>

#include "platform/PictureBox.h"

namespace {

constexpr double kRail = 26;    // y of the signal line
constexpr double kGround = 60;  // y of the ground line
constexpr double kLeft = 24;
constexpr double kRight = 100;

const QColor kWire(40, 40, 40);
const QColor kCapacitor(0, 128, 128);
const QColor kInductor(208, 96, 0);

enum class Part { SeriesC, ShuntC, SeriesL, ShuntL, DifferentialC };

struct Placed {
    Part part;
    double x;
};

void SeriesCapacitor(PictureBox& p, double x, bool differential) {
    p.SetForeColor(kWire);
    p.Line(x - 10, kRail, x - 3, kRail);
    p.Line(x + 3, kRail, x + 10, kRail);
    p.SetForeColor(kCapacitor);
    p.SetDrawWidth(2);
    p.Line(x - 3, kRail - 7, x - 3, kRail + 7);
    p.Line(x + 3, kRail - 7, x + 3, kRail + 7);
    p.SetDrawWidth(1);
    if (differential) p.Line(x - 7, kRail + 9, x + 7, kRail - 9);  // the tuning arrow
}

void ShuntCapacitor(PictureBox& p, double x) {
    const double middle = (kRail + kGround) / 2;
    p.SetForeColor(kWire);
    p.Line(x, kRail, x, middle - 3);
    p.Line(x, middle + 3, x, kGround);
    p.SetForeColor(kCapacitor);
    p.SetDrawWidth(2);
    p.Line(x - 7, middle - 3, x + 7, middle - 3);
    p.Line(x - 7, middle + 3, x + 7, middle + 3);
    p.SetDrawWidth(1);
}

// Three half-turns along the line from (x1, y1) to (x2, y2), horizontal or vertical.
void Coil(PictureBox& p, double x1, double y1, double x2, double y2) {
    const bool horizontal = y1 == y2;
    const double length = horizontal ? x2 - x1 : y2 - y1;
    const double radius = length / 6;
    p.SetForeColor(kInductor);
    p.SetDrawWidth(2);
    for (int turn = 0; turn < 3; ++turn) {
        const double centre = (horizontal ? x1 : y1) + radius * (2 * turn + 1);
        if (horizontal) {
            p.Arc(centre, y1, radius, 0, std::numbers::pi);
        } else {
            p.Arc(x1, centre, radius, -std::numbers::pi / 2, std::numbers::pi / 2);
        }
    }
    p.SetDrawWidth(1);
}

void SeriesInductor(PictureBox& p, double x) {
    p.SetForeColor(kWire);
    p.Line(x - 10, kRail, x - 9, kRail);
    p.Line(x + 9, kRail, x + 10, kRail);
    Coil(p, x - 9, kRail, x + 9, kRail);
}

void ShuntInductor(PictureBox& p, double x) {
    p.SetForeColor(kWire);
    p.Line(x, kRail, x, kRail + 6);
    p.Line(x, kGround - 6, x, kGround);
    Coil(p, x, kRail + 6, x, kGround - 6);
}

std::vector<Placed> PartsOf(Network network) {
    switch (network) {
        case Network::HpCl:
            return {{Part::SeriesC, 46}, {Part::ShuntL, 78}};
        case Network::HpLc:
            return {{Part::ShuntL, 40}, {Part::SeriesC, 68}};
        case Network::HpClc:
            return {{Part::DifferentialC, 40}, {Part::ShuntL, 62}, {Part::DifferentialC, 84}};
        case Network::LpCl:
            return {{Part::ShuntC, 40}, {Part::SeriesL, 68}};
        case Network::LpLc:
            return {{Part::SeriesL, 46}, {Part::ShuntC, 82}};
        case Network::LpClc:
            return {{Part::ShuntC, 36}, {Part::SeriesL, 62}, {Part::ShuntC, 88}};
    }
    return {};
}

}  // namespace

void DrawSchematic(PictureBox& p, Network network) {
    p.SetBackground(QColor(236, 236, 228));
    p.SetDrawWidth(1);
    p.SetForeColor(Qt::black);

    // The transmitter and the antenna with their labels; the ground line between them.
    p.SetCurrentPoint(2, 2);
    p.Print("TRX");
    p.SetCurrentPoint(2, 40);
    p.Print(QString::fromUtf8("50\u03a9"));
    p.Line(kLeft - 4, kRail, kLeft - 4, kGround);
    p.Line(kRight + 4, kRail, kRight + 4, 8);
    p.Line(kRight - 1, 8, kRight + 4, 14);
    p.Line(kRight + 9, 8, kRight + 4, 14);
    p.Line(kRight - 1, 8, kRight + 9, 8);
    p.SetCurrentPoint(96, 61);
    p.Print("ANT");
    p.SetForeColor(kWire);
    p.Line(kLeft - 4, kGround, kRight + 4, kGround);

    // Signal line, broken where a series element sits.
    std::vector<Placed> parts = PartsOf(network);
    double from = kLeft - 4;
    for (const Placed& placed : parts) {
        const bool series = placed.part == Part::SeriesC || placed.part == Part::SeriesL ||
                            placed.part == Part::DifferentialC;
        if (!series) continue;
        p.SetForeColor(kWire);
        p.Line(from, kRail, placed.x - 10, kRail);
        from = placed.x + 10;
    }
    p.SetForeColor(kWire);
    p.Line(from, kRail, kRight + 4, kRail);

    bool plus = true;
    for (const Placed& placed : parts) {
        switch (placed.part) {
            case Part::SeriesC:
                SeriesCapacitor(p, placed.x, false);
                break;
            case Part::DifferentialC:
                SeriesCapacitor(p, placed.x, true);
                p.SetForeColor(kCapacitor);
                p.SetCurrentPoint(placed.x - 3, kRail - 22);
                p.Print(plus ? "+" : "-");
                plus = false;
                break;
            case Part::ShuntC:
                ShuntCapacitor(p, placed.x);
                break;
            case Part::SeriesL:
                SeriesInductor(p, placed.x);
                break;
            case Part::ShuntL:
                ShuntInductor(p, placed.x);
                break;
        }
    }
}

void KeepSchematic(PictureBox& picture, Network network) {
    DrawSchematic(picture, network);
    QObject::connect(&picture, &PictureBox::pixelRatioChanged, &picture,
                     [&picture, network] { DrawSchematic(picture, network); });
}
