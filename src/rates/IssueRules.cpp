#include "IssueRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "IniFile.h"
#include "LoggedError.h"
#include "ProductCatalogue.h"
#include "ProductLookups.h"
#include "Riders.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "cClient";
constexpr const char* kQuenbyRefusal = "This risk class is not approved with the Quenby products.";

constexpr std::int32_t kQnb = 1;
// The young nicotine user is told the reason, not the age range, below this age.
constexpr int kNicotineNoticeAge = 15;
// QNB issues no policy to a nicotine user younger than this.
constexpr int kQnbNicotineFirstAge = 10;

constexpr const char* kChooseAnother = " Please select another product to proceed with this quote.";
// Words the home office puts into the agent's second address line to quote
// a product where its carrier is not approved.
constexpr std::array<std::string_view, 3> kAvailabilityOverrides{"AVAILOVR", "STATEOK1", "HOMEOFC"};

std::span<const std::int32_t> ChosenProducts(const IllustrationOptions& options) {
    return {options.ProdChoices().data(), options.ProductCount()};
}

template <typename List, typename Value>
bool Lists(const List& list, const Value& value) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

}  // namespace

// The Quenby products take no super-preferred classes (0 and 1) anywhere,
// and in New York no custom classes (7 and 8) either.
bool QuenbyRefusesClass(std::int32_t product, std::string_view state, std::int32_t classCode) {
    if (OfferOf(product).family != ProductFamily::IncreasingPremium) return false;
    const bool superPreferred = classCode == 0 || classCode == 1;
    const bool custom = classCode == 7 || classCode == 8;
    return superPreferred || (custom && state == "NY");
}

