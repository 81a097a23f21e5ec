#pragma once

#include "document/CRecoveryKeeper.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class CMainFrame;

// Keeps the unsaved document aside while the program runs, in a recovery file of this
// program's own (never the user's file), every so often: the interval of the settings
// ("Recovery/IntervalSeconds", a minute by default). The file is written by a copy of
// the program the system makes, so that the window never waits for it; a save, a new
// or opened document and an orderly end take it away. At the start it offers what a
// program that ended out of order left: Recover, Discard or Later.
class CRecoveryService : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultSeconds = 60;

    explicit CRecoveryService(CMainFrame& frame);
    ~CRecoveryService() override;

    // The folder of the recovery files: "Recovery/Folder" of the settings, else the
    // program's data folder.
    static QString Folder();
    static int IntervalSeconds();

    // Brings the file up to date now: written aside when the document has unsaved
    // changes it lacks (by a child, unless wait), removed when it has none.
    void Update(bool bWait = false);
    // The program ends in order: the file goes.
    void Close();
    // Offers, one after the other, what programs that ended out of order left; true
    // when one was recovered into the document.
    bool OfferLeftOver();
    // This program's keeper; null when no file could be made.
    const CRecoveryKeeper* GetKeeper() const { return m_pKeeper.get(); }

private:
    void Tick();

    CMainFrame& m_frame;
    std::unique_ptr<CRecoveryKeeper> m_pKeeper;
    QTimer m_timer;
};
