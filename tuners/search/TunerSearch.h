#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The staged switch-setting searches of the three simulated tuners. They know nothing of
// windows: the window evaluates a setting and shows results through SearchHost, so a
// search can be tested and benchmarked on its own.

class SearchHost {
public:
    virtual ~SearchHost() = default;
    // Evaluates the setting (cidx, lidx) as one switching operation: counts it, updates
    // the displays, yields to the event loop. Returns the SWR the window holds afterwards,
    // which is the previous SWR when this evaluation faulted.
    virtual double EvaluateSetting(int16_t cidx, int16_t lidx) = 0;
    // Switching operations counted since the run started.
    virtual int32_t Operations() const = 0;
    // The coarse phase ended: its level k (HP-CL only; 0 for the others) and the best so far.
    virtual void ShowCoarseResult(int level, double bestSWR, int16_t bestC, int16_t bestL) = 0;
    // True once the window has been closed: the search ends without evaluating further.
    virtual bool Abandoned() const = 0;
    // The last evaluation faulted: the SWR it returned is the one before it.
    virtual bool LastEvaluationFaulted() const = 0;
};

enum class TunerKind { HpCl, LpCl, LpLc };

struct IndexRange {
    int16_t cmaxIndex = 0;
    int16_t lmaxIndex = 0;
};

// Best setting of a window; it carries over from one run to the next.
struct BestSetting {
    int16_t c = 0;
    int16_t l = 0;
};

// Largest setting index of a bank, round(total / step) with halves to even; nothing when
// the step is 0 or the quotient is not a finite number within 16 bits.
std::optional<int16_t> MaxIndex(double total, double step);

// Runs the whole search of the given tuner (coarse phase, refinement, final evaluation of
// the best setting) and returns the best SWR it found.
double RunSearch(TunerKind kind, SearchHost& host, IndexRange range, BestSetting& best);

// The coarse index sequences, exposed for tests and the benchmark.
std::vector<int16_t> HpClSequence(int16_t maxIndex, int level);
std::vector<int16_t> LpClCapacitorSequence(int16_t maxIndex);
std::vector<int16_t> LpClInductorSequence(int16_t maxIndex);
std::vector<int16_t> DoublingSequence(int16_t maxIndex);
