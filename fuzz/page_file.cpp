// The page-file (.vsv) reader, both versions: a damaged or truncated file is
// refused with an error, and a file it accepts saves (as version 2, each
// picture once) and loads back to the same pages.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "RuntimeError.h"
#include "VsvFile.h"

using namespace quoravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Document document;
    try {
        document = DecodeVsv({reinterpret_cast<const char*>(data), size}, "fuzz.vsv");
    } catch (const RuntimeError&) {
        return 0;  // a damaged page file is refused: no fault
    }
    const int pages = static_cast<int>(document.pages.size());
    if (pages == 0) return 0;
    const std::string saved = EncodeVsv(document, 1, pages);
    Document again;
    try {
        again = DecodeVsv(saved, "saved.vsv");
    } catch (const RuntimeError& error) {
        fuzz::Broken(std::string("a saved page file is refused: ") + error.what());
    }
    fuzz::Require(again == document, "a saved page file loads back other pages");
    fuzz::Require(EncodeVsv(again, 1, pages) == saved, "a saved page file does not save again the same");
    return 0;
}
