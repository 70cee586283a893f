// The document outputs: a ten-page proposal written as PDF, and one page
// exported as the relay run exports each page (a metafile and a page file).
#include <benchmark/benchmark.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

#include "EmfOutput.h"
#include "FontMeasure.h"
#include "LedgerTable.h"
#include "PdfOutput.h"
#include "PrintSurface.h"
#include "ProposalPrinter.h"
#include "VsvFile.h"

using namespace quoravel;

namespace {

// Ten ledger-like pages: a heading, sixty cells of figures, rules and a box.
Document TenPages() {
    const FontStyle body{"Liberation Sans", 8};
    const FontStyle heading{"Liberation Sans", 12, true};
    const QFontMetricsF bodyMetrics(MakeQFont(body)), headingMetrics(MakeQFont(heading));
    auto text = [](const QFontMetricsF& metrics, const FontStyle& font, std::string s, double x, double y) {
        TextItem item{x, y, 0, std::move(s), font, {}};
        for (QChar c : QString::fromStdString(item.text))
            item.advances.push_back(metrics.horizontalAdvance(c));
        for (double advance : item.advances) item.width += advance;
        return item;
    };
    Document document;
    for (int p = 0; p < 10; ++p) {
        Page page;
        page.items.emplace_back(
            text(headingMetrics, heading, "Annual Premium Ledger, page " + std::to_string(p + 1), 700, 1800));
        for (int row = 0; row < 15; ++row) {
            const double y = 2600 + row * 240;
            page.items.emplace_back(text(bodyMetrics, body, std::to_string(row + 1), 900, y));
            for (int column = 0; column < 3; ++column) {
                page.items.emplace_back(text(bodyMetrics, body,
                                             "$" + std::to_string(1000 + 37 * row * (column + 1)) + ".00",
                                             2500 + 2000 * column, y));
            }
        }
        for (int rule = 0; rule < 4; ++rule)
            page.items.emplace_back(LineItem{700, 2300.0 + rule * 1200, 11520, 2300.0 + rule * 1200, 15});
        page.items.emplace_back(RectItem{700, 2200, 10820, 3900, 15, false});
        document.pages.push_back(std::move(page));
    }
    return document;
}

std::filesystem::path BenchFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

void BM_WritePdfTenPages(benchmark::State& state) {
    const Document document = TenPages();
    for (auto _ : state) WritePdf(document, BenchFile("quoravel-bench.pdf").string());
    std::filesystem::remove(BenchFile("quoravel-bench.pdf"));
}
BENCHMARK(BM_WritePdfTenPages)->Unit(benchmark::kMillisecond);

void BM_ExportOnePage(benchmark::State& state) {
    const Document document = TenPages();
    for (auto _ : state) {
        WriteEmf(document.pages[0], document, BenchFile("quoravel-bench.emf").string());
        SaveVsv(document, 1, 1, BenchFile("quoravel-bench.vsv").string());
    }
    std::filesystem::remove(BenchFile("quoravel-bench.emf"));
    std::filesystem::remove(BenchFile("quoravel-bench.vsv"));
}
BENCHMARK(BM_ExportOnePage)->Unit(benchmark::kMillisecond);

// A page object with no first-year block: the ledger's own pagination only.
class PlainLedgerPage : public LedgerPageHeader {
public:
    int PrintHeader(ProposalPrinter&, bool) override { return 0; }
    void PrintFooter(ProposalPrinter&, bool) override {}
};

// Laying out a two-page ledger of 40 years in four columns.
void BM_LayoutLedger(benchmark::State& state) {
    PlainLedgerPage page;
    int pages = 0;
    for (auto _ : state) {
        PrintSurface surface;
        ProposalPrinter print(surface);
        print.StartDoc(4);
        LedgerTable ledger;
        ledger.HeaderObject(page);
        ledger.Surface(surface);
        ledger.Frame(print.Frame());
        ledger.SetColumnCount(4);
        ledger.SetRowBlockLines(5);
        ledger.SetRowFormat({1, 1, 2, 2});
        ledger.start(print);
        ledger.AddHeaderRow(false, "+^", {"Guaranteed Annual Premiums"});
        ledger.AddHeaderRow(false, "+^", {"Year", "Age", "Brellan 10", "Brellan 20"});
        for (int year = 1; year <= 40; ++year) {
            ledger.AddRowValues({std::to_string(year), std::to_string(44 + year), "$1,400.00", "$1,765.00"});
        }
        ledger.finish();
        surface.EndDoc();
        pages = surface.PageCount();
    }
    if (pages != 3) state.SkipWithError("the ledger did not take two pages after the first");
}
BENCHMARK(BM_LayoutLedger)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, which needs no display here.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
