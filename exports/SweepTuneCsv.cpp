#include "exports/SweepTuneCsv.h"

#include <cstdio>

#include "core/NumberText.h"
#include "exports/CsvText.h"

namespace {

constexpr const char* kColumns[] = {"f_MHz",     "C_pF",     "L_uH",         "SWR",
                                    "ops",       "time_s",   "colour",       "best_C_pF",
                                    "best_L_uH", "best_SWR", "bank_settings"};

// A number the tuner shows, in the file's number format; an empty field stays empty.
void ShownNumber(CsvText& csv, const std::string& shown) {
    if (shown.empty()) {
        csv.Empty();
    } else {
        csv.Number(ParseLeadingNumber(shown));
    }
}

std::string ColourText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}

void WriteBest(CsvText& csv, const SweepTuneRow& row) {
    const std::optional<BestSetting> setting = row.best ? row.best->setting : std::nullopt;
    if (setting) {
        Checked c;
        csv.Number(CapacitanceOf(*row.banks, setting->c, c));
        csv.Number(InductanceOf(*row.banks, setting->l, c));
    } else {
        csv.Empty();
        csv.Empty();
    }
    if (row.best) {
        csv.Number(ShownSwr(row.best->swr));
    } else {
        csv.Empty();
    }
}

}  // namespace

std::string SweepTuneCsv(std::span<const SweepTuneRow> rows) {
    CsvText csv;
    for (const char* column : kColumns) csv.Field(column);
    csv.EndRecord();
    for (const SweepTuneRow& row : rows) {
        csv.Number(row.f_MHz);
        ShownNumber(csv, row.shown.c_pF);
        ShownNumber(csv, row.shown.l_uH);
        ShownNumber(csv, row.shown.swr);
        ShownNumber(csv, row.shown.ops);
        ShownNumber(csv, row.shown.time_s);
        csv.Field(ColourText(row.shown.indicator));
        WriteBest(csv, row);
        if (row.banks) {
            csv.Number(static_cast<double>(SettingCount(*row.banks)));
        } else {
            csv.Empty();
        }
        csv.EndRecord();
    }
    return csv.text();
}
