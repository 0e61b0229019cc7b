#include "PrintRecorder.h"

#include <cmath>

namespace tally::desk {
namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kLineEm = 2320.0 / 2048.0;
constexpr double kAdvanceEm = 1229.0 / 2048.0;
}  // namespace

std::vector<PrintedText> PrintedDocument::page(int number) const {
    std::vector<PrintedText> result;
    for (const PrintedText& text : texts)
        if (text.page == number) result.push_back(text);
    return result;
}

// Whole twips, as a printer's whole device lines come out near enough.
double lineHeightTwips(int pointSize) { return std::nearbyint(pointSize * kTwipsPerPoint * kLineEm); }

double textWidthTwips(const QString& text, int pointSize) {
    return static_cast<double>(text.size()) * pointSize * kTwipsPerPoint * kAdvanceEm;
}

void PrintRecorder::print(const QString& text) {
    document_.texts.push_back({document_.pageCount, x_, y_, text, size_, bold_});
    x_ += textWidthTwips(text, size_);
}

void PrintRecorder::printLine(const QString& text) {
    print(text);
    endLine();
}

void PrintRecorder::endLine() {
    x_ = 0;
    y_ += lineHeightTwips(size_);
}

void PrintRecorder::newPage() {
    ++document_.pageCount;
    x_ = 0;
    y_ = 0;
}

}  // namespace tally::desk
