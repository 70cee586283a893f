#pragma once

#include <algorithm>
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
    const auto lines = PageLines(document, page);
    return std::any_of(lines.begin(), lines.end(),
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
struct BodyHeader {
    std::string product, form, description, client, age, sex, classText, face, broker;
};
inline void SetBodyHeader(quoravel::ProposalPrinter& print, const BodyHeader& header) {
    print.SetBodyHeaderProductName(header.product);
    print.SetBodyHeaderPolicyFormNo(header.form);
    print.SetBodyHeaderProductDescription(header.description);
    print.SetBodyHeaderClientName(header.client);
    print.SetBodyHeaderClientAge(header.age);
    print.SetBodyHeaderClientSex(header.sex);
    print.SetBodyHeaderClientClass(header.classText);
    print.SetBodyHeaderPolicyFaceAmount(header.face);
    print.SetBodyHeaderBrokerName(header.broker);
}
