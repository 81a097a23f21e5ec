#include "app/frame/CMainFrame.h"

#include "app/frame/CRecoveryService.h"
#include "app/frame/CStartPage.h"
#include "app/frame/ExportCommands.h"
#include "base/FormatString.h"
#include "examples/CExampleNets.h"
#include "formats/CExportFormat.h"
#include "formats/CExportInput.h"
#include "platform/CMeasureDC.h"
#include "platform/CPnmlReader.h"
#include "views/CDiagramView.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"
#include "views/SaveFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace Cmd;

namespace {

const QString kFilter = QStringLiteral("Zerin files (*.zrn)");
const QString kRecentSection = QStringLiteral("Recent File List");

const QString kOpenedBefore = QStringLiteral("Settings/OpenedBefore");

// The example nets installed beside the program (share/zerin/examples), if any.
QString ExamplesFolder() {
    const QString strFolder = QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath(QStringLiteral("../share/zerin/examples"));
    return QFileInfo(strFolder).isDir() ? QDir::cleanPath(strFolder) : QString();
}

QString RecentKey(int nIndex) {
    return QString::asprintf("File%d", nIndex + 1);
}

} // namespace

void CMainFrame::InitialUpdate() {
    // A new, opened or recovered document: its recovery file follows it.
    m_pRecovery->Update();
#ifdef __GLIBC__
    // The memory of a large document just dropped goes back to the system.
    malloc_trim(0);
#endif
    ShowPropertiesPage(PAGE_HIDE, nullptr);
    EnableSimulationButtons(true, true, false, true);
    for (CDiagramView* pView : m_arrViews)
        if (pView)
            pView->OnInitialUpdate();
    UpdateTitle();
    UpdateCommandUI();
}

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified())
        return true;
    const QString strText =
        QStringLiteral("Save changes to %1?").arg(QString::fromStdString(m_doc.GetTitle()));
    switch (m_pPrompt->Message(this, QMessageBox::Warning, strText,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return OnFileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::StopRunning() {
    if (!m_pNetDesignView ||
        !(m_pNetDesignView->IsAutoRunning() || m_pNetDesignView->IsInAnimationLoop()))
        return false;
    m_pNetDesignView->RequestQuit();
    return true;
}

void CMainFrame::OnFileNew() {
    // A run is stopped first; the command comes back once the run's loop has ended.
    if (StopRunning()) {
        QTimer::singleShot(0, this, [this] { OnFileNew(); });
        return;
    }
    if (!SaveModified())
        return;
    m_doc.NewDocument();
    InitialUpdate();
    StartViewsAtOrigin();
}

void CMainFrame::OnFileClose() {
    OnFileNew();
}

void CMainFrame::ShowStartPage() {
    if (m_pStartPage)
        return;
    std::vector<std::pair<std::string, std::string>> examples;
    for (const std::string& strName : CExampleNets::Names())
        examples.emplace_back(strName, CExampleNets::Describe(strName));
    m_pStartPage = new CStartPage(examples, GetRecentFiles(), this);
    // Each choice runs once the page has gone, as the command it stands for.
    auto later = [this](auto action) {
        return [this, action] {
            CloseStartPage();
            QTimer::singleShot(0, this, action);
        };
    };
    connect(m_pStartPage, &CStartPage::NewRequested, this, later([this] { OnFileNew(); }));
    connect(m_pStartPage, &CStartPage::OpenRequested, this, later([this] { OnFileOpen(); }));
    connect(m_pStartPage, &CStartPage::ImportRequested, this,
            later([this] { OnFileImportPnml(); }));
    connect(m_pStartPage, &CStartPage::ExampleRequested, this,
            [this, later](const QString& strName) {
                later([this, strName] { OpenExample(strName); })();
            });
    connect(m_pStartPage, &CStartPage::RecentRequested, this,
            [this, later](int nIndex) { later([this, nIndex] { OpenRecentFile(nIndex); })(); });
    QWidget* pView = takeCentralWidget();
    if (pView)
        pView->hide();
    setCentralWidget(m_pStartPage);
}

void CMainFrame::CloseStartPage() {
    if (!m_pStartPage)
        return;
    takeCentralWidget();
    m_pStartPage->hide();
    m_pStartPage->deleteLater();
    m_pStartPage = nullptr;
    CDiagramView* pView = m_arrViews[m_nActiveView];
    setCentralWidget(pView);
    pView->show();
    ReapplyOutputSize();
}

bool CMainFrame::OpenExample(const QString& strName) {
    if (CExampleNets::Describe(strName.toStdString()).empty() || !SaveModified())
        return false;
    m_doc.NewDocument();
    CMeasureDC dc;
    CExampleNets::Build(strName.toStdString(), m_doc, dc);
    // A document of its own, saved nowhere yet: Save asks where.
    m_doc.SetTitle(strName.toStdString());
    m_doc.SetModifiedFlag(false);
    m_doc.History().Reset();
    InitialUpdate();
    StartViewsAtOrigin();
    return true;
}

void CMainFrame::OnHelpExamples() {
    QStringList items;
    for (const std::string& strName : CExampleNets::Names())
        items.append(QString::fromStdString(strName + " - " + CExampleNets::Describe(strName)));
    const QString strItem = m_pPrompt->AskItem(this, QStringLiteral("Examples"),
                                               QStringLiteral("Open the example:"), items);
    if (!strItem.isEmpty())
        OpenExample(strItem.section(QStringLiteral(" - "), 0, 0));
}

void CMainFrame::StartViewsAtOrigin() {
    for (CDiagramView* pView : m_arrViews)
        if (pView)
            pView->ResetZoomAndScroll();
}

void CMainFrame::OnFileOpen() {
    if (StopRunning()) {
        QTimer::singleShot(0, this, [this] { OnFileOpen(); });
        return;
    }
    // The first time, the dialog offers the example nets that came with the program.
    QSettings settings;
    QString strFolder;
    if (!settings.value(kOpenedBefore).toBool()) {
        strFolder = ExamplesFolder();
        settings.setValue(kOpenedBefore, true);
    }
    // The file is chosen first: cancelling the dialog asks nothing about saving.
    const QString strPath =
        m_pPrompt->AskOpenPath(this, kFilter, QStringLiteral("Open"), strFolder);
    if (!strPath.isEmpty() && SaveModified())
        OpenDocumentFile(strPath);
}

bool CMainFrame::OpenDocumentFile(const QString& strPath) {
    const QString strFull = QFileInfo(strPath).absoluteFilePath();
    const CFileResult result =
        m_doc.OnOpenDocument(QDir::toNativeSeparators(strFull).toStdString());
    if (!result) {
        // The message names the file; the document's own text ends it.
        ShowFileError(QDir::toNativeSeparators(strFull).toStdString() + ": " + result.error);
        // The open document stays as it was.
        RemoveFromRecentFiles(strFull);
        UpdateCommandUI();
        return false;
    }
    AddToRecentFiles(strFull);
    InitialUpdate();
    StartViewsAtOrigin();
    return true;
}

void CMainFrame::OnFileImportPnml() {
    if (StopRunning()) {
        QTimer::singleShot(0, this, [this] { OnFileImportPnml(); });
        return;
    }
    const QString strPath =
        m_pPrompt->AskOpenPath(this, QStringLiteral("PNML files (*.pnml *.xml);;All files (*)"),
                               QStringLiteral("Import PNML"));
    if (strPath.isEmpty())
        return;
    // Read into a net of its own first: a refused file leaves the document as it was.
    const std::string strFile =
        QDir::toNativeSeparators(QFileInfo(strPath).absoluteFilePath()).toStdString();
    // Of a file with several nets the user chooses one.
    std::optional<std::string> netId;
    CPnmlReader reader;
    if (!reader.ReadFile(strFile)) {
        ShowFileError(reader.Error());
        return;
    }
    if (reader.Nets().size() > 1) {
        QStringList ids;
        for (const CPnmlNet& net : reader.Nets())
            ids.append(QString::fromStdString(net.id));
        const QString strId = m_pPrompt->AskItem(
            this, QStringLiteral("Import PNML"),
            QStringLiteral("The file holds %1 nets. Import the net:").arg(ids.size()), ids);
        if (strId.isEmpty())
            return;
        netId = strId.toStdString();
    }
    CNetDesign imported;
    CMeasureDC dc;
    int nNext[2] = {1, 1};
    const CFileResult result =
        reader.ImportNet(netId, m_doc.Record().gridSize, imported, dc, [&nNext](bool bEvent) {
            return FormatString(bEvent ? "e%d" : "b%d", nNext[bEvent ? 1 : 0]++);
        });
    if (!result) {
        ShowFileError(result.error);
        return;
    }
    if (!SaveModified())
        return;
    m_doc.NewDocument();
    // The imported net is where the history starts; it was never saved.
    m_doc.ReplaceNet(imported, nNext[0], nNext[1]);
    // Titled after its file, which it is not: a save asks where, proposing that name.
    m_doc.SetTitle(QFileInfo(strPath).completeBaseName().toStdString());
    m_doc.Selection().Clear();
    InitialUpdate();
    StartViewsAtOrigin();
}

void CMainFrame::OnExport(int nId) {
    const CExportCommand* pCommand = FindExportCommand(nId);
    if (!pCommand)
        return;
    const CExportFormat& format = *pCommand->format;
    CExportInput input{.doc = m_doc, .diagram = pCommand->diagram, .extent = {}, .draw = {}};
    // A picture is the diagram as its view draws it.
    if (CDiagramView* pView = GetView(pCommand->diagram); format.Draws() && pView) {
        input.extent = pView->GetExtent();
        input.draw = [pView](CDC& dc) { pView->DrawModel(dc); };
    }
    // A TikZ picture goes into a document of the user's, or is one of its own, as the
    // command line's --standalone makes it.
    if (format.GetExtension() == "tex") {
        const QMessageBox::StandardButton answer = m_pPrompt->Message(
            this, QMessageBox::Question,
            QStringLiteral("Write a standalone LaTeX document that pdflatex compiles on its "
                           "own?\n\nNo writes the picture alone, to \\input into a document "
                           "that loads TikZ."),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return;
        input.standalone = answer == QMessageBox::Yes;
    }
    const QString strSuffix = QString::fromStdString(format.GetExtension());
    QString strPath = m_pPrompt->AskSavePath(
        this, QString::fromStdString(format.GetCaption()),
        ExportProposal(QString::fromStdString(m_doc.GetPathName()),
                       QString::fromStdString(format.GetProposedName(m_doc, pCommand->diagram)),
                       strSuffix),
        QString::fromStdString(format.GetFilter(pCommand->diagram)) +
            QStringLiteral(";;All files (*.*)"),
        strSuffix);
    if (strPath.isEmpty())
        return;
    // A name typed without an extension gets the format's.
    if (QFileInfo(strPath).suffix().isEmpty())
        strPath += QLatin1Char('.') + strSuffix;
    const CFileResult result = format.Write(input, strPath.toStdString());
    if (!result)
        ShowFileError(result.error);
}

bool CMainFrame::OnFileSave() {
    if (m_doc.GetPathName().empty())
        return OnFileSaveAs();
    return DoSave(QString::fromStdString(m_doc.GetPathName()));
}

bool CMainFrame::OnFileSaveAs() {
    QString strDefault = QString::fromStdString(m_doc.GetPathName());
    if (strDefault.isEmpty())
        strDefault = QString::fromStdString(m_doc.GetTitle()) + QStringLiteral(".zrn");
    QString strPath = m_pPrompt->AskSavePath(this, QStringLiteral("Save As"), strDefault, kFilter,
                                             QStringLiteral("zrn"));
    if (strPath.isEmpty())
        return false;
    if (QFileInfo(strPath).suffix().isEmpty())
        strPath += QStringLiteral(".zrn");
    return DoSave(strPath);
}

bool CMainFrame::DoSave(const QString& strPath) {
    const QString strFull = QFileInfo(strPath).absoluteFilePath();
    const CFileResult result =
        m_doc.OnSaveDocument(QDir::toNativeSeparators(strFull).toStdString());
    if (!result) {
        ShowFileError(result.error);
        return false;
    }
    AddToRecentFiles(strFull);
    UpdateTitle();
    // Saved: nothing is left to recover.
    m_pRecovery->Update();
    return true;
}

void CMainFrame::ShowFileError(const std::string& strError) {
    m_pPrompt->Message(this, QMessageBox::Warning, QString::fromStdString(strError),
                       QMessageBox::Ok);
}

// --- The recent-file list. ---

QStringList CMainFrame::GetRecentFiles() const {
    QSettings settings;
    settings.beginGroup(kRecentSection);
    QStringList list;
    for (int i = 0; i < RECENT_FILES; ++i) {
        const QString strPath = settings.value(RecentKey(i)).toString();
        if (!strPath.isEmpty())
            list.append(strPath);
    }
    return list;
}

void CMainFrame::SetRecentFiles(const QStringList& list) {
    QSettings settings;
    settings.beginGroup(kRecentSection);
    for (int i = 0; i < RECENT_FILES; ++i) {
        if (i < list.size())
            settings.setValue(RecentKey(i), list[i]);
        else
            settings.remove(RecentKey(i));
    }
    settings.endGroup();
    settings.sync();
    UpdateRecentFileMenu();
}

void CMainFrame::AddToRecentFiles(const QString& strPath) {
    QStringList list = GetRecentFiles();
    list.removeAll(strPath);
    list.prepend(strPath);
    while (list.size() > RECENT_FILES)
        list.removeLast();
    SetRecentFiles(list);
}

void CMainFrame::RemoveFromRecentFiles(const QString& strPath) {
    QStringList list = GetRecentFiles();
    if (list.removeAll(strPath) > 0)
        SetRecentFiles(list);
}

void CMainFrame::UpdateRecentFileMenu() {
    const QStringList list = GetRecentFiles();
    for (int i = 0; i < RECENT_FILES; ++i) {
        QAction* pAction = m_recentActions[i];
        if (i < list.size()) {
            QString strShown = QDir::toNativeSeparators(list[i]);
            strShown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(strShown));
            pAction->setVisible(true);
        } else {
            // An empty list shows one disabled entry in its place.
            pAction->setText(QStringLiteral("Recent File"));
            pAction->setVisible(i == 0);
        }
    }
}

void CMainFrame::OpenRecentFile(int nIndex) {
    if (StopRunning()) {
        QTimer::singleShot(0, this, [this, nIndex] { OpenRecentFile(nIndex); });
        return;
    }
    const QStringList list = GetRecentFiles();
    if (nIndex < 0 || nIndex >= list.size() || !SaveModified())
        return;
    OpenDocumentFile(list[nIndex]);
}
