#include <cups/cups.h>
#include <unistd.h>

#include <QApplication>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "PngOutput.h"
#include "PreviewWindow.h"
#include "PrintSurface.h"
#include "Printing.h"
#include "ProgramRun.h"
#include "VsvFile.h"
#include "WindowTest.h"

namespace quoravel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kRefusedJob = "Error printing or viewing! Can't start print job...";
const std::string kNoPrinterAccess = "Error printing or viewing! Can't access printer...";

// A two-page proposal, each page reading "Proposal page n" in large print,
// the second lower down, so that the pages tell apart as pictures too.
Document TwoPages() {
    PrintSurface surface;
    surface.StartDoc();
    surface.SetFontSize(40);
    surface.Paragraph("Proposal page 1");
    surface.NewPage();
    for (int line = 0; line < 6; ++line) surface.Paragraph("");
    surface.Paragraph("Proposal page 2");
    surface.EndDoc();
    return surface.GetDocument();
}

// How far apart two page pictures are: the mean difference of their grey levels.
double Distance(const QImage& one, const QImage& other) {
    const QImage a = one.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = other.scaled(a.size()).convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) sum += std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]);
    return sum / (a.width() * a.height());
}

// Points this thread's print service, which Qt's printer support asks, at
// `server` (a socket) while it lives.
struct PrintServiceAt {
    explicit PrintServiceAt(const std::string& server) { cupsSetServer(server.c_str()); }
    ~PrintServiceAt() { cupsSetServer(nullptr); }
};

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::seconds limit) {
    for (const auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
        if (condition()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

using PrintingTest = WindowTest;

// Without any printer the platform's dialog would offer only a file, which Enter writes unasked: the broker
// is told instead and no dialog opens. The job is named after the proposal: the title the window was
// given, else its first section's.
TEST_F(PrintingTest, WithoutAnyPrinterTheBrokerIsToldAndTheJobCarriesTheProposalsTitle) {
    const PrintServiceAt nowhere("/nonexistent/quoravel-print.sock");
    TempFolder relay;
    const Document document = TwoPages();
    for (int page = 1; page <= 2; ++page)
        SaveVsv(document, page, page, relay.folder() + "page" + std::to_string(page) + ".vsv");
    relay.Write("Relay.out", "[EMF]\r\nFile=" + relay.folder() + "page(2).emf\r\n1File=" + relay.folder() +
                                 "page(1,2).emf\xFD" + "Basic Quotation\xFDU\xFDL\r\n");
    PreviewWindow preview{context};
    ASSERT_TRUE(preview.Load(relay.folder()));
    // A dialog that opens is closed, lest the test wait on it.
    int dialogsOpened = 0;
    QTimer broker;
    QObject::connect(&broker, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialogsOpened += dialog != nullptr;
        if (dialog) dialog->close();
    });
    broker.start(300);
    QAction* print = preview.findChild<QAction*>("actPrint");
    print->trigger();
    EXPECT_EQ(dialogsOpened, 0);
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.LastText().rfind(kNoPrinterAccess, 0), 0U) << dialogs.LastText();
    EXPECT_NE(dialogs.LastText().find("No printer"), std::string::npos) << dialogs.LastText();

    QString job;
    preview.choosePrinter = [&](QPrinter& printer, QWidget*) {
        job = printer.docName();
        printer.setOutputFileName(QString::fromStdString(relay.folder() + "printed.pdf"));
        return true;
    };
    print->trigger();
    EXPECT_EQ(job, "Basic Quotation");
    preview.SetDocumentTitle("Brellan 10\u00AE \u2014 Ann Lee");
    print->trigger();
    EXPECT_EQ(job, "Brellan 10\u00AE \u2014 Ann Lee");
    EXPECT_EQ(dialogs.shown.size(), 1U) << dialogs.LastText();
}

// A print service of the test's own with a PDF printer, where the machine lets
// one be started (as root, with CUPS and its PDF printer installed).
class RealPrinterTest : public WindowTest {
protected:
    void SetUp() override {
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin"});
        if (geteuid() != 0 || cupsd.isEmpty() || !fs::exists(kBackend) || !fs::exists(kPpd) ||
            QStandardPaths::findExecutable("lpadmin").isEmpty())
            GTEST_SKIP() << "A print service cannot be started here (needs root, cupsd and cups-pdf).";
        // The service's filters run as its own user, which must reach the folder.
        fs::permissions(service.path(), static_cast<fs::perms>(0755));
        fs::create_directories(service.path() / "tmp");
        fs::permissions(service.path() / "tmp", static_cast<fs::perms>(01777));
        const std::string at = service.folder();
        socket = at + "cups.sock";
        service.Write("cupsd.conf", "Listen " + socket +
                                        "\nBrowsing No\nWebInterface No\n<Policy default>\n<Limit All>\n"
                                        "Order deny,allow\n</Limit>\n</Policy>\n");
        service.Write("cups-files.conf", "ServerRoot " + at + "\nRequestRoot " + at + "spool\nCacheDir " +
                                             at + "cache\nStateDir " + at + "state\nTempDir " + at +
                                             "tmp\nErrorLog " + at + "log\nAccessLog " + at +
                                             "log\nPageLog " + at + "log\nPrintcap " + at + "printcap\n");
        daemon.start(cupsd, {"-f", "-c", Q(at + "cupsd.conf"), "-s", Q(at + "cups-files.conf")});
        if (!WaitFor([&] { return Lp({"lpstat", "-r"}).out.rfind("scheduler is running", 0) == 0; }, 10s))
            GTEST_SKIP() << "cupsd did not start here.";

        // The PDF printer writes into the test's folder, under a name of its own.
        const std::string suffix = "quoravel-test-" + std::to_string(getpid());
        printerSettings = "/etc/cups/cups-pdf-" + suffix + ".conf";
        std::ofstream(printerSettings) << "Out " << at << "\nLog " << at << "\n";
        const ProgramResult added =
            Lp({"lpadmin", "-p", kQueue, "-E", "-v", "cups-pdf:/" + suffix, "-P", kPpd});
        ASSERT_EQ(added.exitCode, 0) << added.err;
        program.Write("TVRN.ini", "[All Companies]\r\nDevice=" + std::string(kQueue) + "\r\n");
        server.emplace(socket);
    }

    void TearDown() override {
        server.reset();
        daemon.terminate();  // nothing when the service never started
        if (!daemon.waitForFinished(5000)) daemon.kill();
        daemon.waitForFinished(5000);
        if (!printerSettings.empty()) fs::remove(printerSettings);
    }

    static QString Q(const std::string& text) { return QString::fromStdString(text); }
    // A CUPS command run against the test's service.
    ProgramResult Lp(std::vector<std::string> command) const {
        command.insert(command.begin() + 1, {"-h", socket});
        return RunProgram(command);
    }
    // Every job the service was given, finished or not.
    std::size_t Jobs() const {
        const std::string listed = Lp({"lpstat", "-W", "all", "-o", kQueue}).out;
        return static_cast<std::size_t>(std::count(listed.begin(), listed.end(), '\n'));
    }
    bool Print(const Document& document) {
        return PrintProposal(nullptr, document, program.folder(), dialogs, [](QPrinter&, QWidget*) {
            return true;  // Enter on the dialog: the proposal printer as it stands
        });
    }

    static constexpr const char* kQueue = "QuoravelPDF";
    static constexpr const char* kBackend = "/usr/lib/cups/backend/cups-pdf";
    static constexpr const char* kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
    TempFolder service;
    std::string socket;
    std::string printerSettings;
    QProcess daemon;
    std::optional<PrintServiceAt> server;
};

// Accepted, the pages come out of the printer under the proposal's name;
// refused or stopped, the broker is told and the service holds no job.
TEST_F(RealPrinterTest, APrinterThatTakesTheJobPrintsItOneThatRefusesItIsReported) {
    Document document = TwoPages();
    document.info.title = "Basic Quotation - Ann Lee";
    ASSERT_TRUE(Print(document)) << dialogs.LastText();
    // The PDF printer's file, once whole: both pages, under the proposal's name.
    fs::path printed;
    const auto whole = [&] {
        for (const auto& entry : fs::directory_iterator(service.path()))
            if (entry.path().extension() == ".pdf") printed = entry.path();
        return !printed.empty() &&
               RunProgram({"pdfinfo", printed.string()}).out.find("Pages:           2") != std::string::npos;
    };
    ASSERT_TRUE(WaitFor(whole, 60s));
    EXPECT_NE(printed.filename().string().find("Basic_Quotation_-_Ann_Lee"), std::string::npos) << printed;
    // The text does not survive the PDF printer's conversions; the picture of its first page must.
    const std::string first = service.folder() + "first";
    RunProgram(
        {"pdftoppm", "-f", "1", "-l", "1", "-r", "20", "-gray", "-singlefile", printed.string(), first});
    const QImage firstPage(Q(first + ".pgm"));
    EXPECT_LT(Distance(firstPage, PageImage(document.pages[0], document, 20)) * 3,
              Distance(firstPage, PageImage(document.pages[1], document, 20)));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.LastText();

    for (const auto& [command, message, details] :
         std::initializer_list<std::tuple<std::vector<std::string>, std::string, std::string>>{
             {{"cupsreject", kQueue}, kRefusedJob, "does not accept print jobs"},
             {{"cupsdisable", kQueue}, kNoPrinterAccess, "is stopped (paused)"}}) {
        ASSERT_EQ(Lp({"cupsaccept", kQueue}).exitCode, 0);
        ASSERT_EQ(Lp(command).exitCode, 0);
        dialogs.shown.clear();
        EXPECT_FALSE(Print(document));
        ASSERT_EQ(dialogs.shown.size(), 1U) << command.front();
        EXPECT_EQ(dialogs.LastText().rfind(message, 0), 0U) << dialogs.LastText();
        EXPECT_NE(dialogs.LastText().find(details), std::string::npos) << dialogs.LastText();
        EXPECT_EQ(Jobs(), 1U) << command.front();
    }

    // A job the service turns away tells why, though the queue looked ready when asked.
    ASSERT_EQ(Lp({"cupsenable", kQueue}).exitCode, 0);
    ASSERT_EQ(Lp({"cupsreject", kQueue}).exitCode, 0);
    QPrinter printer;
    printer.setPrinterName(kQueue);
    EXPECT_NE(Raised([&] { PrintDocument(document, printer); }).find("not accepting jobs"),
              std::string::npos);
    EXPECT_EQ(Jobs(), 1U);
}

}  // namespace
}  // namespace quoravel
