#pragma once

#include <functional>
#include <string>

#include "CasePricer.h"
#include "ClientCase.h"
#include "CommissionSettings.h"
#include "PrintSurface.h"
#include "ProposalAssembly.h"
#include "ProposalRun.h"
#include "ProposalStamp.h"

namespace quoravel {

inline constexpr const char* kNoProposal =
    "At least one product and face amount must be entered to make a proposal.";

// What a proposal is made of, wherever it was asked for.
struct ProposalInputs {
    const ClientCase& client;
    const CommissionSettings& commission;
    // How the case came (relay.ini or a case record) and its text as it
    // came, for the stamp: read once the pages are laid out.
    ProposalStamp::CaseKind kind;
    std::function<std::string()> caseText;
    // The rate set's identity, asked for once the pages are laid out (the
    // relay run hashes it meanwhile on another core).
    std::function<std::string()> rateSet;
    // Called once the case is priced and accepted, before its pages: false
    // stops the proposal. The window gives the run its folder here, so a
    // refused case leaves none behind.
    std::function<bool(const PricedCase&)> accepted = {};
};

struct MadeProposal {
    bool nothingToPropose = false;  // no product or no face amount chosen
    PricedCase priced;
    // The pages: whether they were made, and the notes and notices of the
    // case's settlement (in relay mode they are in the run's error log).
    IllustrationResult pages;

    explicit operator bool() const { return pages.documentMade; }
};

// The one way from a case to its proposal, for the relay run and the window
// alike: a case without a product or face amount is no proposal; the case is
// settled and priced once; its pages are laid out on `surface` from those
// premiums; the run is stamped with what the pages print, and the surface
// carries the stamp. What becomes of the pages (PDF, preview, printer) is
// the caller's.
MadeProposal MakeProposal(ProposalRun& run, const ProposalInputs& inputs, PrintSurface& surface);

}  // namespace quoravel
