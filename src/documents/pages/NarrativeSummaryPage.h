#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quoravel {

class ProposalPrinter;
struct PageContext;

// The narrative summary, and the pages in its style: definition entries (a bold term beside its
// explanation), the waiver rate table and the surrender charge table. While
// bound, every page it begins opens with the body header.
class NarrativeSummaryPage {
public:
    NarrativeSummaryPage() = default;
    NarrativeSummaryPage(const NarrativeSummaryPage&) = delete;
    NarrativeSummaryPage& operator=(const NarrativeSummaryPage&) = delete;

    void Reference(ProposalPrinter& print) { print_ = &print; }
    // Binds the page to the surface and opens a page of its own with the body header.
    void start();
    void finish() { self_.reset(); }

    // The page's title, centred, bold and underlined.
    void AddTitle(const std::string& title);
    void AddDefinition(const std::string& term, const std::string& explanation);
    // Rates per 1,000 by attained age, `count` rows.
    void ShowWaiverTable(const std::vector<int>& ages, const std::vector<double>& maleRates,
                         const std::vector<double>& femaleRates, std::size_t count);
    // `charges` holds years 1 to count + 10; years 1 to count stand beside years 11 on.
    void ShowSurrenderCharges(const std::vector<double>& charges, std::size_t count);

private:
    ProposalPrinter& Print() const;
    void OnNewPage();

    ProposalPrinter* print_ = nullptr;
    // Lets the surface's page handler outlive the binding harmlessly.
    std::shared_ptr<NarrativeSummaryPage*> self_;
    double pageTop_ = 0;  // where the body of the latest page begins
};

// The narrative summary of the proposal's product, on pages of its own.
void PrintNarrativeSummary(PageContext& context);

}  // namespace quoravel
