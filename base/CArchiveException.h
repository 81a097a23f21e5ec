#pragma once

#include <exception>
#include <string>

// Thrown when the bytes of a document do not form a valid archive (and, on storing, when
// an archive would exceed what the format can express). Every cause is a fault of the
// file's format; failures of any other kind (the file cannot be read or written) are not
// archive exceptions and get their own message.
class CArchiveException : public std::exception {
public:
    enum class Cause {
        Generic,               // a malformed value that fits none of the causes below
        EndOfFile,             // a value, string or class name runs past the end
        BadIndex,              // a reference to an entry the table does not hold as such
        BadClass,              // an unknown class name, or an object of an unexpected class
        BadSchema,             // a version word that is not understood
        CountTooLarge,         // a count whose entries cannot fit in the bytes left
        InconsistentStructure, // the objects read do not fit together
    };

    explicit CArchiveException(Cause cause, const std::string& detail = {})
        : m_cause(cause), m_strWhat(GetCauseName(cause)) {
        if (!detail.empty())
            m_strWhat += ": " + detail;
    }

    Cause GetCause() const { return m_cause; }
    const char* what() const noexcept override { return m_strWhat.c_str(); }

    // The text the user sees when opening a document fails with this cause.
    static const char* GetUserMessage(Cause) { return "Unexpected file format."; }
    // The text the user sees when opening a document fails for a reason that is not an
    // archive exception (the file cannot be read, memory runs out).
    static const char* GetOpenFailedMessage() { return "Failed to open document."; }
    // The message for any failure of an open: the exception thrown while loading.
    static const char* GetUserMessage(const std::exception& e) {
        if (auto* archive = dynamic_cast<const CArchiveException*>(&e))
            return GetUserMessage(archive->GetCause());
        return GetOpenFailedMessage();
    }

    static const char* GetCauseName(Cause cause) {
        switch (cause) {
        case Cause::EndOfFile:
            return "unexpected end of file";
        case Cause::BadIndex:
            return "bad object index";
        case Cause::BadClass:
            return "bad class";
        case Cause::BadSchema:
            return "bad schema";
        case Cause::CountTooLarge:
            return "count too large";
        case Cause::InconsistentStructure:
            return "inconsistent structure";
        case Cause::Generic:
            break;
        }
        return "invalid archive";
    }

private:
    Cause m_cause;
    std::string m_strWhat;
};
