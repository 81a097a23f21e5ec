#pragma once

#include <QDialog>

#include <functional>
#include <thread>

struct CGASettings;
class CSmoothCaseGraphSession;
class QLabel;
class QPushButton;
class QTimer;

// "Smooth Case Graph": runs the layout optimiser of the case graph on a worker thread
// while the dialog stays responsive. The session outlives the dialog, so that closing
// and reopening continues the same population; OK applies the best layout found once a
// search has started, Cancel applies nothing.
class CDlgSmoothCaseGraph : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDC_INTERSECTIONS = 1032;
    static constexpr int IDC_START = 1033;
    static constexpr int IDC_STOP = 1034;
    static constexpr int IDC_RESET = 1035;
    static constexpr int IDC_GENERATIONS = 1036;
    static constexpr int IDC_SETTINGS = 1037;
    static constexpr int IDC_FITNESS = 1038;
    // The statistics are shown this often while a search runs.
    static constexpr int kRefreshMilliseconds = 100;
    static constexpr int IDC_STATUS = 1039;
    // Past this many pairs of steps compared for the first population (a day's work on
    // a graph of three million steps) the search is not started: it would not end.
    static constexpr double kMaxPopulationPairs = 2e11;

    explicit CDlgSmoothCaseGraph(CSmoothCaseGraphSession& session, QWidget* pParent = nullptr);
    ~CDlgSmoothCaseGraph() override;

    // The settings dialog ("Advanced settings"); false when cancelled.
    using SettingsRunner = std::function<bool(CGASettings& settings)>;

    void OnStart();
    void OnStop();
    void OnReset();
    void OnSettings();
    // Shows the session's statistics.
    void UpdateStatistics();

    QPushButton* GetButton(int nId) const;
    QString GetStatistic(int nId) const;
    bool IsSearching() const { return m_worker.joinable(); }

    void done(int nResult) override;

private:
    void SetRunningState(bool bRunning);
    // Ends the worker after the generation under way.
    void StopWorker();

    CSmoothCaseGraphSession& m_rSession;
    std::thread m_worker;
    QTimer* m_pTimer = nullptr;
    QPushButton* m_pStart = nullptr;
    QPushButton* m_pStop = nullptr;
    QPushButton* m_pReset = nullptr;
    QPushButton* m_pSettings = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QLabel* m_pGenerations = nullptr;
    QLabel* m_pFitness = nullptr;
    QLabel* m_pIntersections = nullptr;
    // What the search is doing, or why it cannot start.
    QLabel* m_pStatus = nullptr;
    bool m_bTooLarge = false;
    SettingsRunner m_runSettings;
};