namespace {

// Limits on the level products in four states beyond their maximum issue
// ages. Within a state's group only the first chosen product in table order
// is checked.
struct StateLimit {
    std::array<std::string_view, 2> states;
    std::int32_t product;
    bool male;
    std::int32_t classCode;
    int fromAge;
    const char* text;
};

constexpr StateLimit kStateLimits[] = {
    {{"TX", "PA"}, 2, true, 8, 77, ": A Male, Custom Nicotine must be under age 77 in "},
    {{"WA", "MD"}, 3, true, 3, 75, ": A Male, Select No Nicotine must be under age 75 in "},
    {{"WA", "MD"}, 3, true, 4, 74, " : A Male,  Standard No Nicotine must be under age 74 in "},
    {{"WA", "MD"}, 3, true, 7, 73, " : A Male,  Standard No Nicotine must be under age 73 in "},
    {{"WA", "MD"}, 3, true, 5, 72, " : A Male,  Standard No Nicotine must be under age 72 in "},
    {{"WA", "MD"}, 3, true, 6, 71, " : A Male,  Standard No Nicotine must be under age 71 in "},
    {{"WA", "MD"}, 3, true, 8, 69, " : A Male,  Standard No Nicotine must be under age 69 in "},
    {{"WA", "MD"}, 3, false, 8, 74, " : A Female,  Custom Nicotine must be under age 74 in "},
    {{"WA", "MD"}, 4, true, 5, 65, ": A Male, Preferred Nicotine must be under age 65 in "},
    {{"WA", "MD"}, 4, true, 6, 64, ": A Male, Standard Nicotine must be under age 64 in "},
    {{"WA", "MD"}, 4, true, 8, 63, ": A Male, Select No Nicotine must be under age 63 in "},
    {{"WA", "MD"}, 5, true, 5, 46, ": A Male, Nicotine use must be under age 46 in "},
    {{"WA", "MD"}, 5, true, 6, 46, ": A Male, Nicotine use must be under age 46 in "},
    {{"WA", "MD"}, 5, true, 8, 46, ": A Male, Nicotine use must be under age 46 in "},
};

// Messages run one after another, a blank between them.
void AddMessage(std::string& messages, const std::string& message) {
    if (!messages.empty()) messages += ' ';
    messages += message;
}

std::string StateLimitMessages(const ClientCase& client, std::vector<std::int32_t>& refused) {
    const auto& options = client.Proposal();
    std::string messages;
    std::int32_t checked = 0;
    for (const auto& limit : kStateLimits) {
        if (!Lists(limit.states, client.State())) continue;
        if (checked == 0 && options.IsProductSelected(limit.product)) checked = limit.product;
        if (limit.product != checked) continue;
        if (client.IsMale() == limit.male && client.Classification() == limit.classCode &&
            client.Age() >= limit.fromAge) {
            AddMessage(messages,
                       ProductTitle(limit.product, options.Company()) + limit.text + client.State());
            refused.push_back(limit.product);
        }
    }
    return messages;
}

struct AgeFindings {
    std::string messages;
    bool quenbyRefused = false;
    std::vector<std::int32_t> refused;  // the products the messages name
};

// The reasons the chosen products cannot be issued at the client's age and class.
AgeFindings CheckIssueAges(const ClientCase& client, bool usePriorRates) {
    const auto& options = client.Proposal();
    const std::string& state = client.State();
    const std::int32_t classCode = client.Classification();
    const int age = client.Age();
    AgeFindings findings;
    for (const std::int32_t product : ChosenProducts(options)) {
        const std::string name = ProductTitle(product, options.Company());
        if (QuenbyRefusesClass(product, state, classCode)) {
            AddMessage(findings.messages, name + ": " + kQuenbyRefusal);
            findings.refused.push_back(product);
            findings.quenbyRefused = true;
            continue;
        }
        const auto maxAge = MaxIssueAge(product, state, classCode, client.IsMale(), usePriorRates);
        const auto minAge = MinIssueAge(product, state, classCode);
        // Products without issue-age rules (7, 10, unknown numbers) are left to the rate files.
        if (!maxAge || !minAge) continue;
        if (age > *maxAge || age < *minAge) findings.refused.push_back(product);
        if (age > *maxAge) {
            AddMessage(findings.messages,
                       name + ": Client must be age " + std::to_string(*maxAge) + " or younger.");
        } else if (age < *minAge) {
            if (options.Company() != kQnb && state != "OR" && age < kNicotineNoticeAge &&
                IsNicotineClass(classCode)) {
                AddMessage(findings.messages, name + ": Nicotine use not allowed for clients under age 15.");
            } else {
                AddMessage(findings.messages, name + ": Client must be between age " +
                                                  std::to_string(*minAge) + " and " +
                                                  std::to_string(*maxAge) + ".");
            }
        }
    }
    if (const std::string limits = StateLimitMessages(client, findings.refused); !limits.empty())
        AddMessage(findings.messages, limits);
    return findings;
}

// Without a table rating the case counts as "None".
bool HasTableRating(const ClientCase& client) {
    return !client.TableRating().empty() && client.TableRating() != "None";
}

constexpr std::int32_t kWaiverMaxFace = 5000000;

// A correction of the case: the note shown with the proposal, and the
// update the outside system takes over under the input's relay key.
struct Corrections {
    std::vector<std::string>& notes;
    UpdateLog& updates;

