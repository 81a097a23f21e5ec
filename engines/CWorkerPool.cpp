#include "engines/CWorkerPool.h"

#include <algorithm>
#include <system_error>

#include <sched.h>

CWorkerPool::CWorkerPool(int workers) {
    // Where no more threads can be started (a limit of the process), fewer work.
    try {
        for (int w = 1; w < workers; ++w)
            m_arrThreads.emplace_back([this, w] { Serve(w); });
    } catch (const std::system_error&) {
    }
}

CWorkerPool::~CWorkerPool() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
    }
    m_start.notify_all();
    for (std::thread& thread : m_arrThreads)
        thread.join();
}

int CWorkerPool::DefaultWorkers() {
    // The cores the process may run on (taskset, a container's share), else the machine's.
    cpu_set_t set;
    CPU_ZERO(&set);
    const int cores = sched_getaffinity(0, sizeof(set), &set) == 0
                          ? CPU_COUNT(&set)
                          : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, 64);
}

void CWorkerPool::Serve(int worker) {
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(int)>* task = nullptr;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_start.wait(lock, [&] { return m_bStopping || m_nGeneration != seen; });
            if (m_bStopping)
                return;
            seen = m_nGeneration;
            task = m_pTask;
        }
        std::exception_ptr error;
        try {
            (*task)(worker);
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        if (error && !m_pError)
            m_pError = error;
        if (--m_nRunning == 0)
            m_done.notify_one();
    }
}

void CWorkerPool::Run(const std::function<void(int)>& task) {
    if (m_arrThreads.empty()) {
        task(0);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pTask = &task;
        m_nRunning = static_cast<int>(m_arrThreads.size());
        m_pError = nullptr;
        ++m_nGeneration;
    }
    m_start.notify_all();
    std::exception_ptr error;
    try {
        task(0);
    } catch (...) {
        error = std::current_exception();
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return m_nRunning == 0; });
    if (!error)
        error = m_pError;
    m_pTask = nullptr;
    if (error)
        std::rethrow_exception(error);
}
