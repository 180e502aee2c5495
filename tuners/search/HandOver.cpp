#include "tuners/search/HandOver.h"

#include "core/NumberText.h"
#include "core/ShownResults.h"

std::optional<AntennaFields> HandedOverAntenna(AntennaInput input, double f_MHz) {
    input.frequency_MHz = f_MHz;
    const ShownAntenna main = ShowAntenna(input, false);
    if (!main.complete()) return std::nullopt;
    // The tuner reads the texts of the main window's fields.
    auto shown = [](double value) { return ParseLeadingNumber(FormatField(value)); };
    return AntennaFields{f_MHz, shown(main.feed->r_f), shown(main.feed->x_f)};
}
