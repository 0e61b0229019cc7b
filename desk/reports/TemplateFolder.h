#pragma once
// The Form 4562 templates on the desktop side: the per-user folder the form writer reads and writes (the
// writer's own UserFormsFolder), filled from the installation's template set, and the check that the desktop
// can show a finished form at all. Each routine reports its own errors in a box and gives False.

#include <filesystem>
#include <functional>
#include <optional>

namespace tally::desk {

// The installation's template set: "Files" beside the program's libraries. The program never writes there.
std::filesystem::path InstalledFormsFolder();

// True when the per-user folder exists.
bool RetrieveFilesCopied();
// Makes the per-user folder (and any missing folder above it) and copies the template set into it, replacing
// files of the same name; other files there stay.
bool MovePdfFiles();
// True when the 2010 template is in the per-user folder; when it is missing the set is copied again (a failure
// of that copy goes on to the caller) and the result is empty; False after any other error.
std::optional<bool> Move2010PdfFiles();

// Whether the desktop has a program for PDF files (xdg-mime names a default handler for application/pdf).
bool desktopHasPdfViewer();
// The reader check of a Form 4562 request through `viewerPresent`; an error in it is shown and counts as False.
bool IsAcrobatInstalled(const std::function<bool()>& viewerPresent);

}  // namespace tally::desk
