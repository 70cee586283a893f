#include "ProposalStamp.h"

#include <array>
#include <charconv>
#include <sstream>

#include "Date.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr std::string_view kNamespace = "https://quoravel.example/ns/stamp/1.0/";
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("&amp;"))
            out += '&', i += 4;
        else if (rest.starts_with("&lt;"))
            out += '<', i += 3;
        else if (rest.starts_with("&gt;"))
            out += '>', i += 3;
        else
            out += text[i];
    }
    return out;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
    std::string out;
    unsigned bits = 0;
    int held = 0;
    for (const char c : text) {
        if (c == '=' || c == '\n' || c == '\r' || c == ' ') continue;
        const std::size_t value = kAlphabet.find(c);
        if (value == std::string_view::npos) return std::nullopt;
        bits = (bits << 6) | static_cast<unsigned>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out += static_cast<char>((bits >> held) & 0xFF);
        }
    }
    return out;
}

// The text of <qv:name>…</qv:name> within the packet.
std::optional<std::string> Element(std::string_view packet, const std::string& name) {
    const std::string open = "<qv:" + name + ">";
    const std::string close = "</qv:" + name + ">";
    const std::size_t start = packet.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t end = packet.find(close, start + open.size());
    if (end == std::string_view::npos) return std::nullopt;
    return Unescaped(packet.substr(start + open.size(), end - start - open.size()));
}

// A stamp writes whole numbers as plain digits and premiums in whole cents
// ("1765.00"): anything else in their place is no stamp of this program's.
bool IsDigits(std::string_view token, std::size_t most) {
    return !token.empty() && token.size() <= most &&
           token.find_first_not_of("0123456789") == std::string_view::npos;
}
// Digits as a number is written: no leading zero.
bool IsNumber(std::string_view token, std::size_t most) {
    return IsDigits(token, most) && (token.size() == 1 || token.front() != '0');
}
bool IsCents(std::string_view token) {
    const std::size_t point = token.find('.');
    return point != std::string_view::npos && IsNumber(token.substr(0, point), 12) &&
           IsDigits(token.substr(point + 1), 2) && token.size() == point + 3;
}
bool ReadWhole(const std::string& token, std::int32_t& value) {
    return IsNumber(token, 10) &&
           std::from_chars(token.data(), token.data() + token.size(), value).ec == std::errc();
}

std::optional<std::vector<StampedPremiums>> ReadPremiums(const std::string& text) {
    std::vector<StampedPremiums> all;
    std::stringstream groups(text);
    for (std::string group; std::getline(groups, group, ';');) {
        std::stringstream numbers(group);
        std::string product, face;
        StampedPremiums priced;
        if (!(numbers >> product >> face) || !ReadWhole(product, priced.product) ||
            !ReadWhole(face, priced.faceAmount))
            return std::nullopt;
        for (std::string premium; numbers >> premium;) {
            double value = 0;
            if (!IsCents(premium)) return std::nullopt;
            std::from_chars(premium.data(), premium.data() + premium.size(), value);
            priced.yearly.push_back(value);
        }
        all.push_back(std::move(priced));
    }
    return all;
}

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned triple = static_cast<unsigned char>(bytes[i]) << 16 |
                                static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(triple >> shift) & 0x3F];
    }
    if (const std::size_t left = bytes.size() - i; left > 0) {
        unsigned triple = static_cast<unsigned char>(bytes[i]) << 16;
        if (left == 2) triple |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(triple >> 18) & 0x3F];
        out += kAlphabet[(triple >> 12) & 0x3F];
        out += left == 2 ? kAlphabet[(triple >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

std::string CaseKindName(ProposalStamp::CaseKind kind) {
    return kind == ProposalStamp::CaseKind::Relay ? "relay" : "case";
}

std::string PremiumsText(const std::vector<StampedPremiums>& premiums) {
    std::string text;
    for (const StampedPremiums& priced : premiums) {
        if (!text.empty()) text += ';';
        text += std::to_string(priced.product) + ' ' + std::to_string(priced.faceAmount);
        for (const double premium : priced.yearly) {
            // The premiums are whole cents already: two places keep them exactly.
            text += ' ' + FixedText(premium, 2);
        }
    }
    return text;
}

std::string StampXmp(const ProposalStamp& stamp) {
    std::string packet = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n";
    packet += "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n";
    packet += "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n";
    packet += "<rdf:Description rdf:about=\"\" xmlns:qv=\"" + std::string(kNamespace) + "\">\n";
    const auto element = [&](const std::string& name, const std::string& value) {
        packet += "<qv:" + name + ">" + Escaped(value) + "</qv:" + name + ">\n";
    };
    element("Version", stamp.version);
    element("RateSet", stamp.rateSet);
    element("Date", stamp.date);
    element("CaseKind", CaseKindName(stamp.kind));
    element("Case", EncodeBase64(stamp.caseText));
    element("Premiums", PremiumsText(stamp.premiums));
    packet += "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"r\"?>";
    return packet;
}

std::optional<ProposalStamp> FindStamp(std::string_view bytes) {
    const std::string declaration = "xmlns:qv=\"" + std::string(kNamespace) + "\"";
    const std::size_t at = bytes.find(declaration);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t end = bytes.find("</rdf:Description>", at);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view packet = bytes.substr(at, end - at);
    const auto version = Element(packet, "Version");
    const auto rateSet = Element(packet, "RateSet");
    const auto date = Element(packet, "Date");
    const auto kind = Element(packet, "CaseKind");
    const auto encoded = Element(packet, "Case");
    const auto premiumsText = Element(packet, "Premiums");
    if (!version || !rateSet || !date || !kind || !encoded || !premiumsText) return std::nullopt;
    // The case is made again as on its day: a stamp without a real day is no stamp.
    if (date->size() != 10 || !Date::Parse(*date)) return std::nullopt;
    const auto caseText = DecodeBase64(*encoded);
    const auto premiums = ReadPremiums(*premiumsText);
    if (!caseText || !premiums || (*kind != "relay" && *kind != "case")) return std::nullopt;
    return ProposalStamp{
        *version,  *rateSet,
        *date,     *kind == "relay" ? ProposalStamp::CaseKind::Relay : ProposalStamp::CaseKind::CaseRecord,
        *caseText, *premiums};
}

}  // namespace quoravel
