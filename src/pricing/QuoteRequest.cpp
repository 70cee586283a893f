#include "QuoteRequest.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "ClientCase.h"
#include "IllustrationOptions.h"
#include "IniFile.h"
#include "ProductCatalogue.h"
#include "RelayExchange.h"
#include "RelayProducts.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr std::array<QuoteInputName, 16> kNames{{
    {"name", false},
    {"age", false},
    {"sex", false},
    {"state", false},
    {"class", false},
    {"table", false},
    {"flat-perm", false},
    {"flat-temp", false},
    {"waiver", false},
    {"child", false},
    {"face", true},
    {"mode", false},
    {"carrier", false},
    {"product", true},
    {"waive-spouse-fee", false},
    {"prior-scale", false},
}};

constexpr int kWaiverRatingCodes = 5;
constexpr std::int32_t kCarriers = 3;

std::string_view Bare(std::string_view name) {
    while (name.starts_with('-')) name.remove_prefix(1);
    return name;
}

class Reader {
public:
    Reader(std::span<const QuoteInput> inputs, const std::string& programFolder)
        : inputs_(inputs), programFolder_(programFolder) {}

    QuoteReading Read() {
        CheckNames();
        const QuoteInput* age = One("age");
        if (!age || Trim(age->value).empty()) {
            Refuse(Named(age, "age") + ": the insured's age is missing.");
        } else if (Accepts(*age, "Insured.Age")) {
            request_.age = static_cast<std::int16_t>(*NumberIn(age->value));
        }
        if (const QuoteInput* sex = One("sex"); sex && Accepts(*sex, "Insured.Sex")) {
            const std::string code = ToUpper(Trim(sex->value));
            request_.isMale = code == "M" || code == "U";
        }
        ReadState();
        if (const QuoteInput* code = One("class"); code && Accepts(*code, "Insured.Class"))
            request_.classCode = *RelayClassCode(code->value);
        ReadTable();
        if (const QuoteInput* extra = One("flat-perm"); extra && Accepts(*extra, "Insured.ExtraPerm"))
            request_.permFlatExtra = *NumberIn(extra->value);
        ReadTemporaryExtra();
        ReadWaiver();
        if (const QuoteInput* units = One("child"); units && Accepts(*units, "Rider.CTR.Amt"))
            request_.childUnits = static_cast<std::int16_t>(*NumberIn(units->value));
        if (const QuoteInput* mode = One("mode"); mode && Accepts(*mode, "Policy.PremiumMode"))
            request_.paymentMode = *RelayPaymentMode(mode->value);
        ReadCarrier();
        if (const QuoteInput* name = One("name")) request_.name = Trim(name->value);
        ReadFlag("waive-spouse-fee", request_.waiveSpouseFee);
        ReadFlag("prior-scale", request_.priorScaleAsked);
        ReadFaceAmounts();
        ReadProducts();
        return {request_, problems_};
    }

private:
    void Refuse(std::string message) { problems_.push_back(std::move(message)); }

    // An input as the user names it: an option with its dashes, a JSON member without.
    std::string Named(const QuoteInput* input, std::string_view name) const {
        if (input) return input->name;
        const bool options = inputs_.empty() || inputs_.front().name.starts_with("--");
        return (options ? "--" : "") + std::string(name);
    }

    // Every name is one the quote takes; a single input is given once.
    void CheckNames() {
        for (const QuoteInput& input : inputs_) {
            const auto name = std::find_if(kNames.begin(), kNames.end(), [&](const QuoteInputName& known) {
                return known.name == Bare(input.name);
            });
            if (name == kNames.end()) {
                Refuse(input.name + " is not an input of a quote.");
            } else if (!name->repeatable && &input != One(name->name)) {
                Refuse(input.name + " is given more than once.");
            }
        }
    }

    const QuoteInput* One(std::string_view name) const {
        for (const QuoteInput& input : inputs_) {
            if (Bare(input.name) == name) return &input;
        }
        return nullptr;
    }

