#pragma once
// The printer as the printing routines drive it, written down instead of printed: a current position in twips
// from the top left of the printable page, a font size and weight, "print and stay on the line", "end the
// line", "new page". Every text lands in the document as one item, so a layout can be checked without a
// printer and replayed on any paint device afterwards. The face is always the fixed-pitch Courier New
// (Liberation Mono here, which has the same metrics), so line heights and text widths follow from the size alone.

#include <utility>
#include <vector>

#include <QString>

namespace tally::desk {

enum class PageOrientation { Portrait, Landscape };

struct PrintedText {
    int page = 1;     // 1-based
    double x = 0;     // twips from the left of the printable page
    double y = 0;     // twips from its top to the top of the line
    QString text;
    int size = 9;     // points
    bool bold = false;
};

struct PrintedDocument {
    PageOrientation orientation = PageOrientation::Portrait;
    int pageCount = 1;
    std::vector<PrintedText> texts;

    // The texts of one page, in the order printed.
    std::vector<PrintedText> page(int number) const;
};

// Courier New metrics: the line is 2320/2048 of the size (to the whole twip), every character 1229/2048 of it wide.
double lineHeightTwips(int pointSize);
double textWidthTwips(const QString& text, int pointSize);

class PrintRecorder {
public:
    void setOrientation(PageOrientation orientation) { document_.orientation = orientation; }
    void setFontSize(int points) { size_ = points; }
    void setBold(bool bold) { bold_ = bold; }
    void setX(double twips) { x_ = twips; }
    void setY(double twips) { y_ = twips; }
    double x() const { return x_; }
    double y() const { return y_; }

    // Prints at the current position and stays on the line, after the text.
    void print(const QString& text);
    // Prints, then ends the line.
    void printLine(const QString& text);
    // To the start of the next line, one line of the current size further down.
    void endLine();
    // Top left of a fresh page.
    void newPage();

    const PrintedDocument& document() const { return document_; }
    PrintedDocument take() { return std::move(document_); }

private:
    PrintedDocument document_;
    int size_ = 9;
    bool bold_ = false;
    double x_ = 0;
    double y_ = 0;
};

}  // namespace tally::desk
