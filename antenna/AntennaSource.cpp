#include "antenna/AntennaSource.h"

namespace {

class ModelSource final : public AntennaSource {
public:
    SourceKind kind() const override { return SourceKind::Model; }
    std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const override {
        return FeedPointImpedance(in);
    }
};

}  // namespace

const AntennaSource& ClosedFormModel() {
    static const ModelSource model;
    return model;
}
