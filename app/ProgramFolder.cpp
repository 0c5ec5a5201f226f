#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <system_error>

#include "document/ProgramDir.h"
#include "document/Utf8Path.h"

namespace rollpath {

std::filesystem::path ProgramFolder(const std::optional<std::string>& runDir, const std::string& settingDir) {
    const std::filesystem::path folder = ChooseProgramDir(
        runDir, settingDir, PathFromUtf8(QCoreApplication::applicationDirPath().toStdString()),
        PathFromUtf8(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));
    // A folder that cannot be made shows up at Save, when the project list
    // cannot be written there.
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

}  // namespace rollpath
