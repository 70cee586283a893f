#include "RiderNoticePage.h"

#include <cstdint>
#include <initializer_list>

#include "ClientCase.h"
#include "PageContext.h"
#include "ProposalPrinter.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

constexpr std::int32_t kTVNY = 2;

void EmptyParagraphs(ProposalPrinter& print, int count) {
    for (int i = 0; i < count; ++i) print.Paragraph("");
}

bool IsOneOf(const std::string& state, std::initializer_list<const char*> states) {
    for (const char* s : states) {
        if (state == s) return true;
    }
    return false;
}

// Both riders were refused together everywhere except in the states that
// refused only the waiver (or, in CA and WA, neither).
bool NamesBothRiders(bool waiver, bool child, const std::string& state) {
    return waiver && child && !IsOneOf(state, {"PA", "MD", "CA", "WA"});
}

std::string RiderPhrase(bool waiver, bool child, const std::string& state) {
    if (waiver && !child && state != "WA")
        return "the Waiver of Premium Rider was not available for sale in ";
    if (child && !waiver && !IsOneOf(state, {"PA", "MD", "WA"}))
        return "the Children's Insurance Rider was not available for sale in ";
    if (NamesBothRiders(waiver, child, state))
        return "\r\nneither the Children's Insurance Rider nor the Waiver of Premium Rider were available "
               "for sale in ";
    if (waiver && child && IsOneOf(state, {"MD", "PA"}))
        return "the Waiver of Premium Rider was not available for sale in ";
    return "";
}

}  // namespace

std::string RiderNoticeStateName(const std::string& state) {
    if (state == "NJ") return "New Jersey";
    if (state == "MD") return "Maryland";
    if (state == "PA") return "Pennsylvania";
    if (state == "VT") return "Vermont";
    return "";
}

bool RiderNoticePage::Needed(const ClientCase& client) {
    if (client.Proposal().Company() != kTVNY) return false;
    const std::string& state = client.State();
    if (IsOneOf(state, {"NJ", "VT"})) return client.Waiver() || client.ChildRider();
    if (IsOneOf(state, {"PA", "MD"})) return client.Waiver();
    return false;
}

void RiderNoticePage::start(const ClientCase& client) {
    const std::string& state = client.State();
    const std::string name = RiderNoticeStateName(state);
    const bool waiver = client.Waiver();
    const bool child = client.ChildRider();

    BeginSection(print_);
    print_.SetFontSize(10);
    EmptyParagraphs(print_, 8);
    print_.SetFontBold(true);
    print_.SetTextAlign(7);
    print_.Text("\r\nAs of the date of release of this software, ");
    print_.Text(RiderPhrase(waiver, child, state));
    print_.Paragraph("");
    print_.Text("the state of " + name + ".");
    EmptyParagraphs(print_, 9);
    print_.Text(NamesBothRiders(waiver, child, state) ? "Please verify that these riders are available "
                                                      : "Please verify that this rider is available ");
    print_.Paragraph("");
    print_.Text("for sale in " + name + " before presenting \r\n");
    print_.Text("to the client.");
    EmptyParagraphs(print_, 13);
    print_.SetFontBold(false);
    print_.NewPage();
}

void PrintRiderNotice(PageContext& context) { RiderNoticePage(context.print).start(context.client); }

}  // namespace quoravel
