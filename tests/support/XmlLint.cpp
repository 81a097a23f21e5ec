#include "XmlLint.h"

#include "TempFolder.h"

#include <cstdio>
#include <fstream>

std::string XmlLintFile(const std::string& path, const std::string& relaxNg) {
    std::string command = "xmllint --noout ";
    if (!relaxNg.empty())
        command += "--relaxng '" + relaxNg + "' ";
    command += "'" + path + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "xmllint cannot be started";
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    if (status != 0 && output.empty())
        output = "xmllint failed";
    return status == 0 ? std::string() : output;
}

std::string CheckWellFormedXml(std::string_view document) {
    TempFolder folder("zerin-xmllint");
    const std::string path = folder.Path("document.xml");
    std::ofstream(path, std::ios::binary)
        .write(document.data(), static_cast<std::streamsize>(document.size()));
    return XmlLintFile(path);
}
