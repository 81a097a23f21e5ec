#include "document/CPropertyListFile.h"

#include "base/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace {

constexpr const char* kFormulaWord = "formula";
constexpr const char* kExaminationWord = "examination";

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string LineFault(int number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

// The heading's format number; false, with the fault, for a heading that is none.
bool ReadHeading(const std::string& line, int& format, std::string& fault) {
    const std::string heading = CPropertyListFile::kHeading;
    if (line.rfind(heading, 0) != 0 ||
        (line.size() > heading.size() && line[heading.size()] != ' ')) {
        fault = "not a property list of Zerin (it does not begin with \"" + heading + "\")";
        return false;
    }
    const std::string number = Trimmed(line.substr(heading.size()));
    format = 0;
    for (const char ch : number) {
        if (ch < '0' || ch > '9' || format > 100000) {
            format = 0;
            break;
        }
        format = format * 10 + (ch - '0');
    }
    if (format < 1) {
        fault = LineFault(1, "the format '" + number + "' is no number");
        return false;
    }
    if (format > CPropertyListFile::kFormat) {
        fault = "written by a newer version of Zerin (format " + std::to_string(format) +
                "; this version reads format " + std::to_string(CPropertyListFile::kFormat) + ")";
        return false;
    }
    return true;
}

} // namespace

std::string CPropertyListFile::CompanionOf(const std::string& documentPath) {
    return documentPath + ".properties";
}

bool CPropertyListFile::Parse(const std::string& text, std::vector<CPropertyList::Line>& lines,
                              std::string& fault) {
    lines.clear();
    if (text.find('\0') != std::string::npos) {
        fault = "not a property list of Zerin (it holds binary data)";
        return false;
    }
    std::istringstream in(text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text);
    std::string line;
    int number = 0;
    bool headed = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        if (!headed) {
            int format = 0;
            if (!ReadHeading(trimmed, format, fault))
                return false;
            headed = true;
            continue;
        }
        const std::size_t space = trimmed.find_first_of(" \t");
        const std::string word = trimmed.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : Trimmed(trimmed.substr(space));
        CPropertyList::EKind kind;
        if (word == kFormulaWord)
            kind = CPropertyList::EKind::Formula;
        else if (word == kExaminationWord)
            kind = CPropertyList::EKind::Examination;
        else {
            fault = LineFault(number, "'" + word + "' is neither " + kFormulaWord + " nor " +
                                          kExaminationWord);
            return false;
        }
        if (rest.empty()) {
            fault = LineFault(number, "the " + word + " is missing");
            return false;
        }
        lines.push_back({0, kind, rest});
    }
    if (!headed) {
        fault = "not a property list of Zerin (it is empty)";
        return false;
    }
    return true;
}

std::string CPropertyListFile::Text(const std::vector<CPropertyList::Line>& lines,
                                    const std::string& documentName) {
    std::string text = std::string(kHeading) + " " + std::to_string(kFormat) + "\n";
    text += "# The properties of " + documentName + ", one a line: " + kFormulaWord + " TEXT or " +
            kExaminationWord + " NAME.\n";
    for (const CPropertyList::Line& line : lines) {
        text += line.kind == CPropertyList::EKind::Formula ? kFormulaWord : kExaminationWord;
        text += " " + line.text + "\n";
    }
    return text;
}

CFileResult CPropertyListFile::Load(CPropertyList& list, const std::string& documentPath) {
    const std::string companion = CompanionOf(documentPath);
    list.Reset();
    std::error_code error;
    if (!std::filesystem::exists(companion, error) && !error)
        return CFileResult::Success();
    std::string text;
    CFileResult read = ReadWholeFile(companion, text);
    std::string fault;
    std::vector<CPropertyList::Line> lines;
    if (read && !Parse(text, lines, fault))
        read = CFileResult::Failure(companion + ": " + fault, fault);
    if (!read) {
        list.SetRefused(companion, read.error);
        return read;
    }
    list.Load(lines);
    return CFileResult::Success();
}

CFileResult CPropertyListFile::Save(CPropertyList& list, const std::string& documentPath) {
    const std::string companion = CompanionOf(documentPath);
    std::error_code error;
    if (list.IsEmpty()) {
        if (list.WasEmptied() && companion != list.RefusedFile() &&
            !std::filesystem::remove(companion, error) && error &&
            error != std::errc::no_such_file_or_directory)
            return CFileResult::Failure("Cannot remove " + companion + ": " + error.message(),
                                        error.message());
        list.MarkSaved();
        return CFileResult::Success();
    }
    if (companion == list.RefusedFile()) {
        const std::string aside = companion + ".bak";
        std::filesystem::rename(companion, aside, error);
        if (error && error != std::errc::no_such_file_or_directory)
            return CFileResult::Failure("Cannot keep " + companion + " aside as " + aside + ": " +
                                            error.message(),
                                        error.message());
        list.SetRefused({}, {});
    }
    const std::string name = std::filesystem::path(documentPath).filename().string();
    CFileResult written = WriteFileAtomically(companion, Text(list.Lines(), name));
    if (written)
        list.MarkSaved();
    return written;
}
