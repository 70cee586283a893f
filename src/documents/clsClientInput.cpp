#include "clsClientInput.h"

#include "PrintSurface.h"
#include "SectionPage.h"
#include "Text.h"
#include "TextFile.h"
#include "clsINIFile.h"

namespace quoravel {
namespace {

constexpr const char* kIdentifiers = "Identifiers";
constexpr const char* kKeyCodes = "KeyCodes";
constexpr const char* kHeadings = "Sections";
constexpr const char* kCorrectionsHeading = "Corrections";

// Characters 252 and 253 of the relay files' code page separate list items.
constexpr std::string_view kListSeparators[] = {"\u00FC", "\u00FD"};

clsINIFile SettingsFile(const std::string& path, const std::string& name, const std::string& section) {
    clsINIFile file;
    file.SetPathname(path);
    file.SetFilename(name);
    file.SetSection(section);
    return file;
}

std::string TextOf(const clsINIFile& file, const std::string& key) {
    return file.ReadINI(key, clsINIFile::Text).Text();
}

std::vector<std::string> ListItems(const std::string& value) {
    std::vector<std::string> items;
    std::string item;
    for (std::size_t i = 0; i < value.size();) {
        bool separator = false;
        for (std::string_view mark : kListSeparators) {
            if (value.compare(i, mark.size(), mark) == 0) {
                separator = true;
                i += mark.size();
                break;
            }
        }
        if (separator) {
            items.push_back(std::move(item));
            item.clear();
        } else {
            item += value[i++];
        }
    }
    items.push_back(std::move(item));
    return items;
}

std::vector<KeyCode> ReadKeyCodes(clsINIFile caption) {
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

void clsClientInput::SetINIPathname(std::string path) { iniPath_ = WithTrailingSeparator(std::move(path)); }
void clsClientInput::SetUPDPathName(std::string path) { updPath_ = WithTrailingSeparator(std::move(path)); }
void clsClientInput::SetCAPPathName(std::string path) { capPath_ = WithTrailingSeparator(std::move(path)); }

void clsClientInput::Bind() {
    self_ = std::make_shared<clsClientInput*>(this);
    context_.print.printHandle().AddNewPageHandler([page = std::weak_ptr<clsClientInput*>(self_)] {
        if (auto alive = page.lock()) (*alive)->context_.print.printBodyHeader();
    });
}

void clsClientInput::start() {
    clsPrint& print = context_.print;
    keyCodes_ = ReadKeyCodes(SettingsFile(capPath_, capName_, kIdentifiers));
    Bind();
    const int pages = print.printHandle().PageCount();
    StartOnFreshPage(print);
    if (print.printHandle().PageCount() == pages) print.printBodyHeader();

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

    const int printed = PrintSections(iniPath_, iniName_, "", 0);
    PrintSections(updPath_, updName_, kCorrectionsHeading, printed);
}

void clsClientInput::finish() {
    context_.print.SetTableSep(savedTableSep_);
    self_.reset();
}

int clsClientInput::PrintSections(const std::string& path, const std::string& name,
                                  const std::string& headingKey, int printed) {
    clsPrint& print = context_.print;
    const clsINIFile headings = SettingsFile(capPath_, capName_, kHeadings);
    clsINIFile input = SettingsFile(path, name, kIdentifiers);
    for (const auto& section : input.Sections()) {
        if (EqualNoCase(section, kKeyCodes)) continue;
        input.SetSection(section);
        const clsINIFile captions = SettingsFile(capPath_, capName_, section);

        std::string heading = TextOf(headings, headingKey.empty() ? section : headingKey);
        if (heading.empty()) heading = section;
        if (printed++ > 0) print.Paragraph("");
        print.SetFontSize(10);
        print.SetTableBorder(0);
        print.SetFontBold(true);
        print.addTable("<+10800", "", heading);
        print.SetFontBold(false);

        std::string rows;
        for (const auto& key : input.Keys()) {
            const std::string value = TextOf(input, key);
            const std::string caption = TextOf(captions, key);
            if (value.empty() || value == "0" || caption.empty()) continue;
            if (!rows.empty()) rows += '`';
            rows += caption + "|" + ShownValue(key, value);
        }
        if (!rows.empty()) print.addTable("<+3500|<+7300", "", rows);
    }
    return printed;
}

// Each item of a list is decoded on its own; a code the table does not know
// is shown as it came.
std::string clsClientInput::ShownValue(const std::string& key, const std::string& value) const {
    std::string shown;
    for (const auto& item : ListItems(value)) {
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
    return shown;
}

void PrintClientInformation(PageContext& context) {
    clsPrintFrame& frame = context.print.frameHandle();
    StartOnFreshPage(context.print);
    const std::int16_t startPage = frame.getGlobalpage();
    clsClientInput page(context);
    page.SetINIPathname(context.startDirectory);
    page.SetINIFilename("relay.ini");
    page.SetUPDPathName(context.startDirectory);
    page.SetUPDFileName("relay.upd");
    page.SetCAPPathName(context.programFolder);
    page.SetCAPFileName("Quoravel.ini");
    page.start();
    page.finish();
    frame.addWinFlexNode(startPage, frame.getGlobalpage(), "Client Information");
}

}  // namespace quoravel
