#pragma once
// The reference files: comma-separated, one header line, no quoted fields. Cells are looked up by header name.

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tally::data {

class CsvFile {
public:
    using Row = std::vector<std::string>;

    explicit CsvFile(const std::filesystem::path& path) : name_(path.filename().string()) {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + path.string());
        std::string line;
        bool header = true;
        int lineNumber = 0;
        while (std::getline(in, line)) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            Row cells = split(line);
            if (header) {
                for (std::size_t i = 0; i < cells.size(); ++i) columns_[cells[i]] = i;
                width_ = cells.size();
                header = false;
            } else if (cells.size() != width_) {
                throw std::runtime_error(name_ + " line " + std::to_string(lineNumber) + ": expected " +
                                         std::to_string(width_) + " fields");
            } else {
                rows_.push_back(std::move(cells));
            }
        }
        if (header) throw std::runtime_error(name_ + " is empty");
    }

    const std::string& name() const { return name_; }
    const std::vector<Row>& rows() const { return rows_; }

    const std::string& cell(const Row& row, const std::string& column) const {
        auto found = columns_.find(column);
        if (found == columns_.end()) throw std::runtime_error(name_ + " has no column " + column);
        return row[found->second];
    }

private:
    static Row split(const std::string& line) {
        Row cells;
        std::string::size_type start = 0;
        for (;;) {
            auto comma = line.find(',', start);
            cells.push_back(line.substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return cells;
    }

    std::string name_;
    std::map<std::string, std::size_t> columns_;
    std::size_t width_ = 0;
    std::vector<Row> rows_;
};

}  // namespace tally::data
