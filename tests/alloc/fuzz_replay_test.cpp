// Replays a fuzz target's committed seeds and regression inputs (fuzz/corpus/
// and fuzz/regressions/) through its LLVMFuzzerTestOneInput on the host (with
// the sanitizers) and on Windows (under Wine), so every input that once found
// a fault keeps being checked in `make test`, and the targets' properties
// (guard units, termination, agreement with references) hold in the Windows
// build too. A failing property aborts the binary after naming the input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool read_file(const std::string& path, std::vector<uint8_t>* bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    std::fclose(file);
    return true;
}

TEST(FuzzReplay, EveryCommittedInputKeepsTheTargetsProperties) {
    std::vector<uint8_t> list;
    ASSERT_TRUE(read_file(FUZZ_INPUT_LIST, &list)) << FUZZ_INPUT_LIST;
    std::string text(list.begin(), list.end());
    int32_t replayed = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string path = text.substr(start, end - start);
        start = end + 1;
        if (path.empty()) continue;
        std::vector<uint8_t> input;
        ASSERT_TRUE(read_file(path, &input)) << path;
        std::fprintf(stderr, "%s\n", path.c_str());  // the last name printed is the culprit
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
