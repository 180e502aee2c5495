#pragma once

#include "antenna/AntennaSource.h"

// The closed-form model, but with values only over a span, as a measured file has them.
class SpanSource final : public AntennaSource {
public:
    explicit SpanSource(FrequencySpan span) : span_(span) {}
    SourceKind kind() const override { return SourceKind::Measured; }
    std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const override {
        if (!span_.Contains(in.frequency_MHz)) return std::nullopt;
        return ClosedFormModel().FeedPoint(in);
    }
    std::optional<FrequencySpan> span() const override { return span_; }
    bool knowsEfficiency() const override { return false; }

private:
    FrequencySpan span_;
};
