#include "app/frame/CRecoveryService.h"

#include "app/dialogs/CDlgRecover.h"
#include "app/frame/CMainFrame.h"
#include "base/OutputWriter.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kFolderKey = QStringLiteral("Recovery/Folder");
const QString kIntervalKey = QStringLiteral("Recovery/IntervalSeconds");

std::int64_t Now() {
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace

CRecoveryService::CRecoveryService(CMainFrame& frame) : QObject(&frame), m_frame(frame) {
    std::string error;
    std::unique_ptr<CRecoveryFile> file = CRecoveryFile::Create(Folder().toStdString(), error);
    if (!file) {
        WriteOutput(PANE_STANDARD, "Unsaved work cannot be kept aside: " + error);
        return;
    }
    m_pKeeper = std::make_unique<CRecoveryKeeper>(frame.GetDocument(), std::move(file));
    m_timer.setInterval(IntervalSeconds() * 1000);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryService::Tick);
    m_timer.start();
}

CRecoveryService::~CRecoveryService() = default;

QString CRecoveryService::Folder() {
    const QString strFolder = QSettings().value(kFolderKey).toString();
    if (!strFolder.isEmpty())
        return strFolder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

int CRecoveryService::IntervalSeconds() {
    bool bOk = false;
    const int nSeconds = QSettings().value(kIntervalKey, kDefaultSeconds).toInt(&bOk);
    return bOk && nSeconds > 0 ? nSeconds : kDefaultSeconds;
}

void CRecoveryService::Tick() {
    // A task works on the document meanwhile: the next tick writes it.
    if (!m_frame.IsFrozen())
        Update();
}

void CRecoveryService::Update(bool bWait) {
    if (!m_pKeeper)
        return;
    const CRecoveryKeeper::EUpdate result =
        bWait ? m_pKeeper->Update(Now()) : m_pKeeper->UpdateApart(Now());
    if (result == CRecoveryKeeper::EUpdate::Failed)
        WriteError(PANE_STANDARD, "Unsaved work cannot be kept aside: " + m_pKeeper->Error());
}

void CRecoveryService::Close() {
    m_timer.stop();
    if (m_pKeeper)
        m_pKeeper->Close();
    m_pKeeper.reset();
}

bool CRecoveryService::OfferLeftOver() {
    bool bRecovered = false;
    for (std::unique_ptr<CRecoveryFile>& file :
         CRecoveryFile::ClaimLeftOver(Folder().toStdString())) {
        CRecoveryFile::Header header;
        if (!file->ReadHeader(header)) {
            // What cannot be read cannot be recovered: it stays for the user to look at.
            file->Release();
            continue;
        }
        const QString strWritten =
            QLocale().toString(QDateTime::fromSecsSinceEpoch(header.time), QLocale::LongFormat);
        CDlgRecover dialog(QString::fromStdString(header.title),
                           QString::fromStdString(header.path), strWritten, &m_frame);
        switch (m_frame.GetPrompt().RunDialog(dialog)) {
        case CDlgRecover::CHOICE_RECOVER:
            if (!m_frame.SaveModified()) {
                file->Release();
                break;
            }
            if (const CFileResult result = file->Recover(m_frame.GetDocument()); !result) {
                m_frame.GetPrompt().Message(&m_frame, QMessageBox::Warning,
                                            QString::fromStdString(result.error), QMessageBox::Ok);
                file->Release();
                break;
            }
            file->Remove();
            m_frame.InitialUpdate();
            m_frame.StartViewsAtOrigin();
            bRecovered = true;
            // Kept aside again, in this program's own file.
            Update(true);
            break;
        case CDlgRecover::CHOICE_DISCARD:
            file->Remove();
            break;
        default:
            file->Release();
            break;
        }
    }
    return bRecovered;
}
