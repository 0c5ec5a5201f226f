#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <system_error>

#include "document/ProgramDir.h"
#include "document/Utf8Path.h"

namespace rollpath {

std::filesystem::path ChooseProgramFolder(const std::optional<std::string>& projectDir,
                                          const std::filesystem::path& executableDir,
                                          bool executableDirWritable,
                                          const std::filesystem::path& userDataDir) {
    if (projectDir && !projectDir->empty()) {
        return PathFromUtf8(*projectDir);
    }
    if (!executableDir.empty() && executableDirWritable) {
        return executableDir;
    }
    return userDataDir;
}

std::filesystem::path ProgramFolder(const std::optional<std::string>& projectDir) {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const std::filesystem::path folder = ChooseProgramFolder(
        projectDir, PathFromUtf8(exeDir.toStdString()),
        !exeDir.isEmpty() && IsWritableFolder(PathFromUtf8(exeDir.toStdString())),
        PathFromUtf8(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));
    // A folder that cannot be made shows up at Save as "Cannot open Rollpath.rpj".
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

}  // namespace rollpath
