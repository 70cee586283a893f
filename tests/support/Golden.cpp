#include "Golden.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "PngOutput.h"

using namespace quoravel;

namespace {

constexpr double kSameLine = 30;  // twips between the baselines of one line
constexpr double kEdge = 90;      // twips an aligned edge may be off

std::string StyleOf(const TextItem& run) {
    std::ostringstream style;
    style << run.font.size << (run.font.bold ? "b" : "") << (run.font.italic ? "i" : "")
          << (run.font.underline ? "u" : "");
    return style.str();
}

// One printed line: its runs left to right.
struct Line {
    double baseline = 0;
    std::vector<const TextItem*> runs;
};

std::vector<Line> LinesOf(const Page& page) {
    std::vector<const TextItem*> runs;
    for (const auto& item : page.items)
        if (const auto* text = std::get_if<TextItem>(&item)) runs.push_back(text);
    std::stable_sort(runs.begin(), runs.end(),
                     [](const TextItem* a, const TextItem* b) { return a->baseline < b->baseline; });
    std::vector<Line> lines;
    for (const TextItem* run : runs) {
        if (lines.empty() || std::fabs(run->baseline - lines.back().baseline) > kSameLine)
            lines.push_back({run->baseline, {}});
        lines.back().runs.push_back(run);
    }
    for (Line& line : lines)
        std::stable_sort(line.runs.begin(), line.runs.end(),
                         [](const TextItem* a, const TextItem* b) { return a->x < b->x; });
    return lines;
}

// "C" for a line centred on the page, else where it begins, in inches
// from the page's left edge ("@0.5").
std::string AlignmentOf(const Line& line, double pageWidth) {
    const double left = line.runs.front()->x, right = line.runs.back()->x + line.runs.back()->width;
    if (std::fabs((left + right) / 2 - pageWidth / 2) <= kEdge) return "C";
    std::ostringstream at;
    at << "@" << std::round(left / 144) / 10;
    return at.str();
}

// Every line of the document in reading order: "page alignment style | text".
std::vector<std::string> GoldenLines(const Document& document) {
    std::vector<std::string> out;
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        for (const Line& line : LinesOf(document.pages[p])) {
            // The styles of the line's runs, each once, in the order they first appear.
            std::string text, style;
            for (const TextItem* run : line.runs) {
                text += (text.empty() ? "" : " ") + run->text;
                if (("/" + style + "/").find("/" + StyleOf(*run) + "/") == std::string::npos)
                    style += (style.empty() ? "" : "/") + StyleOf(*run);
            }
            out.push_back(std::to_string(p + 1) + " " + AlignmentOf(line, document.pageWidth) + " " + style +
                          " | " + text);
        }
    }
    return out;
}

void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path);
    for (const std::string& line : lines) out << line << "\n";
}

}  // namespace

std::string CompareWithGolden(const Document& document, const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(QUORAVEL_GOLDEN_DIR);
    const auto expectedPath = folder / (name + ".txt");
    const auto actualPath = folder / (name + ".actual.txt");
    const std::vector<std::string> actual = GoldenLines(document);
    if (std::getenv("QUORAVEL_UPDATE_GOLDENS")) {
        WriteLines(expectedPath, actual);
        return "";
    }

    std::vector<std::string> expected;
    std::ifstream in(expectedPath);
    for (std::string line; std::getline(in, line);) expected.push_back(line);
    std::ostringstream differences;
    if (!in.is_open()) differences << "no golden file " << expectedPath.string() << "\n";
    const std::size_t count = std::max(actual.size(), expected.size());
    int shown = 0;
    for (std::size_t i = 0; i < count && shown < 20; ++i) {
        if (i < actual.size() && i < expected.size() && actual[i] == expected[i]) continue;
        ++shown;
        if (i < expected.size()) differences << "- " << expected[i] << "\n";
        if (i < actual.size()) differences << "+ " << actual[i] << "\n";
    }
    if (differences.str().empty()) {
        std::filesystem::remove(actualPath);
        return "";
    }
    WriteLines(actualPath, actual);
    return "differs from " + expectedPath.string() + " (actual written to " + actualPath.string() + "):\n" +
           differences.str();
}

void WriteSamplePages(const Document& document, const std::string& name) {
    const std::filesystem::path folder = QUORAVEL_SAMPLE_PAGES;
    std::filesystem::create_directories(folder);
    for (std::size_t page = 0; page < document.pages.size(); ++page)
        WritePng(document.pages[page], document, 96,
                 (folder / (name + "-" + std::to_string(page + 1) + ".png")).string());
}
