#pragma once

#include <string>
#include <vector>

namespace quoravel {

class ProposalPrinter;
struct PageContext;

// The first page of every proposal: the cover picture, the carrier, its
// financial-strength ratings, the products quoted, the client and the
// coverage, the broker and, for the bank channel, the bank-product disclosure.
class CoverPage {
public:
    struct Rating {
        std::string agency;
        std::string rating;
        std::string description;
        std::string rank;
    };

    void PrintReference(ProposalPrinter& print) { print_ = &print; }
    ProposalPrinter* Reference() const { return print_; }

    // Draws "Term.gif" from the program folder when it is there; the text
    // that follows starts below the picture.
    void start(const std::string& programFolder);
    void AddRating(std::string agency, std::string rating, std::string description, std::string rank);
    void AddRatingDisclaimer(std::string text) { disclaimer_ = std::move(text); }
    void ShowRatings();
    // The cover leaves nothing open: its last block ends the page's content.
    void finish() {}

private:
    ProposalPrinter& Print() const;

    ProposalPrinter* print_ = nullptr;
    std::vector<Rating> ratings_;
    std::string disclaimer_;
};

// The proposal's cover, laid out on a page of its own.
void PrintCover(PageContext& context);

}  // namespace quoravel
