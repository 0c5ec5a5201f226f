#include "app/RollpathApp.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "RollpathVersion.h"

#include "app/ProgramFolder.h"
#include "app/QtSettingsStore.h"
#include "app/WindowPlacement.h"
#include "document/Utf8Path.h"
#include "ui/MainFrame.h"
#include "ui/PreferencesSheet.h"
#include "ui/QtDialogHost.h"
#include "ui/SetFlyDirQtDialog.h"
#include "ui/ViewWidget.h"
#include "view/dialogs/AboutModel.h"
#include "view/dialogs/OpenProjectModel.h"

namespace rollpath {

namespace {

// The file title of a path, the airport code it stands for. Codes are kept
// in capitals, so a title typed in small letters finds the same airport.
std::string CodeOfPath(const std::string& path) {
    std::string code = Utf8FromPath(PathFromUtf8(path).stem());
    for (char& c : code) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return code;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

CRollpathApp::CRollpathApp() = default;

CRollpathApp::~CRollpathApp() = default;

// --- Start-up ------------------------------------------------------------------

bool CRollpathApp::InitInstance(const EditorCommandLine& line) {
    // 1. Starting up; the store and the recent files.
    m_bStartingUp = 1;
    m_Store = std::make_unique<QtSettingsStore>();
    m_RecentFiles.Assign(m_Store->RecentFiles());

    // 2. The single document and its frame.
    m_Doc.SetSettings(&m_Settings);
    m_Doc.SetMessageSink(&m_Messages);
    m_pMainWnd = std::make_unique<CMainFrame>(m_Doc, m_Messages);
    m_pMainWnd->SetApplication(this);
    m_Messages.SetParent(m_pMainWnd.get());

    // 3. The command line: the first, empty document is made without asking.
    // An airport named there is opened once the settings are read (step 7):
    // it needs the Fly! folder.
    FixedOpenAirportDialog none(std::nullopt);
    NewDocument(m_Doc, none, StartingUp());

    // 4. The main window, placed from "Size".
    PlaceMainWindow();

    // 5. The program folder.
    m_ProgramFolder = ProgramFolder(line.projectDir, LoadSettings(*m_Store).ProjectDir);
    m_Doc.SetProgramDir(m_ProgramFolder);

    // 6. The Fly! folder, chosen at the first start.
    ChooseFlyDirectory(line);

    // 7. Every other setting, then the airport of the command line. One
    // that does not open has said why; the editor stays, with the empty
    // document.
    ReadSettings();
    if (line.code && OpenFile(*line.code) == OpenResult::Opened) {
        if (line.showMarkings) {
            m_pMainWnd->OnCommand(CommandId::ViewMarkings);
        }
        if (line.showLights) {
            m_pMainWnd->OnCommand(CommandId::ViewLights);
        }
    }

    // 8. Done.
    m_bStartingUp = 0;
    return true;
}

void CRollpathApp::PlaceMainWindow() {
    const std::optional<std::string> text = m_Store->GetText("Size");
    const std::optional<WindowRect> stored = text ? ReadWindowRect(*text) : std::nullopt;
    m_Settings.Size = StartWindowRect(stored, ScreenAreas());
    m_pMainWnd->PlaceWindow(m_Settings.Size);
    m_pMainWnd->show();
    m_pMainWnd->update();
}

void CRollpathApp::ChooseFlyDirectory(const EditorCommandLine& line) {
    m_Settings.FlyDirSet = m_Store->GetInt("FlyDirSet").value_or(0);
    if (m_Settings.FlyDirSet != 0) {
        const Settings stored = LoadSettings(*m_Store);
        m_Settings.FlyDir = stored.FlyDir;
        m_Settings.OutputDir = stored.OutputDir;
        for (const std::string& message : RefusedFolderMessages(*m_Store)) {
            m_Messages.Show(message);
        }
    } else if (!line.flyDir) {
        SetFlyDirQtDialog dialog(m_pMainWnd.get());
        const std::optional<std::string> chosen = dialog.Run();
        // An empty path is no folder: taking it would never ask again.
        if (chosen && !IsBlank(*chosen)) {
            m_Settings.FlyDir = *chosen;
            m_Settings.OutputDir = Utf8FromPath((PathFromUtf8(*chosen) / "Data").make_preferred());
            m_Settings.FlyDirSet = 1;
            // Kept at once: the answer must not depend on how this run ends.
            m_Store->SetInt("FlyDirSet", 1);
            m_Store->SetText("FlyDir", m_Settings.FlyDir);
            m_Store->SetText("OutputDir", m_Settings.OutputDir);
            m_Store->Sync();
        }
    }
    m_StoredFlyDir = m_Settings.FlyDir;
    m_StoredOutputDir = m_Settings.OutputDir;
    // The folders of the command line hold for this run. A Fly! folder given
    // alone sends the scenery to its own Data folder, not to the stored one.
    if (line.flyDir) {
        m_RunFlyDir = *line.flyDir;
        m_Settings.FlyDir = *line.flyDir;
        m_RunOutputDir = line.outputDir.value_or(std::string());
        m_Settings.OutputDir = *m_RunOutputDir;
    } else if (line.outputDir) {
        m_RunOutputDir = *line.outputDir;
        m_Settings.OutputDir = *line.outputDir;
    }
}

void CRollpathApp::ReadSettings() {
    Settings stored = LoadSettings(*m_Store);
    stored.Size = m_Settings.Size;
    stored.FlyDirSet = m_Settings.FlyDirSet;
    stored.FlyDir = m_Settings.FlyDir;
    stored.OutputDir = m_Settings.OutputDir;
    m_Settings = stored;
}

void CRollpathApp::SaveSettings() {
    if (!m_Store || !m_pMainWnd) {
        return;
    }
    Settings s = m_Settings;
    s.Size = m_pMainWnd->NormalWindowRect();
    if (m_RunFlyDir && s.FlyDir == *m_RunFlyDir) {
        s.FlyDir = m_StoredFlyDir;
    }
    if (m_RunOutputDir && s.OutputDir == *m_RunOutputDir) {
        s.OutputDir = m_StoredOutputDir;
    }
    // A folder chosen in the Preferences counts as chosen: without the flag
    // it would never be read back.
    if (s.FlyDirSet == 0 && !s.FlyDir.empty()) {
        s.FlyDirSet = 1;
    }
    rollpath::SaveSettings(s, *m_Store);
    m_Store->SetRecentFiles(m_RecentFiles.Entries());
    m_Store->Sync();
}

void CRollpathApp::OnMainFrameClose() {
    SaveSettings();
}

// --- Opening ------------------------------------------------------------------

void CRollpathApp::DocumentOpened(OpenResult result) {
    // An airport that did not open left the document as it was.
    if (result == OpenResult::Opened) {
        m_pMainWnd->OnDocumentChanged(true);
        m_RecentFiles.Add(m_Doc.m_szCode);
    }
}

CRollpathApp::OpenResult CRollpathApp::OpenListedCode(const std::string& code) {
    if (code.empty()) {
        return OpenResult::Cancelled;
    }
    if (!IsAirportCode(code)) {
        m_Doc.Messages().Show(kBadCodeMessage);
        return OpenResult::Cancelled;
    }
    // Safe mode is asked for each time in the Open dialog; no other way of
    // opening inherits it.
    m_Pending.safeMode = 0;
    const bool opened = rollpath::OpenDocumentFile(m_Doc, code, m_Pending);
    const OpenResult result = opened ? OpenResult::Opened : OpenResult::Failed;
    DocumentOpened(result);
    return result;
}

CRollpathApp::OpenResult CRollpathApp::OpenFile(const std::string& path) {
    if (!SaveModified(m_Doc)) {
        return OpenResult::Cancelled;
    }
    return OpenListedCode(CodeOfPath(path));
}

bool CRollpathApp::OpenDocumentFile(const std::string& path) {
    return OpenFile(path) == OpenResult::Opened;
}

bool CRollpathApp::OpenRecentFile(std::size_t index) {
    if (index >= m_RecentFiles.Entries().size()) {
        return false;
    }
    const std::string path = m_RecentFiles.Entries()[index];
    const OpenResult result = OpenFile(path);
    // An entry that no longer opens leaves the list; one whose opening the
    // user called off stays.
    if (result == OpenResult::Failed) {
        const auto& entries = m_RecentFiles.Entries();
        const auto it = std::find(entries.begin(), entries.end(), path);
        if (it != entries.end()) {
            m_RecentFiles.Remove(static_cast<std::size_t>(it - entries.begin()));
        }
    }
    return result == OpenResult::Opened;
}

void CRollpathApp::OnFileNew() {
    if (!SaveModified(m_Doc)) {
        return;
    }
    m_pMainWnd->OnFileNew();
}

void CRollpathApp::OnFileOpen() {
    // The choice comes first; the "Save changes?" prompt follows it, as the
    // chosen airport is opened in place of the current one.
    struct PromptAfterChoice : OpenProjectDialog {
        OpenProjectDialog& inner;
        CRollpathDoc& doc;
        bool proceeded = false;
        PromptAfterChoice(OpenProjectDialog& d, CRollpathDoc& c) : inner(d), doc(c) {}
        std::optional<OpenProjectChoice> Run(const std::vector<std::string>& sections) override {
            std::optional<OpenProjectChoice> choice = inner.Run(sections);
            if (!choice || !IsAirportCode(choice->code)) {
                return choice;
            }
            if (!SaveModified(doc)) {
                return std::nullopt;
            }
            proceeded = true;
            return choice;
        }
    };
    QtDialogHost host(m_pMainWnd.get());
    HostedOpenProjectDialog dialog(host);
    PromptAfterChoice prompt(dialog, m_Doc);
    const bool opened = rollpath::OnFileOpen(m_Doc, prompt, m_Pending);
    if (prompt.proceeded) {
        DocumentOpened(opened ? OpenResult::Opened : OpenResult::Failed);
    }
}

// --- Preferences and About ----------------------------------------------------

void CRollpathApp::OnPreferences() {
    CPreferencesSheet sheet(m_Settings, m_pMainWnd.get());
    if (sheet.Run()) {
        m_pMainWnd->ViewWidget().Invalidate();
        m_pMainWnd->update();
    }
}

void CRollpathApp::OnAppAbout() {
    AboutModel about(std::string("Qt ") + qVersion());
    QtDialogHost(m_pMainWnd.get()).RunDialog(about);
}

// --- Command routing ------------------------------------------------------------

bool CRollpathApp::OnAppCommand(CommandId id) {
    switch (id) {
        case CommandId::FileNew:
            OnFileNew();
            return true;
        case CommandId::FileOpen:
            OnFileOpen();
            return true;
        case CommandId::Preferences:
            OnPreferences();
            return true;
        case CommandId::AppAbout:
            OnAppAbout();
            return true;
        case CommandId::RecentFile:
            OpenRecentFile(0);
            return true;
        default:
            return false;
    }
}

std::optional<CommandUI> CRollpathApp::UpdateAppCommandUI(CommandId id) const {
    switch (id) {
        case CommandId::FileNew:
        case CommandId::FileOpen:
        case CommandId::Preferences:
        case CommandId::AppAbout:
            return CommandUI{true, std::nullopt, std::nullopt};
        case CommandId::RecentFile:
            return CommandUI{!m_RecentFiles.Empty(), std::nullopt, std::nullopt};
        default:
            return std::nullopt;
    }
}

// --- main -------------------------------------------------------------------------

int RunRollpathApp(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marrowvale"));
    QApplication::setApplicationName(QStringLiteral("Rollpath"));
    QGuiApplication::setDesktopFileName(QStringLiteral("rollpath"));

    const EditorCommandLine line = ParseEditorCommandLine(QApplication::arguments());
    if (!line.error.empty()) {
        std::fprintf(stderr, "rollpath: %s\n%s", line.error.c_str(), kEditorUsage);
        return 2;
    }
    if (line.help) {
        std::fputs(kEditorUsage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("rollpath %s\n", kRollpathVersion);
        return 0;
    }
    CRollpathApp theApp;
    theApp.InitInstance(line);
    return QApplication::exec();
}

}  // namespace rollpath
