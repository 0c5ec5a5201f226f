#pragma once

// CRollpathApp: the application object. It owns the settings, the one
// document, the main frame, the pending project and the recent-file list;
// runs the start-up sequence (the first start asks for the Fly! folder);
// handles New, Open, the recent files, Preferences and About; and writes the
// settings when the main window closes.

#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "document/ProjectList.h"
#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "settings/Settings.h"
#include "ui/AppCommands.h"
#include "ui/QtMessageSink.h"
#include "ui/RecentFileList.h"

class QWidget;

namespace rollpath {

class CMainFrame;
class QtSettingsStore;

class CRollpathApp : public AppCommands {
public:
    CRollpathApp();
    ~CRollpathApp() override;
    CRollpathApp(const CRollpathApp&) = delete;
    CRollpathApp& operator=(const CRollpathApp&) = delete;

    // The start-up sequence. An airport of the command line that does not
    // open leaves the editor with the empty document; start-up still
    // succeeds.
    bool InitInstance(const EditorCommandLine& line);

    Settings& GetSettings() { return m_Settings; }
    CRollpathDoc& GetDocument() { return m_Doc; }
    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    PendingProject& Pending() { return m_Pending; }
    RecentFileList& RecentFileEntries() { return m_RecentFiles; }
    bool StartingUp() const { return m_bStartingUp != 0; }
    const std::filesystem::path& ProgramFolderPath() const { return m_ProgramFolder; }

    // --- Commands ----------------------------------------------------------
    void OnFileNew();
    void OnFileOpen();
    void OnPreferences();
    void OnAppAbout();

    // Writes every setting and the recent files to the store.
    void SaveSettings();

    // --- AppCommands ---------------------------------------------------------
    bool OnAppCommand(CommandId id) override;
    std::optional<CommandUI> UpdateAppCommandUI(CommandId id) const override;
    bool OpenDocumentFile(const std::string& path) override;
    bool OpenRecentFile(std::size_t index) override;
    std::vector<std::string> RecentFiles() const override { return m_RecentFiles.Entries(); }
    void OnMainFrameClose() override;

private:
    enum class OpenResult { Cancelled, Opened, Failed };

    void PlaceMainWindow();
    void ChooseFlyDirectory(const EditorCommandLine& line);
    void ReadSettings();
    OpenResult OpenFile(const std::string& path);
    OpenResult OpenListedCode(const std::string& code);
    void DocumentOpened(OpenResult result);

    // Declared in the order they must be built; the frame, which refers to
    // the document and the message sink, goes first at the end.
    int m_bStartingUp = 0;
    Settings m_Settings;
    PendingProject m_Pending;
    RecentFileList m_RecentFiles;
    std::filesystem::path m_ProgramFolder;
    std::unique_ptr<QtSettingsStore> m_Store;
    QtMessageSink m_Messages;
    CRollpathDoc m_Doc;
    std::unique_ptr<CMainFrame> m_pMainWnd;

    // Folders given on the command line hold for this run; the stored ones
    // are written back unless the user chose others in the Preferences.
    std::optional<std::string> m_RunFlyDir;
    std::optional<std::string> m_RunOutputDir;
    std::string m_StoredFlyDir;
    std::string m_StoredOutputDir;
};

// The whole run of the editor; the exit status.
int RunRollpathApp(int argc, char** argv);

}  // namespace rollpath
