#pragma once

#include <filesystem>
#include <string>

// A fresh folder for the running test, named after the process and the test, removed
// with all it holds when the test ends.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "zerin");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return (m_folder / name).string(); }
    const std::filesystem::path& Folder() const { return m_folder; }

    // The whole file, or an empty text when it cannot be read.
    static std::string Read(const std::string& path);

private:
    std::filesystem::path m_folder;
};
