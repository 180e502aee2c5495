#pragma once

#include <optional>
#include <vector>

#include "tuners/search/TunerSearch.h"

// Ways of searching a tuner's two banks for the lowest SWR. Each runs over the same host
// interface as TUNE's own search, so a window, a run without one or a test drives any of
// them alike.
class SearchStrategy {
public:
    virtual ~SearchStrategy() = default;
    // Searches and ends on the best setting found, which is then the host's last one.
    // Returns the best SWR (9999 when nothing matched); `best` becomes the best setting
    // when one comes below 9999 and stays as it was otherwise.
    virtual double Search(SearchHost& host, IndexRange range, BestSetting& best) = 0;
};

// TUNE's own staged search of the tuner, as its window runs it.
class TuneSearch : public SearchStrategy {
public:
    explicit TuneSearch(TunerKind kind) : kind_(kind) {}
    double Search(SearchHost& host, IndexRange range, BestSetting& best) override;

private:
    TunerKind kind_;
};

// An 8 x 8 grid spread evenly over both banks, index 0 to the largest, then a local
// search from each of its three best points; the best of all settings tried wins.
class GridAndLocal : public SearchStrategy {
public:
    double Search(SearchHost& host, IndexRange range, BestSetting& best) override;
};

// Grid and local, with the local search following valleys that slant across the banks.
class GridAndValley : public SearchStrategy {
public:
    double Search(SearchHost& host, IndexRange range, BestSetting& best) override;
};

// A tuner with a memory: a local search only, from the setting it ended on at the last
// frequency where it found a match. With nothing remembered yet it searches grid and local.
class MemorySearch : public SearchStrategy {
public:
    double Search(SearchHost& host, IndexRange range, BestSetting& best) override;

private:
    std::optional<BestSetting> remembered_;
};

// Every setting of the banks, index 0 included, inductor index outer, capacitor inner.
class EverySetting : public SearchStrategy {
public:
    double Search(SearchHost& host, IndexRange range, BestSetting& best) override;
};

// The indices of the grid: `count` spread evenly from 0 to maxIndex, both ends included,
// each once; none for a bank without settings.
std::vector<int16_t> SpreadIndices(int16_t maxIndex, int count);
