#pragma once
// Shows a finished form to the user. The writer hands every form it writes to an opener; tests give it one that
// records the path and opens nothing.

#include <filesystem>

namespace tally::forms {

class FormOpener {
public:
    virtual ~FormOpener() = default;
    // Raises ComError 53 (file not found) only when no program can be started to show the file, and
    // ErrTemplateMissing when the form an FDF file names is not there.
    virtual void open(const std::filesystem::path& file) = 0;
};

// The desktop's way: a PDF goes to the desktop's viewer (xdg-open); an FDF is first merged into the form it names,
// as a PDF reader would, and the filled form beside it ("4562_07_3.fdf" -> "4562_07_3.pdf") is shown.
class ReaderOpener : public FormOpener {
public:
    void open(const std::filesystem::path& file) override;
};

}  // namespace tally::forms