    void Add(std::string note, const char* relayKey, Value value, int dataType) {
        notes.push_back(std::move(note));
        updates.Add(relayKey, std::move(value), dataType);
    }
};

constexpr const char* kWaiverKey = "Insured.Waiver";

void CorrectRiders(ClientCase& client, Corrections& corrections) {
    const int age = client.Age();
    if (client.Waiver() && (age > kWaiverLastIssueAge || age < kWaiverFirstIssueAge)) {
        client.SetWaiver(false);
        corrections.Add("Waiver Removed - Not available for client of age " + std::to_string(age) + ".  ",
                        kWaiverKey, Value(false), IniFile::Boolean);
    }
    if (client.Waiver() && HasTableRating(client) && !Lists(kWaiverTableRatings, client.TableRating())) {
        client.SetWaiver(false);
        corrections.Add("Waiver Removed -Not available with table ratings greater than D (or 4).", kWaiverKey,
                        Value(false), IniFile::Boolean);
    }
    const auto& faces = client.Proposal().FaceAmounts();
    const bool largeFace = std::any_of(faces.begin(), faces.end(),
                                       [](const auto& face) { return face && *face > kWaiverMaxFace; });
    if (client.Waiver() && largeFace) {
        client.SetWaiver(false);
        corrections.Add("Waiver Removed- Not available for face amounts in excess of $5,000,000.", kWaiverKey,
                        Value(false), IniFile::Boolean);
    }
    if (client.ChildRider() && (age > kChildRiderLastIssueAge || age < kChildRiderFirstIssueAge)) {
        client.SetChildRider(false);
        client.SetChildRiderUnits(0);
        corrections.Add(
            "Child Rider Removed - Not available for client of age " + std::to_string(age) + ".  ",
            "Rider.CTR.Amt", Value(0), IniFile::Number);
    }
    const auto products = ChosenProducts(client.Proposal());
    if (client.ChildRider() && !products.empty() &&
        std::none_of(products.begin(), products.end(),
                     [](std::int32_t product) { return OfferOf(product).childRider; })) {
        client.SetChildRider(false);
        client.SetChildRiderUnits(0);
        corrections.Add("Child Rider Removed - Not available with " +
                            ProductTitle(products.front(), client.Proposal().Company()) + ".  ",
                        "Rider.CTR.Amt", Value(0), IniFile::Number);
    }
    // The outside system never asks for the spouse's fee to be waived: no relay key.
    if (client.WaiveSpouseFee() && age < kSpouseFeeFirstAge) {
        client.SetWaiveSpouseFee(false);
        corrections.notes.emplace_back("Waive Fee for Spouse option removed - Client is too young.  ");
    }
}

// The classes on which a carrier takes no table rating. QNB also refuses it
// on the select and custom classes; BRN and TVNY only on the preferred ones.
struct TableRatingRule {
    std::span<const std::int32_t> classes;
    const char* note;
};

constexpr std::int32_t kPreferredClasses[] = {1, 2, 5};
constexpr std::int32_t kPreferredSelectCustomClasses[] = {1, 2, 3, 5, 7, 8};
constexpr TableRatingRule kPreferredRule{kPreferredClasses,
                                         "Table Rating Removed - Not allowed on a Preferred Cases.  "};
constexpr TableRatingRule kQnbRule{
    kPreferredSelectCustomClasses,
    "Table Rating Removed - Not allowed on a Preferred, Select or Custom Cases.  "};

void CorrectTableRating(ClientCase& client, Corrections& corrections) {
    const auto& rule = client.Proposal().Company() == kQnb ? kQnbRule : kPreferredRule;
    if (HasTableRating(client) && Lists(rule.classes, client.Classification())) {
        client.SetTableRating("None");
        // "0" is the relay's code for no table rating.
        corrections.Add(rule.note, "Insured.Table", Value("0"), IniFile::Text);
    }
}

}  // namespace

// The class comparison page sets a class beside up to two classes below it
// on its ladder. The custom classes end their ladders.
constexpr std::int32_t kNoNicotineLadder[] = {0, 1, 2, 3, 4, 7};
constexpr std::int32_t kNicotineLadder[] = {5, 6, 8};
constexpr std::size_t kComparedClasses = 2;

std::span<const std::int32_t> ComparedClasses(std::int32_t classCode) {
    using Ladder = std::span<const std::int32_t>;
    for (const Ladder ladder : {Ladder(kNoNicotineLadder), Ladder(kNicotineLadder)}) {
        const auto rung = std::find(ladder.begin(), ladder.end(), classCode);
        if (rung == ladder.end()) continue;
        const auto below = ladder.subspan(static_cast<std::size_t>(rung - ladder.begin()) + 1);
        return below.first(std::min(below.size(), kComparedClasses));
    }
    return {};
}

