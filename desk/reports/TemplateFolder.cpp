#include "TemplateFolder.h"

#include <fstream>
#include <system_error>

#include <QProcess>

#include "AppIdentity.h"
#include "AtomicFile.h"
#include "ComError.h"
#include "ErrorReport.h"
#include "UserFormsFolder.h"
#include "modDatabase.h"

namespace tally::desk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarkerFile = "4562_10.fdf";
constexpr long kPathNotFound = 76;
constexpr long kPermissionDenied = 70;

[[noreturn]] void raiseFileError(const std::error_code& error, const fs::path& path) {
    const bool denied = error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
    throw ComError(denied ? kPermissionDenied : kPathNotFound, kErrorSource,
                   std::string(denied ? "Permission denied: " : "Path not found: ") + path.string() + " (" +
                       error.message() + ")");
}

// Each template is copied as a file written whole: a copy that fails (a full disk) leaves the earlier template,
// never one cut short, and a link in the folder is replaced rather than the file it points to overwritten.
void copyTemplateSet(const fs::path& target) {
    const fs::path source = InstalledFormsFolder();
    std::error_code error;
    if (!fs::is_directory(source, error)) raiseFileError(std::make_error_code(std::errc::no_such_file_or_directory), source);
    for (fs::recursive_directory_iterator entry(source, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path copy = target / entry->path().lexically_relative(source);
        if (entry->is_directory(error)) {
            fs::create_directories(copy, error);
            if (error) raiseFileError(error, copy);
        } else if (entry->is_regular_file(error)) {
            files::copyFileWhole(entry->path(), copy, files::FileAccess::Shared, kErrorSource);
        }
    }
    if (error) raiseFileError(error, source);
}

// The routines of this module show "Error in <name> " + description + " " + number.
template <typename Work>
auto reported(const char* routine, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        showError(QStringLiteral("Error in %1 ").arg(QLatin1String(routine)), currentError(), ErrorLayout::Blank);
        return decltype(work())(false);
    }
}

}  // namespace

fs::path InstalledFormsFolder() { return fs::path(engine::modDatabase::AppPath()) / "Files"; }

bool RetrieveFilesCopied() {
    return reported("RetrieveFilesCopied", [] {
        std::error_code ignored;
        return fs::is_directory(forms::UserFormsFolder(), ignored);
    });
}

bool MovePdfFiles() {
    return reported("MovePdfFiles", [] {
        const fs::path folder = forms::UserFormsFolder();
        // The documents folder above it is often missing on a fresh account: it is made too.
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) raiseFileError(error, folder);
        copyTemplateSet(folder);
        return true;
    });
}

std::optional<bool> Move2010PdfFiles() {
    fs::path folder;
    bool markerMissing = false;
    const std::optional<bool> checked = reported("Move2010PdfFiles", [&]() -> std::optional<bool> {
        folder = forms::UserFormsFolder();
        const fs::path marker = folder / kMarkerFile;
        std::error_code error;
        if (!fs::exists(marker, error) && !error) {
            markerMissing = true;
            return std::nullopt;
        }
        if (!std::ifstream(marker)) raiseFileError(std::make_error_code(std::errc::permission_denied), marker);
        return true;
    });
    if (!markerMissing) return checked;
    copyTemplateSet(folder);
    return std::nullopt;
}

bool desktopHasPdfViewer() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("application/pdf")});
    if (!query.waitForStarted(3000)) return false;
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

bool IsAcrobatInstalled(const std::function<bool()>& viewerPresent) {
    return reported("IsAcrobatInstalled", [&] { return viewerPresent(); });
}

}  // namespace tally::desk
