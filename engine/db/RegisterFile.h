#pragma once
// Where the user's register lives, and its first start. The register is the user's own copy of the database in
// the user's data folder (${XDG_DATA_HOME:-$HOME/.local/share}/tallyvane/Depr.mdb); the copy the installation
// folder ships beside the engine library only seeds it and is never opened for writing, so no build, rebuild or
// test run can replace the user's data. Failures raise ComError naming the path.

#include <filesystem>
#include <string>

namespace tally::engine {

// The user's home folder ($HOME). Raises ComError 76 (path not found), with `errorSource` as its source, when
// HOME is unset, relative or names no existing folder, so that nothing is ever created under "/" or a stray path.
std::filesystem::path UserHomeFolder(const std::string& errorSource);

namespace RegisterFile {

// The folder of the register: $XDG_DATA_HOME/tallyvane when XDG_DATA_HOME is an absolute path (a relative one is
// ignored, as the XDG rules say), else $HOME/.local/share/tallyvane.
std::filesystem::path Folder();
// The register itself: Folder()/Depr.mdb.
std::filesystem::path Path();
// The shipped copy in the installation folder: the folder of the engine library/Depr.mdb.
std::filesystem::path ShippedCopy();

// The register's path, once it exists. On the first start the folder is made and the shipped copy is copied in
// under a temporary name in that folder, flushed, and only then given the register's name, so an interrupted
// first start leaves no half file; a register another start put there meanwhile is kept. Raises ComError 75
// naming the folder when it cannot be made or written, and the provider's missing-file error naming both paths
// when the shipped copy is missing too.
std::filesystem::path Provide();

}  // namespace RegisterFile

}  // namespace tally::engine