namespace {

// True when a chosen product would not be issued at the client's age in one of the classes.
bool AboveMaxIssueAge(const ClientCase& client, std::span<const std::int32_t> classes, bool usePriorRates) {
    for (const std::int32_t product : ChosenProducts(client.Proposal())) {
        for (const std::int32_t classCode : classes) {
            const auto maxAge =
                MaxIssueAge(product, client.State(), classCode, client.IsMale(), usePriorRates);
            if (maxAge && client.Age() > *maxAge) return true;
        }
    }
    return false;
}

constexpr const char* kLowestClassNote =
    "Class Comparison Page will not print.  Either the class is the lowest for the specified classification "
    "or Table Rating is used.  ";
constexpr const char* kLowerClassesAgeNote =
    "Class Comparison Page will not print due to age restrictions on the lower classifications.  ";
constexpr const char* kLowerClassAgeNote =
    "Class Comparison Page will not print due to age restrictions on the lower classification.  ";

void CheckClassPages(ClientCase& client, bool usePriorRates, Corrections& corrections) {
    auto& options = client.Proposal();
    if (options.OutputClassComp()) {
        const std::int32_t classCode = client.Classification();
        const auto compared = ComparedClasses(classCode);
        // The nicotine classes below 5 and 6 are issued to younger ages than those classes.
        const bool agedOut =
            (classCode == 5 || classCode == 6) && AboveMaxIssueAge(client, compared, usePriorRates);
        const char* note = nullptr;
        if (compared.empty() || HasTableRating(client)) {
            note = kLowestClassNote;
        } else if (agedOut) {
            note = classCode == 5 ? kLowerClassesAgeNote : kLowerClassAgeNote;
        }
        if (note) {
            corrections.Add(note, "BRLN.Rpt.ClassComp", Value(false), IniFile::Boolean);
            options.SetOutputClassComp(false);
        }
    }
    const bool pellamy =
        options.IsProductSelected(7) || options.IsProductSelected(8) || options.IsProductSelected(9);
    if (options.OutputClassInfo() && pellamy) {
        corrections.Add("Class Information Page will not print on a Pellamy proposal.  ",
                        "BRLN.Rpt.ClassInfo", Value(false), IniFile::Boolean);
        options.SetOutputClassInfo(false);
    }
}

// Rate-scale markers: whole words in the case's name fields, in any case.
constexpr std::array<std::string_view, 4> kPriorScaleMarkers{"CUR1BACK", "1BACK", "CURR1BACK",
                                                             "PRIORSCALEQUOTE"};
constexpr std::string_view kCurrentScaleOnly = "CURRENTSCALEONLY";
// Quotes prepared before the current scale took effect on 1 July 2008 may
// still show the scale they were first shown on.
constexpr std::string_view kBeforeCurrentScale = "BEFOREJULY2008";

std::vector<std::string> NameWords(const ClientCase& client) {
    std::vector<std::string> words;
    for (const std::string_view field :
         {std::string_view(client.FirstName()), std::string_view(client.MiddleInit()),
          std::string_view(client.LastName())}) {
        const std::string upper = ToUpper(field);
        std::size_t start = 0;
        while (start < upper.size()) {
            const std::size_t end = std::min(upper.find_first_of(" \t", start), upper.size());
            if (end > start) words.push_back(upper.substr(start, end - start));
            start = end + 1;
        }
    }
    return words;
}

}  // namespace

bool OutsidePriorScaleAllowed(std::string_view state) {
    const std::string upper = ToUpper(state);
    return upper != "MS" && upper != "OR";
}

RateScaleChoice ChooseRateScale(const ClientCase& client, std::optional<Date> prepared,
                                bool outsideAskedPrior) {
    const Date today = prepared.value_or(Date::Today());
    outsideAskedPrior = outsideAskedPrior && OutsidePriorScaleAllowed(client.State());
    const auto words = NameWords(client);
    const bool currentOnly = Lists(words, kCurrentScaleOnly);
    const bool dated = Lists(words, kBeforeCurrentScale);
    const bool datedExpired = dated && today >= Date::FromYmd(2008, 7, 1);
    const bool askedPrior = outsideAskedPrior || (dated && !datedExpired) ||
                            std::any_of(kPriorScaleMarkers.begin(), kPriorScaleMarkers.end(),
                                        [&](std::string_view m) { return Lists(words, m); });
    RateScaleChoice choice;
    choice.usePriorRates = askedPrior && !currentOnly;
    if (datedExpired) {
        choice.notes.emplace_back(
            "The rate scale marker BEFOREJULY2008 has expired; the current rate scale is shown.  ");
    }
    if (currentOnly)
        choice.notes.emplace_back("You have chosen to show the current rate scale for this ledger.  ");
    if (choice.usePriorRates) {
        choice.notes.emplace_back("You have chosen to show the prior rate scale for this ledger.  ");
        choice.notes.emplace_back(
            "Please verify this is what you intend to do before distributing this ledger.");
    }
    return choice;
}

namespace {

constexpr std::size_t kMaxNotes = 61;

}  // namespace

std::vector<std::string> CheckAvailability(const ClientCase& client, const std::string& programFolder) {
    return CheckAvailability(client, client.CompanyApprovedInState(programFolder));
}

