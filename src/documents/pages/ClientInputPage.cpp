#include "ClientInputPage.h"

#include <algorithm>
#include <utility>

#include "IniFile.h"
#include "PrintSurface.h"
#include "ProposalSections.h"
#include "RelayExchange.h"
#include "RelayInputs.h"
#include "SectionStart.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr const char* kIdentifiers = "Identifiers";
constexpr const char* kKeyCodes = "KeyCodes";
constexpr const char* kHeadings = "Sections";
constexpr const char* kCorrectionsHeading = "Corrections";
constexpr const char* kRowFormat = "<+3500|<+7300";
// A value is cut with an ellipsis beyond about two lines of its column, so
// that a name of any length takes no more of the page.
constexpr double kLongestValue = 2 * 7300;
// Rows of an input section kept on the page of its heading.
constexpr std::size_t kRowsWithHeading = 3;

// The relay choices of optional pages, each with the section that prints it.
constexpr std::pair<std::string_view, SectionId> kPageChoices[] = {
    {"BRLN.Rpt.Desc", SectionId::DescriptionOfTerms},
    {"BRLN.Rpt.ClassInfo", SectionId::ClassInformation},
    {"BRLN.CertForm", SectionId::Certification},
    {"BRLN.Rpt.ClassComp", SectionId::ClassComparison},
    {"BRLN.RptUnderwriting", SectionId::UnderwritingGuidelines},
};

IniFile SettingsFile(const std::string& path, const std::string& name, const std::string& section) {
    IniFile file;
    file.SetPathname(path);
    file.SetFilename(name);
    file.SetSection(section);
    file.HoldInMemory();  // the page reads key after key of it
    return file;
}

std::string TextOf(const IniFile& file, const std::string& key) {
    return file.ReadINI(key, IniFile::Text).Text();
}

// The items of a key the relay reads as a list; any other value is one
// item, a name with "ü" or "ý" in it too.
std::vector<std::string> ListItems(const std::string& key, const std::string& value) {
    const std::string_view separator = RelayListSeparator(key);
    if (separator.empty()) return {value};
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t cut; (cut = value.find(separator, start)) != std::string::npos;
         start = cut + separator.size())
        items.push_back(value.substr(start, cut - start));
    items.push_back(value.substr(start));
    return items;
}

std::vector<KeyCode> ReadKeyCodes(IniFile caption) {
    caption.SetSection(kKeyCodes);
    std::vector<KeyCode> codes;
    for (const auto& name : caption.Keys()) {
        const std::string record = TextOf(caption, name);
        const std::size_t first = record.find(',');
        const std::size_t second = first == std::string::npos ? first : record.find(',', first + 1);
        if (second == std::string::npos) continue;
        codes.push_back({std::string(Trim(record.substr(0, first))),
                         std::string(Trim(record.substr(first + 1, second - first - 1))),
                         std::string(Trim(record.substr(second + 1)))});
    }
    return codes;
}

}  // namespace

void ClientInputPage::SetINIPathname(std::string path) { iniPath_ = WithTrailingSeparator(std::move(path)); }
void ClientInputPage::SetCAPPathName(std::string path) { capPath_ = WithTrailingSeparator(std::move(path)); }

void ClientInputPage::Bind() {
    self_ = std::make_shared<ClientInputPage*>(this);
    context_.print.Surface().AddNewPageHandler([page = std::weak_ptr<ClientInputPage*>(self_)] {
        if (auto alive = page.lock()) (*alive)->context_.print.PrintBodyHeader();
    });
}

void ClientInputPage::start() {
    ProposalPrinter& print = context_.print;
    keyCodes_ = ReadKeyCodes(SettingsFile(capPath_, capName_, kIdentifiers));
    Bind();
    const int pages = print.Surface().PageCount();
    StartOnFreshPage(print);
    if (print.Surface().PageCount() == pages) print.PrintBodyHeader();

    savedTableSep_ = print.TableSep();
    print.SetTableSep("|`");
    print.SetFontSize(10);
    print.SetTextAlign(6);
    print.SetFontBold(true);
    print.SetFontUnderline(true);
    print.Paragraph("Client Information");
    print.SetFontBold(false);
    print.SetFontUnderline(false);
    print.Paragraph("");

    PrintCorrections(PrintInputSections() == 0);
}

void ClientInputPage::finish() {
    context_.print.SetTableSep(savedTableSep_);
    self_.reset();
}

