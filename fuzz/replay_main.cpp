// Runs the fuzz entry point over every file of the folders given, so that the
// corpus and every input that once crashed stay tests in ordinary builds.
// The first folder is the corpus: it must exist and hold inputs, so that a
// renamed or emptied corpus fails instead of replaying nothing.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int replayFolder(const char* folder)
{
    int files = 0;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) return 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++files;
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS [MORE_FOLDERS...]\n", argv[0]);
        return 2;
    }
    const int corpus = replayFolder(argv[1]);
    if (corpus == 0) {
        std::fprintf(stderr, "no inputs in the corpus folder %s\n", argv[1]);
        return 1;
    }
    int files = corpus;
    for (int i = 2; i < argc; ++i) files += replayFolder(argv[i]);
    std::printf("replayed %d inputs\n", files);
    return 0;
}