    std::vector<const QuoteInput*> All(std::string_view name) const {
        std::vector<const QuoteInput*> all;
        for (const QuoteInput& input : inputs_) {
            if (Bare(input.name) == name) all.push_back(&input);
        }
        return all;
    }

    bool Accepts(const QuoteInput& input, std::string_view relayKey) {
        const InputRule& rule = RelayInputRule(relayKey);
        if (rule.accepts(input.value)) return true;
        Refuse(InputMessage(input.name, input.value, rule.expected));
        return false;
    }

    void ReadState() {
        const QuoteInput* state = One("state");
        if (!state || Trim(state->value).empty()) {
            Refuse(Named(state, "state") + ": the state of delivery is missing.");
            return;
        }
        request_.state = ToUpper(Trim(state->value));
        if (!IsStateOfDelivery(request_.state, programFolder_))
            Refuse(InputMessage(state->name, state->value, "a state of delivery"));
    }

    // The letters of the case ("B") or the relay's numbers ("2").
    void ReadTable() {
        const QuoteInput* table = One("table");
        if (!table) return;
        const std::string_view value = Trim(table->value);
        const auto& names = TableRatingNames();
        const auto letter = std::find_if(names.begin(), names.end(),
                                         [&](std::string_view rating) { return EqualNoCase(rating, value); });
        if (letter != names.end()) {
            request_.tableRating = std::string(*letter);
        } else if (const auto rating = RelayTableRating(value); rating && !value.empty()) {
            request_.tableRating = std::string(*rating);
        } else {
            Refuse(
                InputMessage(table->name, table->value,
                             "a table rating: None, A, AA, B, BB, C, CC, D or E to P, or the relay's 0 to 4 "
                             "in steps of 0.5 or 5 to 16"));
        }
    }

    // "amount:years", read as the relay's "1ü years ü amount".
    void ReadTemporaryExtra() {
        const QuoteInput* extra = One("flat-temp");
        if (!extra) return;
        const std::string_view value = extra->value;
        const auto colon = value.find(':');
        std::optional<TemporaryExtra> read;
        if (colon != std::string_view::npos && value.find(':', colon + 1) == std::string_view::npos) {
            read = RelayTemporaryExtra("1\u00FC" + std::string(value.substr(colon + 1)) + "\u00FC" +
                                       std::string(value.substr(0, colon)));
        }
        if (read) {
            request_.tempFlatExtra = *read;
        } else {
            Refuse(InputMessage(extra->name, extra->value,
                                "a temporary flat extra: an amount from 0 to 99.99 per $1,000, \":\" and its "
                                "years from 1 to 100"));
        }
    }

    // The rating itself (1.5 is 150 %), one of the relay's five.
    void ReadWaiver() {
        const QuoteInput* waiver = One("waiver");
        if (!waiver) return;
        const auto rating = NumberIn(waiver->value);
        for (int code = 1; rating && code <= kWaiverRatingCodes; ++code) {
            if (RelayWaiverRating(std::to_string(code)) == rating) {
                request_.waiver = true;
                request_.waiverRating = *rating;
                return;
            }
        }
        Refuse(InputMessage(waiver->name, waiver->value, "a waiver rating: 1, 1.5, 2, 2.5 or 3"));
    }

    // Y or N, as the relay's flags.
    void ReadFlag(std::string_view name, bool& flag) {
        const QuoteInput* input = One(name);
        if (!input) return;
        if (const auto value = FlagOf(input->value)) {
            flag = *value;
        } else {
            Refuse(InputMessage(input->name, input->value, "Y or N"));
        }
    }

