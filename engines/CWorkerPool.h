#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads that run one task together and wait for the next: the caller is worker 0,
// the others are started once and kept until the pool goes. A task that throws on any
// worker throws from Run once every worker is done.
class CWorkerPool {
public:
    explicit CWorkerPool(int workers);
    ~CWorkerPool();
    CWorkerPool(const CWorkerPool&) = delete;
    CWorkerPool& operator=(const CWorkerPool&) = delete;

    int Size() const { return static_cast<int>(m_arrThreads.size()) + 1; }
    // Runs task(worker) on every worker, 0 ... Size() - 1, and returns when all are done.
    void Run(const std::function<void(int)>& task);

    // The workers a search takes by default: the cores the process may run on.
    static int DefaultWorkers();

private:
    void Serve(int worker);

    std::vector<std::thread> m_arrThreads;
    std::mutex m_mutex;
    std::condition_variable m_start;
    std::condition_variable m_done;
    const std::function<void(int)>* m_pTask = nullptr;
    std::uint64_t m_nGeneration = 0;
    int m_nRunning = 0;
    bool m_bStopping = false;
    std::exception_ptr m_pError;
};
