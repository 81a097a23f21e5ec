#include "views/CViewHost.h"

#include "base/CBufferedOutputSink.h"
#include "base/OutputWriter.h"

bool CViewHost::RunTask(const std::string& /*title*/,
                        const std::function<bool(CWorkMonitor&)>& work) {
    CWorkMonitor monitor;
    return RunHere(monitor, work);
}

bool CViewHost::RunHere(CWorkMonitor& monitor, const std::function<bool(CWorkMonitor&)>& work) {
    CBufferedOutputSink held;
    COutputSink* pSink = SetOutputSink(&held);
    bool done = false;
    try {
        done = work(monitor);
    } catch (...) {
        SetOutputSink(pSink);
        throw;
    }
    SetOutputSink(pSink);
    if (done && pSink)
        held.Replay(*pSink);
    return done;
}