std::vector<std::string> CheckAvailability(const ClientCase& client, bool carrierApproved) {
    const std::int32_t company = client.Proposal().Company();
    std::vector<std::string> problems;
    const std::string overrideLine = ToUpper(client.AssignedBroker().Get(BrokerField::address_2));
    const bool overridden =
        std::any_of(kAvailabilityOverrides.begin(), kAvailabilityOverrides.end(),
                    [&](std::string_view code) { return overrideLine.find(code) != std::string::npos; });
    const bool approved = overridden || carrierApproved;
    for (const std::int32_t product : ChosenProducts(client.Proposal())) {
        // The five-year product keeps the name its message has always had.
        const std::string name = product == 1 && company == 2 ? "Korvel  5" : ProductTitle(product, company);
        const ProductOffer& offer = OfferOf(product);
        if (!offer.refusal.empty()) {
            problems.push_back(name + " cannot be illustrated: it " + std::string(offer.refusal) + ".");
        } else if (!CarrierSells(company, product)) {
            problems.push_back(name + " is not sold by " + client.Proposal().CompanyName() + "." +
                               kChooseAnother);
        } else if (!approved) {
            problems.push_back(name + " is not available for sale in this state." + kChooseAnother);
        }
    }
    return problems;
}

// QNB issues nothing to a nicotine user this young, whatever the product.
bool TooYoungForQnb(const ClientCase& client) {
    return client.Proposal().Company() == kQnb && IsNicotineClass(client.Classification()) &&
           client.Age() < kQnbNicotineFirstAge;
}

// A comparison some of whose products the age does not allow goes on with
// individual proposals of the others.
bool ComparisonGoesOnWithout(const ClientCase& client, const AgeFindings& findings) {
    const auto chosen = ChosenProducts(client.Proposal());
    return chosen.size() > 1 && !findings.refused.empty() && !TooYoungForQnb(client) &&
           std::any_of(chosen.begin(), chosen.end(),
                       [&](std::int32_t product) { return !Lists(findings.refused, product); });
}

AgeCheck ValidateAge(ClientCase& client, bool usePriorRates) {
    AgeCheck check;
    const AgeFindings findings = CheckIssueAges(client, usePriorRates);
    // The refused class is named among the messages: one box tells it, under the refusal's own title.
    if (findings.quenbyRefused) check.title = "Age out of Range";
    if (ComparisonGoesOnWithout(client, findings)) {
        check.outOfAge = findings.refused;
        check.notices.push_back({check.title, "Left out of this proposal: " + findings.messages});
        return check;
    }
    if (client.Proposal().ProductCount() > 1 && !findings.messages.empty()) {
        check.notices.push_back(
            {"Age out of range",
             "Product Comparison page will not print.  Please choose to print individual ledgers."});
    }
    std::string messages = findings.messages;
    if (TooYoungForQnb(client)) messages += "\n\nNo proposal created as nicotine users begin at age 10.";
    check.ok = messages.empty();
    if (!check.ok) check.message = "No proposal created for this client: " + messages;
    return check;
}

std::vector<std::string> ValidateClientInfo(ClientCase& client, ProposalRun& run, std::optional<Date> today) {
    std::vector<std::string> notes;
    try {
        // The scale is settled first, from the case alone: the age limits below depend on it.
        const RateScaleChoice scale = ChooseRateScale(client, today, run.RelayUsePriorRates);
        run.UsePriorRates = scale.usePriorRates;

        Corrections corrections{notes, run.Updates};
        CorrectRiders(client, corrections);
        CorrectTableRating(client, corrections);
        CheckClassPages(client, run.UsePriorRates, corrections);
        auto& options = client.Proposal();
        if (ComparisonGoesOnWithout(client, CheckIssueAges(client, run.UsePriorRates))) {
            corrections.Add("Product Comparison page will not print.  Individual ledgers will be produced.  ",
                            "BRLN.PrintOpts", Value("I"), IniFile::Text);
            options.SetPrintOption(IllustrationOptions::Individual);
        }
        notes.insert(notes.end(), scale.notes.begin(), scale.notes.end());
    } catch (const std::exception& error) {
        run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "ValidateClientInfo");
    }
    if (notes.size() > kMaxNotes) notes.resize(kMaxNotes);
    return notes;
}

}  // namespace quoravel
