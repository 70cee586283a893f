#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "DisplayList.h"

// The text of one page (from 1) as lines read top to bottom: the runs of a
// baseline joined left to right, with a blank where the runs leave a gap.
inline std::vector<std::string> PageLines(const quoravel::Document& document, int page) {
    std::map<double, std::vector<const quoravel::TextItem*>> byBaseline;
    for (const auto& item : document.pages.at(static_cast<std::size_t>(page - 1)).items) {
        if (const auto* text = std::get_if<quoravel::TextItem>(&item))
            byBaseline[text->baseline].push_back(text);
    }
    std::vector<std::string> lines;
    for (auto& [baseline, items] : byBaseline) {
        std::sort(items.begin(), items.end(), [](auto* a, auto* b) { return a->x < b->x; });
        std::string line;
        double end = items.front()->x;
        for (const auto* item : items) {
            if (!line.empty() && item->x > end + 1) line += ' ';
            line += item->text;
            end = item->x + item->width;
        }
        lines.push_back(line);
    }
    return lines;
}

inline bool PageHasLine(const quoravel::Document& document, int page, const std::string& part) {
    const auto lines = PageLines(document, page);
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

// The first text run of the page that reads exactly `text`; null when none does.
inline const quoravel::TextItem* FindText(const quoravel::Document& document, int page,
                                          const std::string& text) {
    for (const auto& item : document.pages.at(static_cast<std::size_t>(page - 1)).items) {
        const auto* run = std::get_if<quoravel::TextItem>(&item);
        if (run && run->text == text) return run;
    }
    return nullptr;
}
