#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "ClientCase.h"
#include "DisplayList.h"
#include "ProposalPrinter.h"

// The chance and the calendar of the page frame fixed, so that every run
// draws the same pages.
inline quoravel::FrameSources FixedChance(double random = 0.5) {
    return {[random] { return random; }, [] { return quoravel::Date::FromYmd(2024, 3, 7); }};
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

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
    return std::ranges::any_of(PageLines(document, page),
                               [&](const std::string& line) { return Contains(line, part); });
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

// The text run that must be on the page: a miss fails the test, not the program.
inline const quoravel::TextItem& TextOn(const quoravel::Document& document, int page,
                                        const std::string& text) {
    static const quoravel::TextItem kMissing{};
    const quoravel::TextItem* run = FindText(document, page, text);
    if (!run) ADD_FAILURE() << "no \"" << text << "\" on page " << page;
    return run ? *run : kMissing;
}

// The whole text of every page as one line, so that checks do not depend on
// where the text wraps.
inline std::string AllText(const quoravel::Document& document) {
    std::string text;
    for (int page = 1; page <= static_cast<int>(document.pages.size()); ++page)
        for (const auto& line : PageLines(document, page)) text += line + " ";
    return text;
}

// Quotes the products at the face amounts, the ledger showing `years` years.
inline void Quote(quoravel::ClientCase& client, const std::vector<std::int32_t>& products,
                  const std::vector<std::int32_t>& faces, std::int16_t years = 20) {
    auto& options = client.Proposal();
    options.ClearProdChoices();
    for (const std::int32_t product : products) options.AddProduct(product);
    options.ClearFaceAmounts();
    for (const std::int32_t face : faces) options.AddFaceAmount(face, client.State());
    options.SetYearsToPrint(years);
}

// The body header of the pages: product, policy form, description, client
// name, age, sex and class, face amount and broker.
inline void SetBodyHeader(quoravel::ProposalPrinter& print, const std::array<std::string, 9>& parts) {
    using P = quoravel::ProposalPrinter;
    const std::array setters{
        &P::SetBodyHeaderProductName, &P::SetBodyHeaderPolicyFormNo,     &P::SetBodyHeaderProductDescription,
        &P::SetBodyHeaderClientName,  &P::SetBodyHeaderClientAge,        &P::SetBodyHeaderClientSex,
        &P::SetBodyHeaderClientClass, &P::SetBodyHeaderPolicyFaceAmount, &P::SetBodyHeaderBrokerName};
    for (std::size_t part = 0; part < parts.size(); ++part) (print.*setters[part])(parts[part]);
}
