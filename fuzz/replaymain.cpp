// Replays every file of the given folders through the fuzz target, so each input the
// fuzzer once found stays a case of the normal test run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> files;
        for (const auto &entry : fs::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        for (const fs::path &file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            std::fprintf(stderr, "%s\n", file.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1; // an empty or missing folder is a broken test, not a pass
}
