#include "ProposalSetup.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "IniFile.h"
#include "ProductLookups.h"
#include "Rounding.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// The carrier banners by company (BRN, QNB, TVNY) stand in the top margin,
// ending where each carrier's layout wants them: the New York company's sits
// further left.
struct HeaderPicture {
    const char* file;
    std::int16_t rightEdge;
};
constexpr HeaderPicture kHeaderPictures[] = {
    {"CSMCLAIC.bmp", 10800},
    {"CSMCLICNY.bmp", 10000},
    {"125CLIC.bmp", 10800},
};
constexpr std::int16_t kHeaderPictureWidth = 1350;
constexpr std::int16_t kHeaderPictureTop = 275;
constexpr std::int16_t kHeaderPictureHeight = 250;

std::string ReadSetting(const std::string& folder, const std::string& file, const std::string& section,
                        const std::string& key) {
    IniFile settings;
    settings.SetPathname(folder);
    settings.SetFilename(file);
    settings.SetSection(section);
    return std::string(Trim(settings.ReadINI(key, IniFile::Text).Text()));
}

// The common files folder: the first XDG config folder holding "Talvern Assurance".
std::string CommonFilesFolder() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    const std::string list = dirs && *dirs ? dirs : "/etc/xdg";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string base = list.substr(start, end - start);
        if (!base.empty()) {
            const std::filesystem::path folder =
                ResolveFileName(std::filesystem::path(base) / "Talvern Assurance");
            std::error_code ignored;
            if (std::filesystem::is_directory(folder, ignored)) return WithTrailingSeparator(folder.string());
        }
        start = end + 1;
    }
    return "";
}

// The digits of "V1.0" or "V1.0w".
std::string VersionNumber(const std::string& versionText) {
    std::string number;
    for (const char c : versionText) {
        if ((c >= '0' && c <= '9') || c == '.') number += c;
    }
    return number;
}

std::string PolicyFormText(const ClientCase& client, bool usePriorRates) {
    const std::string form = client.PolicyForm(usePriorRates);
    const std::string second = client.PolicyForm2();
    // New Jersey proposals of the carrier with a second form cite both.
    if (client.State() == "NJ" && !second.empty())
        return " (Policy Form Nos. " + form + " et al and " + second + " et al)";
    return " (Policy Form No. " + form + " et al)";
}

}  // namespace

std::size_t CarrierIndex(std::int32_t company) {
    return company >= 0 && company <= 2 ? static_cast<std::size_t>(company) : 0;
}

std::string PrinterDeviceName(const std::string& programFolder) {
    std::string device = ReadSetting(programFolder, "TVRN.ini", "All Companies", "Device");
    if (device.empty()) {
        const std::string common = CommonFilesFolder();
        if (!common.empty()) device = ReadSetting(common, "TVRN.ini", "All Companies", "Device");
    }
    return device.empty() ? "PRINTER" : ToUpper(device);
}

std::string FooterVersionText(const ClientCase& client, const ProposalRun& run) {
    if (!run.RelayMode()) return "Quoravel®  - V" + VersionNumber(run.process.VersionText);
    std::string text = "WF" + client.State();
    for (const std::string& piece :
         {client.CompanyVersion(), client.SystemVersion(), run.process.VersionText}) {
        const std::string_view trimmed = Trim(piece);
        if (!trimmed.empty()) text += " " + std::string(trimmed);
    }
    return text;
}

std::string IllustrationTypeText(LedgerLayout layout) {
    switch (layout) {
        case LedgerLayout::BasicQuotation:
            return "Basic Quotation";
        case LedgerLayout::FaceComparison:
            return "Multiple Face Amount Comparison";
        case LedgerLayout::ProductComparison:
            return "Product Comparison";
        case LedgerLayout::ClassComparison:
            return "Class Comparison";
    }
    return "";
}

void SetUpProposal(PageContext& context, LedgerLayout layout) {
    ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();
    ProposalPrinter& print = context.print;
    PageFrame& frame = print.Frame();

    const std::int32_t product = options.ProdChoices().front();
    print.SetBodyHeaderProductName(layout == LedgerLayout::BasicQuotation
                                       ? GetProductName(product, false, options.Company())
                                       : "Quoravel® ");
    print.SetBodyHeaderPolicyFormNo(PolicyFormText(client, context.run.UsePriorRates));
    print.SetBodyHeaderProductDescription(options.ProductTypeTerminology(client.State()));
    print.SetBodyHeaderClientName(client.FullName());
    print.SetBodyHeaderClientAge(std::to_string(client.Age()));
    // Montana rates do not depend on sex, so its proposals do not state it.
    print.SetBodyHeaderClientSex(client.State() == "MT" ? "" : client.IsMale() ? "Male" : "Female");
    print.SetBodyHeaderClientClass(client.Classstring());
    print.SetBodyHeaderPolicyFaceAmount("$" + FormatAmount(options.GetFaceAmount(0), 0));
    print.SetBodyHeaderBrokerName(client.AssignedBroker().GetTitle());

    frame.SetFooterState(client.State().empty()
                             ? ""
                             : ReadSetting(context.programFolder, "states.ini", client.State(), "FullName"));
    frame.SetProgramFolder(context.programFolder);
    const HeaderPicture& picture = kHeaderPictures[CarrierIndex(options.Company())];
    const std::string picturePath =
        ResolveFileName(std::filesystem::path(context.programFolder) / picture.file).string();
    frame.SetHeaderGraphic(picturePath, kHeaderPictureWidth, picture.rightEdge, kHeaderPictureTop,
                           kHeaderPictureHeight, PageFrame::NoGraphic);
    frame.SetFooterVersion(FooterVersionText(client, context.run));
    frame.SetFooterIllusType(IllustrationTypeText(layout));
    frame.SetWinflexPath(context.startDirectory);
}

}  // namespace quoravel
