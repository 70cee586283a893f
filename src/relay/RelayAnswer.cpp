#include "RelayExchange.h"

#include <filesystem>

#include "IniFile.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr std::size_t kStampPartLength = 1000;

// "<key>Parts" with their number, then "<key>1", "<key>2", … in order.
void WriteParts(IniFile& answer, const std::string& key, const std::vector<std::string>& parts) {
    answer.AppendINI(key + "Parts", Value(static_cast<std::int64_t>(parts.size())), IniFile::Number);
    for (std::size_t part = 0; part < parts.size(); ++part)
        answer.AppendINI(key + std::to_string(part + 1), Value(parts[part]), IniFile::Text);
}

}  // namespace

void WriteRelayAnswer(const ProposalRun& run) {
    // The logs go first: an answer found in the folder is one whose run
    // wrote everything it had to write.
    if (run.RelayMode()) {
        run.Errors.WriteErrorLog(run.StartDirectory);
        run.Updates.Log(run.StartDirectory, "Relay.upd");
    }
    // Every file of the run on the disk before the answer that announces them.
    SyncFolder(run.StartDirectory);
    if (run.RelayMode() && !run.PdfPath.empty()) SyncFolder(run.PdfPath);
    IniFile answer;
    answer.SetPathname(run.StartDirectory);
    answer.SetFilename(kRelayAnswerFile);
    answer.SetBooleanDefaultTrue(Value("True"));
    answer.SetBooleanDefaultFalse(Value("False"));
    answer.StartNew();

    const bool documentMade = run.Answer.ExportedPages.has_value();
    const auto engine = [&] {
        run.Errors.AnswerInto(answer);
        if (run.RelayMode()) run.PDFForms.Log(answer, run.StartDirectory, run.ProgramFolder());
    };
    if (!documentMade) {
        engine();
    } else {
        const int pages = *run.Answer.ExportedPages;
        answer.SetSection("HeaderValues");
        for (const AnswerValue& value : run.Answer.HeaderValues)
            answer.WriteINI(value.Key, value.Data, value.DataType);
        // The page count stands where the policy values keep its place.
        answer.WriteINI("bridge_SourceLedgerPages", Value(pages), IniFile::Number);
        answer.SetSection("BasicValues");
        for (const AnswerValue& value : run.Answer.BasicValues)
            answer.WriteINI(value.Key, value.Data, value.DataType);
        // An answer with policy values has always put "Engine" before the
        // pages; the face comparison's, after them.
        const bool policyValues = !run.Answer.HeaderValues.empty();
        if (policyValues) engine();
        const std::string folder = WithTrailingSeparator(run.StartDirectory);
        const std::string separator = "\u00FD";
        answer.SetSection("EMF");
        answer.WriteINI("File", Value(folder + "page(" + std::to_string(pages) + ").emf"), IniFile::Text);
        int position = 0;
        for (const RelayNode& node : run.Answer.Nodes) {
            const std::string range = std::to_string(node.StartPage) + "," + std::to_string(node.EndPage);
            answer.WriteINI(std::to_string(++position) + "File",
                            Value(folder + "page(" + range + ").emf" + separator + node.NodeName + separator +
                                  "U" + separator + "L"),
                            IniFile::Text);
        }
        if (!policyValues) engine();
        // Added last, so the sections before it read as they always have.
        if (run.Stamp) {
            // Appended key by key: the case may be as long as a relay file.
            answer.SetSection("Stamp");
            answer.AppendINI("Version", Value(run.Stamp->version), IniFile::Text);
            answer.AppendINI("RateSet", Value(run.Stamp->rateSet), IniFile::Text);
            answer.AppendINI("Date", Value(run.Stamp->date), IniFile::Text);
            answer.AppendINI("CaseKind", Value(CaseKindName(run.Stamp->kind)), IniFile::Text);
            // A settings reader keeps 2,047 characters of a value: the case
            // goes in numbered parts, the premiums one product and face amount a key.
            const std::string encoded = EncodeBase64(run.Stamp->caseText);
            std::vector<std::string> parts;
            for (std::size_t at = 0; at < encoded.size(); at += kStampPartLength)
                parts.push_back(encoded.substr(at, kStampPartLength));
            WriteParts(answer, "Case", parts);
            parts.clear();
            for (const StampedPremiums& priced : run.Stamp->premiums) parts.push_back(PremiumsText({priced}));
            WriteParts(answer, "Premiums", parts);
        }
    }
    ReplaceFileExactly(std::filesystem::path(run.StartDirectory) / kRelayAnswerFile, answer.InMemoryText());
}

}  // namespace quoravel
