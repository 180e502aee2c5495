// Runs the fuzz entry without libFuzzer: each seed file as it is, then a fixed number of
// mutations of them from a fixed random sequence, so that every run checks the same inputs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

class Random {
public:
    std::uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// Pieces that the readers treat specially.
const char* const kTokens[] = {
    "!",     "#", " MHz", " S ",         " RI", " R 50", "nan", "inf",           "-0",
    "1e999", ",", "\"",   "\r\n",        "\n",  "\r",    "\t",  "[Version] 2.0", "f_MHz,R,X",
    "+",     "e", ".",    "\xEF\xBB\xBF"};

void Mutate(std::string& bytes, Random& random) {
    const int steps = 1 + static_cast<int>(random.Below(4));
    for (int i = 0; i < steps; ++i) {
        const std::size_t at = random.Below(bytes.size() + 1);
        switch (random.Below(7)) {
            case 0:
                if (!bytes.empty())
                    bytes[random.Below(bytes.size())] ^= static_cast<char>(1 << random.Below(8));
                break;
            case 1:
                bytes.insert(at, kTokens[random.Below(std::size(kTokens))]);
                break;
            case 2:
                bytes.erase(at, random.Below(8));
                break;
            case 3: {
                // A line or so repeated: equal and falling frequencies.
                const std::size_t from = random.Below(bytes.size() + 1);
                bytes.insert(at, bytes.substr(from, random.Below(40)));
                break;
            }
            case 4:
                bytes.insert(at, 1, static_cast<char>('0' + random.Below(10)));
                break;
            case 5:
                // Any byte, NUL and those of no text included.
                bytes.insert(at, 1, static_cast<char>(random.Below(256)));
                break;
            default:
                bytes.resize(random.Below(bytes.size() + 1));
                break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER ITERATIONS\n", argv[0]);
        return 2;
    }
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (seeds.empty()) {
        std::fprintf(stderr, "no seed files in %s\n", argv[1]);
        return 2;
    }
    const long iterations = std::strtol(argv[2], nullptr, 10);
    Random random;
    auto run = [](const std::string& bytes) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    };
    for (const std::string& seed : seeds) {
        for (char reader = 0; reader < 4; ++reader) run(reader + seed);
    }
    for (long i = 0; i < iterations; ++i) {
        std::string bytes = seeds[random.Below(seeds.size())];
        Mutate(bytes, random);
        run(static_cast<char>(random.Below(4)) + bytes);
    }
    std::printf("%ld passed, 0 failed\n", iterations + static_cast<long>(seeds.size()) * 4);
    return 0;
}
