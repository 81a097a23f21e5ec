#pragma once

#include "document/CFrameServices.h"
#include "platform/CMeasureDC.h"

#include <functional>
#include <optional>
#include <string>

// The window around a document that has none (zerin-cli, scripts): a failure the user
// must see is kept for the caller to report, the limits of a case graph computation
// stop it with the reason, and the caller may cancel it. Exports are the caller's own:
// it calls the exporters with its paths.
class CHeadlessFrame : public CFrameServices {
public:
    void ShowError(const std::string& message) override { m_lastError = message; }
    const std::optional<std::string>& GetLastError() const { return m_lastError; }
    void ClearLastError() { m_lastError.reset(); }
    CDC* GetMeasureDC() override { return &m_measure; }

    // Limits of a case graph computation (0: none): cases, and resident memory in bytes.
    void SetCaseGraphLimits(long long maxCases, long long maxMemory,
                            const std::string& memoryText) {
        m_nMaxCases = maxCases;
        m_nMaxMemory = maxMemory;
        m_strMaxMemory = memoryText;
    }
    // Asked whenever a computation tells its progress: true stops it (an interrupt).
    void SetCancelled(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
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
    std::function<bool()> m_cancelled;
    std::optional<std::string> m_limitReached;
    bool m_bMemoryLimitReached = false;
    std::optional<std::string> m_lastError;
    CMeasureDC m_measure;
};
