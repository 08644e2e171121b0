// Runs a fuzz target without libFuzzer: every file of the corpus folders given
// on the command line, then deterministic mutations of each (bit flips, byte
// changes, cuts and growths), so that a plain test run already exercises the
// reader on malformed input under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::uint32_t next(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void run(const std::vector<std::uint8_t>& input) {
    // A copy of exactly the input's size, so that the sanitizers see any read past it.
    std::vector<std::uint8_t> copy(input);
    LLVMFuzzerTestOneInput(copy.empty() ? nullptr : copy.data(), copy.size());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<std::uint8_t>> seeds;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], ec)) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    seeds.emplace_back();
    std::uint32_t state = 2463534242u;
    std::size_t runs = 0;
    for (const auto& seed : seeds) {
        run(seed);
        ++runs;
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> m(seed);
            const int edits = 1 + static_cast<int>(next(state) % 4);
            for (int e = 0; e < edits; ++e) {
                const std::uint32_t r = next(state);
                switch (r % 5) {
                case 0:
                    if (!m.empty())
                        m[next(state) % m.size()] ^= static_cast<std::uint8_t>(1u << (r >> 8) % 8);
                    break;
                case 1:
                    if (!m.empty())
                        m[next(state) % m.size()] = static_cast<std::uint8_t>(next(state));
                    break;
                case 2:
                    if (!m.empty())
                        m.resize(next(state) % m.size());
                    break;
                case 3:
                    m.insert(m.begin() + (m.empty() ? 0 : next(state) % m.size()),
                             static_cast<std::uint8_t>(next(state)));
                    break;
                default:
                    if (!m.empty())
                        m[next(state) % m.size()] = (r & 0x100) ? 0xFF : 0x00;
                    break;
                }
            }
            run(m);
            ++runs;
        }
    }
    std::printf("%zu inputs run\n", runs);
    return 0;
}
