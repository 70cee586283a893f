#include "Golden.h"

#include "PngOutput.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace quoravel;

namespace {

constexpr double kTolerance = 30;  // twips

struct Run {
    int page;
    double x;
    double baseline;
    std::string style;
    std::string text;
};

std::vector<Run> RunsOf(const Document& document) {
    std::vector<Run> runs;
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        for (const auto& item : document.pages[p].items) {
            const auto* text = std::get_if<TextItem>(&item);
            if (!text) continue;
            std::ostringstream style;
            style << text->font.size << (text->font.bold ? "b" : "-") << (text->font.italic ? "i" : "-")
                  << (text->font.underline ? "u" : "-");
            runs.push_back({static_cast<int>(p + 1), text->x, text->baseline, style.str(), text->text});
        }
    }
    return runs;
}

std::string Format(const Run& run) {
    std::ostringstream line;
    line << run.page << ' ' << std::lround(run.x) << ' ' << std::lround(run.baseline) << ' ' << run.style
         << ' ' << run.text;
    return line.str();
}

bool Parse(const std::string& line, Run& run) {
    std::istringstream in(line);
    long x = 0, baseline = 0;
    if (!(in >> run.page >> x >> baseline >> run.style)) return false;
    run.x = static_cast<double>(x);
    run.baseline = static_cast<double>(baseline);
    if (in.peek() == ' ') in.get();
    std::getline(in, run.text);
    return true;
}

bool Same(const Run& a, const Run& b) {
    return a.page == b.page && a.style == b.style && a.text == b.text && std::fabs(a.x - b.x) <= kTolerance &&
           std::fabs(a.baseline - b.baseline) <= kTolerance;
}

}  // namespace

std::string CompareWithGolden(const Document& document, const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(QUORAVEL_GOLDEN_DIR);
    const auto expectedPath = folder / (name + ".txt");
    const auto actualPath = folder / (name + ".actual.txt");
    const std::vector<Run> actual = RunsOf(document);

    std::vector<Run> expected;
    std::ifstream in(expectedPath);
    for (std::string line; std::getline(in, line);) {
        Run run;
        if (Parse(line, run)) expected.push_back(run);
    }
    std::ostringstream differences;
    if (!in.is_open() && !std::filesystem::exists(expectedPath)) {
        differences << "no golden file " << expectedPath.string() << "\n";
    }
    const std::size_t count = std::max(actual.size(), expected.size());
    int shown = 0;
    for (std::size_t i = 0; i < count && shown < 20; ++i) {
        const bool both = i < actual.size() && i < expected.size();
        if (both && Same(actual[i], expected[i])) continue;
        ++shown;
        if (i < expected.size()) differences << "- " << Format(expected[i]) << "\n";
        if (i < actual.size()) differences << "+ " << Format(actual[i]) << "\n";
    }
    if (differences.str().empty()) {
        std::filesystem::remove(actualPath);
        return "";
    }
    std::ofstream out(actualPath);
    for (const auto& run : actual) out << Format(run) << "\n";
    return "differs from " + expectedPath.string() + " (actual written to " + actualPath.string() + "):\n" +
           differences.str();
}

void WriteSamplePages(const Document& document, const std::string& name) {
    const std::filesystem::path folder = QUORAVEL_SAMPLE_PAGES;
    std::filesystem::create_directories(folder);
    for (std::size_t page = 0; page < document.pages.size(); ++page) {
        WritePng(document.pages[page], document, 96,
                 (folder / (name + "-" + std::to_string(page + 1) + ".png")).string());
    }
}
