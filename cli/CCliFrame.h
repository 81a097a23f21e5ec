#pragma once

#include "document/CFrameServices.h"
#include "platform/CMeasureDC.h"

#include <optional>
#include <string>

// The window around the document as the command line has it: a failure the user must
// see is kept for the command to report. Exports are the commands' own: they call the
// exporters with the paths of the command line.
class CCliFrame : public CFrameServices {
public:
    void ShowError(const std::string& message) override { m_lastError = message; }
    const std::optional<std::string>& GetLastError() const { return m_lastError; }
    CDC* GetMeasureDC() override { return &m_measure; }

    // Limits of a case graph computation (0: none): cases, and resident memory in bytes.
    void SetCaseGraphLimits(long long maxCases, long long maxMemory,
                            const std::string& memoryText) {
        m_nMaxCases = maxCases;
        m_nMaxMemory = maxMemory;
        m_strMaxMemory = memoryText;
    }
    // Stops the computation past a limit, keeping the reason for the command.
    bool CaseGraphProgress(int cases, int arcs) override;
    const std::optional<std::string>& GetLimitReached() const { return m_limitReached; }
    // The limit was memory (not the number of cases).
    // A limit reached by one engine is not one for the next.
    void ClearLimitReached() {
        m_limitReached.reset();
        m_bMemoryLimitReached = false;
    }
    bool TakeOutOfMemory() override {
        const bool memory = m_bMemoryLimitReached;
        if (memory)
            ClearLimitReached();
        return memory;
    }
    // --max-memory, or four fifths of the machine's memory.
    long long MemoryLimit() const;
    // What is left of that limit.
    long long CaseGraphMemoryBudget() override;

private:
    long long m_nMaxCases = 0;
    long long m_nMaxMemory = 0;
    std::string m_strMaxMemory;
    std::optional<std::string> m_limitReached;
    bool m_bMemoryLimitReached = false;
    std::optional<std::string> m_lastError;
    CMeasureDC m_measure;
};