void ClientInputPage::PrintHeading(const std::string& heading, bool first, std::size_t rowsWithHeading) {
    ProposalPrinter& print = context_.print;
    if (!first) print.Paragraph("");
    print.SetFontSize(10);
    print.Surface().KeepTogether(1 + rowsWithHeading, 1 + rowsWithHeading);
    print.SetTableBorder(0);
    print.SetFontBold(true);
    print.AddTable("<+10800", "", heading);
    print.SetFontBold(false);
}

void ClientInputPage::PrintRows(const std::vector<std::string>& rows) {
    if (!rows.empty()) context_.print.AddTable(kRowFormat, "", Join(rows, "`"));
}

int ClientInputPage::PrintInputSections() {
    const IniFile headings = SettingsFile(capPath_, capName_, kHeadings);
    IniFile input;
    input.SetPathname(iniPath_);
    input.SetFilename(iniName_);
    input.HoldInMemory(RelayFileText(input.FullPath()));  // a UTF-8 file too, as the case was read
    int printed = 0;
    for (const auto& section : input.Sections()) {
        if (EqualNoCase(section, kKeyCodes)) continue;
        input.SetSection(section);
        const IniFile captions = SettingsFile(capPath_, capName_, section);
        std::vector<std::string> rows;
        for (const auto& key : input.Keys()) {
            const std::string value = TextOf(input, key);
            const std::string caption = TextOf(captions, key);
            if (value.empty() || value == "0" || caption.empty()) continue;
            rows.push_back(caption + "|" + ShownValue(key, value));
        }
        const std::string heading = TextOf(headings, section);
        PrintHeading(heading.empty() ? section : heading, printed++ == 0,
                     std::min(rows.size(), kRowsWithHeading));
        PrintRows(rows);
    }
    return printed;
}

// Every correction is shown, a value of 0 and a key without a caption too:
// each one changed what the outside system sent. A key corrected twice shows
// its last value, as Relay.upd keeps it.
void ClientInputPage::PrintCorrections(bool first) {
    const UpdateLog& updates = context_.run.Updates;
    if (updates.Count() == 0) return;
    std::vector<std::pair<std::string, std::string>> corrected;
    for (const auto& update : updates) {
        const auto same = std::find_if(corrected.begin(), corrected.end(),
                                       [&](const auto& row) { return EqualNoCase(row.first, update->Key); });
        if (same != corrected.end())
            same->second = update->RelayText();
        else
            corrected.emplace_back(update->Key, update->RelayText());
    }
    const std::string heading = TextOf(SettingsFile(capPath_, capName_, kHeadings), kCorrectionsHeading);
    const IniFile captions = SettingsFile(capPath_, capName_, kIdentifiers);
    std::vector<std::string> rows;
    for (const auto& [key, value] : corrected) {
        const std::string caption = TextOf(captions, key);
        rows.push_back((caption.empty() ? key : caption) + "|" + ShownValue(key, value));
    }
    // The few corrections stay together with their heading.
    PrintHeading(heading.empty() ? kCorrectionsHeading : heading, first, rows.size());
    PrintRows(rows);
}

// A yes or no is shown as the relay took it, whatever the spelling; a page
// the relay took as chosen shows "No" when the proposal does not carry it.
// Each item of a list is decoded on its own; a code the table does not know
// is shown as it came.
std::string ClientInputPage::ShownValue(const std::string& key, const std::string& value) const {
    if (IsRelayFlag(key)) {
        const auto page = std::find_if(std::begin(kPageChoices), std::end(kPageChoices),
                                       [&](const auto& choice) { return EqualNoCase(choice.first, key); });
        const bool carried = page == std::end(kPageChoices) || printed_.Printed(page->second);
        return RelayFlag(value) && carried ? "Yes" : "No";
    }
    std::string shown;
    for (const auto& item : ListItems(key, value)) {
        std::string text(Trim(item));
        if (text.empty()) continue;
        for (const auto& code : keyCodes_) {
            if (EqualNoCase(code.Key, key) && EqualNoCase(code.Code, text)) {
                text = code.Text;
                break;
            }
        }
        if (!shown.empty()) shown += ", ";
        shown += text;
    }
    return context_.print.Shortened(shown, kLongestValue);
}

void PrintClientInformation(PageContext& context, const PrintedSections& printed) {
    PageFrame& frame = context.print.Frame();
    BeginSection(context.print);
    StartOnFreshPage(context.print);
    const std::int16_t startPage = frame.GlobalPage();
    ClientInputPage page(context, printed);
    page.SetINIPathname(context.startDirectory);
    page.SetINIFilename("relay.ini");
    page.SetCAPPathName(context.programFolder);
    page.SetCAPFileName("Quoravel.ini");
    page.start();
    page.finish();
    frame.AddWinFlexNode(startPage, frame.GlobalPage(), "Client Information");
}

}  // namespace quoravel
