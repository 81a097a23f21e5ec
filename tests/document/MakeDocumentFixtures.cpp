// Writes the committed document fixtures: tests/data/valid/ (documents as the program
// saves them) and tests/data/corrupt/ (damaged ones). Run it after a change of the file
// format: make_document_fixtures <tests/data folder>.

#include "CorruptFiles.h"
#include "FixtureDocuments.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <tests/data folder>\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path data(argv[1]);
    const fs::path valid = data / "valid", corrupt = data / "corrupt";
    fs::create_directories(valid);
    fs::create_directories(corrupt);
    for (const fs::path& folder : {valid, corrupt})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".zrn")
                fs::remove(entry.path());
    int written = 0;
    for (const std::string& name : FixtureNames())
        written += Write(valid / (name + ".zrn"), FixtureBytes(name));
    for (const auto& [name, bytes] : MakeCorruptFiles())
        written += Write(corrupt / (name + ".zrn"), bytes);
    std::printf("%d files written\n", written);
    return 0;
}
