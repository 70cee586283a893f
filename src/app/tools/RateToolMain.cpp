// quoravel-ratetool: the rate-file tool ("File Creator") on the command line.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "RateTool.h"

namespace fs = std::filesystem;
using namespace quoravel;

namespace {

void PrintUsage(std::ostream& out) {
    // Each further form on an "or:" line, as help2man reads a synopsis.
    out << "Usage: quoravel-ratetool --type TYPE --prefix P --rate-type L --input DIR [OPTION]...\n"
           "  or:  quoravel-ratetool --convert OLD NEW\n"
           "  or:  quoravel-ratetool --dump FILE --layout NAME [--output TEXT]\n"
           "  or:  quoravel-ratetool --from-dump TEXT --output FILE\n"
           "  or:  quoravel-ratetool --help [--type TYPE] | --version\n"
           "\n"
           "Builds binary rate files from rate tables, converts old level files, and\n"
           "dumps any rate file to text or rebuilds it from that text.\n"
           "  --type TYPE          the rate type, by caption or number (below)\n"
           "  --prefix P           the rate prefix of the input tables, e.g. brl\n"
           "  --rate-type L        the rate type letter, e.g. g or c\n"
           "  --input DIR          the folder of the input tables\n"
           "  --product-years N    the term in the names of the YRT tables\n"
           "  --input-file F       one file of the Brellan 1 input set, e.g. brellan1.txt\n"
           "  --output FILE        the file written (default: the type's file in this folder)\n"
           "  --help [--type T]    print this help, or that of the rate type T\n"
           "  --version            print the version\n"
           "  --layout NAME        the layout of the file dumped:";
    for (const auto& layout : AllLayouts()) out << " " << layout.name;
    out << "\n\nRate types:\n";
    std::string_view group;
    for (const auto& type : RateTypes()) {
        if (type.group != group) out << "  " << (group = type.group) << "\n";
        out << "    " << type.index << (type.index < 10 ? "   " : "  ") << type.caption;
        if (!type.exampleInput.empty()) {
            out << " (e.g. " << type.exampleInput << " -> " << type.defaultOutput << ")";
        }
        out << "\n";
    }
}

// The option values; --convert takes two.
struct Arguments {
    std::map<std::string, std::string> values;
    std::vector<std::string> convert;
    bool help = false;
    bool version = false;
};

bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    static const std::vector<std::string> kValued{"--type",          "--prefix",     "--rate-type", "--input",
                                                  "--product-years", "--input-file", "--output",    "--dump",
                                                  "--layout",        "--from-dump"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--version") {
            parsed.version = true;
        } else if (arg == "--convert" && i + 2 < args.size()) {
            parsed.convert = {args[i + 1], args[i + 2]};
            i += 2;
        } else if (std::find(kValued.begin(), kValued.end(), arg) != kValued.end() && i + 1 < args.size()) {
            parsed.values[arg] = args[++i];
        } else {
            std::cerr << "quoravel-ratetool: " << arg << " is not understood here (or lacks its value).\n";
            return false;
        }
    }
    return true;
}

std::string OptionValue(const Arguments& parsed, const std::string& name) {
    const auto it = parsed.values.find(name);
    return it == parsed.values.end() ? std::string() : it->second;
}

std::string HelpText(const RateType& type) {
    std::string text = RateTypeHelpText(type);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
}

std::string Create(const Arguments& parsed, const RateType& type, ErrorLog& errors) {
    RateToolInputs inputs{OptionValue(parsed, "--prefix"),        OptionValue(parsed, "--rate-type"),
                          OptionValue(parsed, "--product-years"), OptionValue(parsed, "--input"),
                          OptionValue(parsed, "--input-file"),    OptionValue(parsed, "--output")};
    if (inputs.outputFile.empty()) inputs.outputFile = type.defaultOutput;
    if (!HasNeededInputs(type, inputs)) {
        std::cerr << "quoravel-ratetool: " << kMissingInputsMessage << "\n";
        return {};
    }
    return CreateRateFile(type, inputs, errors);
}

std::string Dump(const Arguments& parsed, ErrorLog& errors) {
    const fs::path rateFile = OptionValue(parsed, "--dump");
    const RateLayout* layout = LayoutNamed(OptionValue(parsed, "--layout"));
    if (!layout) {
        std::cerr << "quoravel-ratetool: --dump needs --layout with one of the layout names (see --help).\n";
        return {};
    }
    fs::path textFile = OptionValue(parsed, "--output");
    if (textFile.empty()) textFile = rateFile.parent_path() / (rateFile.stem().string() + "Dump.txt");
    return DumpRateFile(rateFile, *layout, textFile, errors);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Arguments parsed;
    if (!Parse(args, parsed)) return 1;
    if (parsed.version) {
        std::cout << "quoravel-ratetool " << QUORAVEL_VERSION_MAJOR << "." << QUORAVEL_VERSION_MINOR << "\n";
        return 0;
    }
    const std::string typeName = OptionValue(parsed, "--type");
    const RateType* type = typeName.empty() ? nullptr : FindRateType(typeName);
    if (!typeName.empty() && !type) {
        std::cerr << "quoravel-ratetool: there is no rate type \"" << typeName << "\" (see --help).\n";
        return 1;
    }
    if (parsed.help || args.empty()) {
        if (type) {
            std::cout << type->caption << "\n\n" << HelpText(*type) << "\n";
        } else {
            PrintUsage(std::cout);
        }
        return 0;
    }

    ErrorLog errors;
    std::string message;
    if (!parsed.convert.empty()) {
        message = ConvertOldStyleRatesToNewStyle(parsed.convert[0], parsed.convert[1], errors);
    } else if (parsed.values.contains("--dump")) {
        message = Dump(parsed, errors);
    } else if (parsed.values.contains("--from-dump")) {
        if (OptionValue(parsed, "--output").empty()) {
            std::cerr << "quoravel-ratetool: --from-dump needs --output, the rate file to write.\n";
            return 1;
        }
        message =
            RebuildRateFile(OptionValue(parsed, "--from-dump"), OptionValue(parsed, "--output"), errors);
    } else if (type) {
        message = Create(parsed, *type, errors);
    } else {
        PrintUsage(std::cerr);
        return 1;
    }
    for (const auto& error : errors) {
        std::cerr << "quoravel-ratetool: " << error->Description << " (error " << error->Number << " in "
                  << error->ModuleName << "." << error->RoutineName << ")\n";
    }
    if (message.empty()) return 1;
    std::cout << message << "\n";
    return 0;
}
