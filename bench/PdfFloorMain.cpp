// bench_pdf_floor: the least a relay run can cost — start Qt without a
// display, lay out one page of text and write it as PDF. relay_bench.sh sets
// the relay run against it.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "PdfOutput.h"
#include "PrintSurface.h"
#include "RuntimeError.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: bench_pdf_floor OUTPUT.pdf\n";
        return 2;
    }
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    quoravel::PrintSurface surface;
    surface.StartDoc();
    surface.SetFontName("Liberation Sans");
    surface.SetFontSize(12);
    surface.Paragraph("Guaranteed Annual Premiums");
    surface.SetFontSize(8);
    for (int year = 1; year <= 20; ++year)
        surface.Paragraph("Year " + std::to_string(year) + "    $1,400.00    $1,765.00");
    surface.EndDoc();
    try {
        quoravel::WritePdf(surface.GetDocument(), argv[1]);
    } catch (const quoravel::RuntimeError& error) {
        std::cerr << "bench_pdf_floor: " << error.Description() << "\n";
        return 1;
    }
    return 0;
}
