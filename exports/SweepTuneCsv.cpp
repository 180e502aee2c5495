#include "exports/SweepTuneCsv.h"

#include <cstdio>

#include "core/NumberText.h"
#include "exports/CsvText.h"

namespace {

// Before the header: what the two bests are taken over. No commas, for readers that take
// the line for a record.
constexpr const char* kHeaderComment =
    "# best_*: the lowest SWR over every setting of the banks; index 0 (0 pF or 0 µH: nothing "
    "switched in) included; TUNE never sets it. best_reachable_*: the lowest over the settings "
    "TUNE can set (index 1 up).";

constexpr const char* kColumns[] = {"f_MHz",
                                    "C_pF",
                                    "L_uH",
                                    "SWR",
                                    "ops",
                                    "time_s",
                                    "colour",
                                    "best_C_pF",
                                    "best_L_uH",
                                    "best_SWR",
                                    "bank_settings",
                                    "best_reachable_C_pF",
                                    "best_reachable_L_uH",
                                    "best_reachable_SWR",
                                    "eta_net_pct",
                                    "Ploss_W"};

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

void WriteBest(CsvText& csv, const SweepTuneRow& row, const std::optional<AllSettingsBest>& best) {
    const std::optional<BestSetting> setting = best ? best->setting : std::nullopt;
    if (setting) {
        Checked c;
        csv.Number(CapacitanceOf(*row.banks, setting->c, c));
        csv.Number(InductanceOf(*row.banks, setting->l, c));
    } else {
        csv.Empty();
        csv.Empty();
    }
    if (best) {
        csv.Number(ShownSwr(best->swr));
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
        // A TUNE that matched nothing still shows the setting of an earlier one.
        const bool matched = row.swr < TunerState::kNoMatch;
        ShownNumber(csv, matched ? row.shown.c_pF : std::string());
        ShownNumber(csv, matched ? row.shown.l_uH : std::string());
        ShownNumber(csv, row.shown.swr);
        ShownNumber(csv, row.shown.ops);
        ShownNumber(csv, row.shown.time_s);
        csv.Field(ColourText(row.shown.indicator));
        WriteBest(csv, row, row.best);
        if (row.banks) {
            csv.Number(static_cast<double>(SettingCount(*row.banks)));
        } else {
            csv.Empty();
        }
        WriteBest(csv, row, row.reachable);
        if (row.losses) {
            csv.Number(row.losses->eta_net_pct);
            csv.Number(row.losses->partLoss_W());
        } else {
            csv.Empty();
            csv.Empty();
        }
        csv.EndRecord();
    }
    return std::string(kHeaderComment) + "\r\n" + csv.text();
}
