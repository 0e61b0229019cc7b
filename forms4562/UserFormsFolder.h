#pragma once
// The per-user folder that holds the Form 4562 templates and the filled forms: "Qorv-4562" in the user's
// documents folder. The desktop fills it from the installation's template set; the writer reads and writes it.
// The desktop also proposes the documents folder for the files it saves.

#include <filesystem>

namespace tally::forms {

// The user's documents folder: the XDG documents folder (user-dirs.dirs) when one is set, else $HOME/Documents.
// Raises ComError 76 (path not found) when HOME is unset or names no existing folder: the folder is never put at
// "/" or under a stray path.
std::filesystem::path UserDocumentsFolder();

// "Qorv-4562" in the documents folder; raises as UserDocumentsFolder does.
std::filesystem::path UserFormsFolder();

}  // namespace tally::forms
