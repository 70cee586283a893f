#pragma once

#include <string>

#include "PageText.h"
#include "ProposalPrinter.h"

// The chance and the calendar of the page frame fixed, so that every run
// draws the same pages.
inline quoravel::FrameSources FixedChance(double random = 0.5) {
    return {[random] { return random; }, [] { return quoravel::Date::FromYmd(2024, 3, 7); }};
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The whole text of a page as one line, so that checks do not depend on
// where the text wraps.
inline std::string PageText(const quoravel::Document& document, int page) {
    std::string text;
    for (const auto& line : PageLines(document, page)) text += line + " ";
    return text;
}

// The whole text of every page as one line.
inline std::string AllText(const quoravel::Document& document) {
    std::string text;
    for (int page = 1; page <= static_cast<int>(document.pages.size()); ++page)
        text += PageText(document, page);
    return text;
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