    // The carrier's code (BRN, QNB, TVNY) or the relay's (BRLN, QNBY, TVNY, TVNB).
    void ReadCarrier() {
        const QuoteInput* carrier = One("carrier");
        if (!carrier) return;
        for (std::int32_t company = 0; company < kCarriers; ++company) {
            if (EqualNoCase(Trim(carrier->value), CompanyCode(company))) {
                request_.company = company;
                return;
            }
        }
        if (const auto company = RelayCompany(carrier->value)) {
            request_.company = *company;
            return;
        }
        Refuse(InputMessage(carrier->name, carrier->value, "a carrier: BRN, QNB or TVNY"));
    }

    // Amounts no product issues are refused here; a product's own higher
    // minimum is its issue rule, told with its quote.
    void ReadFaceAmounts() {
        const auto faces = All("face");
        if (faces.empty()) Refuse(Named(nullptr, "face") + ": at least one face amount is needed.");
        const std::string limits = "a face amount from $" + FormatAmount(kMinimumFaceAmount, 0) + " to $" +
                                   FormatAmount(kMaximumFaceAmount, 0);
        for (const QuoteInput* face : faces) {
            if (!Accepts(*face, "Policy.FaceAmount")) continue;
            const std::int32_t amount = *RelayFaceAmount(face->value);
            if (amount < kMinimumFaceAmount || amount > kMaximumFaceAmount) {
                Refuse(InputMessage(face->name, face->value, limits));
            } else if (std::find(request_.faceAmounts.begin(), request_.faceAmounts.end(), amount) ==
                       request_.faceAmounts.end()) {
                request_.faceAmounts.push_back(amount);
            }
        }
    }

    // The codes read in the state, as the relay reads them; a retired
    // product may come by its display name.
    void ReadProducts() {
        for (const QuoteInput* product : All("product")) {
            const RetiredProduct* retired = FindRetiredProduct(product->value);
            const std::string code = retired ? std::string(retired->oldCode) : ToUpper(Trim(product->value));
            if (RelayProductNumber(code, request_.state) == 0) {
                Refuse(
                    InputMessage(product->name, product->value,
                                 "a product code of the state: BRLN10, OSTR20G, TESS15, … (docs/relay.md)"));
            } else if (std::find(request_.productCodes.begin(), request_.productCodes.end(), code) ==
                       request_.productCodes.end()) {
                request_.productCodes.push_back(code);
            }
        }
    }

    std::span<const QuoteInput> inputs_;
    const std::string& programFolder_;
    QuoteRequest request_;
    std::vector<std::string> problems_;
};

}  // namespace

QuoteReading ReadQuoteRequest(std::span<const QuoteInput> inputs, const std::string& programFolder) {
    return Reader(inputs, programFolder).Read();
}

std::span<const QuoteInputName> QuoteInputNames() { return kNames; }

QuoteRequest QuoteRequestOf(const ClientCase& client) {
    QuoteRequest request;
    request.name = client.FullName();
    request.age = client.Age();
    request.isMale = client.IsMale();
    request.state = client.State();
    request.classCode = client.Classification();
    if (!client.TableRating().empty()) request.tableRating = client.TableRating();
    request.permFlatExtra = client.PermFlatExtra();
    request.tempFlatExtra = {client.TempFlatExtra(), client.TempFlatExtraYears()};
    request.waiver = client.Waiver();
    if (client.Waiver()) request.waiverRating = client.WaiverRating();
    request.childUnits = client.ChildRider() ? client.ChildRiderUnits() : std::int16_t{0};
    request.waiveSpouseFee = client.WaiveSpouseFee();
    const IllustrationOptions& options = client.Proposal();
    for (std::size_t index = 0; index < options.FaceAmountCount(); ++index) {
        const std::int32_t amount = options.GetFaceAmount(index);
        if (std::find(request.faceAmounts.begin(), request.faceAmounts.end(), amount) ==
            request.faceAmounts.end())
            request.faceAmounts.push_back(amount);
    }
    request.paymentMode = client.PaymentMode();
    request.company = options.Company();
    return request;
}

}  // namespace quoravel
