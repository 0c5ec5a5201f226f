#pragma once

// Case-insensitive lookups in the simulator's folders. An output folder can
// hold tens of thousands of scenery files; listing it for every file an
// airport looks for made a batch build over many airports quadratic. The
// listing of a folder is kept while the folder's modification time stays as
// it was, and Save tells it of the files it created, so that its own writes
// do not make the next airport list the folder again.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rollpath {

// The entry of folder whose name equals name ignoring ASCII case (the least
// such name when several do, so that the choice does not depend on the order
// the file system lists them in), or nothing.
std::optional<std::string> FindInFolderIgnoringCase(const std::filesystem::path& folder,
                                                    std::string_view name);

// Save created (or replaced) file: a kept listing of its folder takes its name
// and the folder's new modification time, and is trusted from then on.
void NoteFileCreated(const std::filesystem::path& file);

}  // namespace rollpath
