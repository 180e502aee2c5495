#include "tuners/search/HandOver.h"

#include "antenna/ShownResults.h"
#include "core/NumberText.h"

std::optional<AntennaFields> HandedOverAntenna(const AntennaSource& source, AntennaInput input,
                                               double f_MHz) {
    input.frequency_MHz = f_MHz;
    const ShownAntenna main = ShowAntenna(source, input, false);
    if (!main.complete()) return std::nullopt;
    // The tuner reads the texts of the main window's fields.
    auto shown = [](double value) { return ParseLeadingNumber(FormatField(value)); };
    return AntennaFields{f_MHz, shown(main.feed->r_f), shown(main.feed->x_f)};
}
