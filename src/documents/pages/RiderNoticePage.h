#pragma once

#include <string>

namespace quoravel {

class ClientCase;
class ProposalPrinter;
struct PageContext;

// The notice printed in front of a proposal when a selected rider of carrier
// TVNY had not been approved in the state of delivery when this version was
// released: the agent must check the rider may be sold there first.
class RiderNoticePage {
public:
    explicit RiderNoticePage(ProposalPrinter& print) : print_(print) {}

    // True when the case selects a rider its state had not approved.
    static bool Needed(const ClientCase& client);
    // The notice on the current page; ends by starting a new page.
    void start(const ClientCase& client);

private:
    ProposalPrinter& print_;
};

// "New Jersey", "Maryland", "Pennsylvania", "Vermont"; empty for the states
// that need no notice.
std::string RiderNoticeStateName(const std::string& state);

// The notice section, for the case of the context.
void PrintRiderNotice(PageContext& context);

}  // namespace quoravel
