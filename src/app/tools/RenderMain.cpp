// quoravel-render: draws page files (.vsv) as PNG images or one PDF, so a
// developer can look at the pages a run exported.
#include <QGuiApplication>
#include <QtGlobal>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "PageRenderer.h"
#include "PdfOutput.h"
#include "PngOutput.h"
#include "PrivateRuntimeFolder.h"
#include "RuntimeError.h"
#include "VsvFile.h"

namespace fs = std::filesystem;
using namespace quoravel;

namespace {

// The second form on an "or:" line, as help2man reads a synopsis.
constexpr const char* kUsage =
    "Usage: quoravel-render page1.vsv [page2.vsv ...] [--png FOLDER [--dpi 96]] [--pdf FILE]\n"
    "  or:  quoravel-render --help | --version\n"
    "\n"
    "Joins the page files in the order given and writes each page as\n"
    "FOLDER/page<N>.png (N from 1), or all of them as one PDF file, or both.\n"
    "  --png FOLDER   write each page as a PNG image into FOLDER\n"
    "  --dpi N        the resolution of the PNG images (default 96)\n"
    "  --pdf FILE     write all the pages as one PDF file\n"
    "  --version      print the version\n"
    "  --help         print this help\n";

struct Arguments {
    std::vector<std::string> pageFiles;
    std::string pngFolder;
    std::string pdfFile;
    double dpi = 96;
};

bool Parse(const std::vector<std::string>& args, Arguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--png" && hasValue) {
            parsed.pngFolder = args[++i];
        } else if (arg == "--pdf" && hasValue) {
            parsed.pdfFile = args[++i];
        } else if (arg == "--dpi" && hasValue) {
            // Read as a plain decimal whatever the locale (Qt takes the environment's).
            const std::string& value = args[++i];
            const auto read = std::from_chars(value.data(), value.data() + value.size(), parsed.dpi);
            if (value.empty() || read.ec != std::errc() || read.ptr != value.data() + value.size()) {
                std::cerr << "quoravel-render: --dpi takes a number, not \"" << value << "\".\n";
                return false;
            }
        } else if (arg.starts_with("--")) {
            std::cerr << "quoravel-render: " << arg << " is not understood here (or lacks its value).\n";
            return false;
        } else {
            parsed.pageFiles.push_back(arg);
        }
    }
    if (parsed.pageFiles.empty() || (parsed.pngFolder.empty() && parsed.pdfFile.empty())) {
        std::cerr << kUsage;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so they print nothing else and need no fonts.
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "quoravel-render " << QUORAVEL_VERSION_MAJOR << "." << QUORAVEL_VERSION_MINOR << "\n";
        return 0;
    }
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // Pages are drawn without a window: no display is needed.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    const quoravel::PrivateRuntimeFolder runtime;  // as quiet as a relay run
    QGuiApplication application(argc, argv);
    Arguments parsed;
    if (!Parse(std::vector<std::string>(argv + 1, argv + argc), parsed)) return 1;
    for (const char* family : {"Liberation Sans", "Liberation Serif"}) {
        if (!FontInstalled(family))
            std::cerr << "quoravel-render: warning: the font " << family << " is not installed.\n";
    }
    try {
        Document document;
        for (const auto& file : parsed.pageFiles) AppendVsv(document, file);
        if (!parsed.pngFolder.empty()) {
            std::error_code ec;
            fs::create_directories(parsed.pngFolder, ec);
            for (std::size_t i = 0; i < document.pages.size(); ++i) {
                const fs::path file = fs::path(parsed.pngFolder) / ("page" + std::to_string(i + 1) + ".png");
                WritePng(document.pages[i], document, parsed.dpi, file.string());
            }
        }
        if (!parsed.pdfFile.empty()) WritePdf(document, parsed.pdfFile);
        std::cout << document.pages.size() << " pages drawn.\n";
    } catch (const RuntimeError& e) {
        std::cerr << "quoravel-render: " << e.Description() << "\n";
        return 1;
    }
    return 0;
}
