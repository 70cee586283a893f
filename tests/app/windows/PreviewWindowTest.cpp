#include <QPrinter>
#include <QTreeWidget>

#include "PreviewWindow.h"
#include "PrintSurface.h"
#include "ProgramRun.h"
#include "VsvFile.h"
#include "WindowTest.h"

namespace quoravel {
namespace {

const std::string kMark = "\xFD";  // parts a section entry of the relay answer, as on disk

class PreviewWindowTest : public WindowTest {
protected:
    PreviewWindowTest() { window.resize(1000, 760); }

    // Page files of `pages` pages, each reading "Sample page n", and a relay
    // answer naming them with the section entries given.
    void WritePages(int pages, const std::vector<std::string>& sections = {}) {
        PrintSurface surface;
        surface.StartDoc();
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) surface.NewPage();
            surface.Paragraph("Sample page " + std::to_string(page));
        }
        surface.EndDoc();
        for (int page = 1; page <= pages; ++page)
            SaveVsv(surface.GetDocument(), page, page,
                    (relay.path() / ("page" + std::to_string(page) + ".vsv")).string());
        std::string answer =
            "[EMF]\r\nFile=" + relay.folder() + "page(" + std::to_string(pages) + ").emf\r\n";
        for (std::size_t i = 0; i < sections.size(); ++i)
            answer += std::to_string(i + 1) + "File=" + sections[i] + "\r\n";
        relay.Write("Relay.out", answer);
    }
    std::string Section(const std::string& range, const std::string& title) const {
        return relay.folder() + "page(" + range + ").emf" + kMark + title + kMark + "U" + kMark + "L";
    }

    QAction* Button(const char* name) { return window.findChild<QAction*>(name); }
    QString PageLabel() { return window.findChild<QLabel*>("lblPage")->text(); }
    void Click(QTreeWidgetItem* node) {
        QTreeWidget* tree = window.Tree();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }

    TempFolder relay;
    PreviewWindow window{context};
};

TEST_F(PreviewWindowTest, SectionsOfTheRelayAnswerMakeTheTreeAndClickingOneShowsItsFirstPage) {
    WritePages(5, {Section("1,3", "Basic Quotation"), Section("4,5", "Class Comparison")});
    window.show();
    ASSERT_TRUE(window.Load(relay.folder()));
    ASSERT_EQ(window.Tree()->topLevelItemCount(), 1);
    const QTreeWidgetItem* root = window.Tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Illustration Tree");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "Basic Quotation");
    QTreeWidgetItem* comparison = root->child(1);
    EXPECT_EQ(comparison->text(0), "Class Comparison");
    ASSERT_EQ(comparison->childCount(), 2);

    Click(comparison);
    EXPECT_EQ(window.CurrentPage(), 4);
    EXPECT_EQ(PageLabel(), "Page 4 of 5");
    Click(root->child(0)->child(1));
    EXPECT_EQ(window.CurrentPage(), 2);
    EXPECT_EQ(window.Tree()->currentItem(), root->child(0)->child(1));
}

// Without sections the answer is one section of all pages; the printer, chosen as a PDF file here, gets them.
TEST_F(PreviewWindowTest, AnAnswerWithoutSectionsGivesOneSectionOfAllPagesAndPrintsThem) {
    WritePages(3);
    ASSERT_TRUE(window.Load(relay.path().string()));
    const QTreeWidgetItem* root = window.Tree()->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(root->child(0)->text(0), "QRN Term Illustration");
    EXPECT_EQ(root->child(0)->childCount(), 3);

    // A section reaching past the pages keeps those there are; one that cannot be read adds nothing.
    window.AddTreeNodes("2,9", "Past the end");
    window.AddTreeNodes("x,2", "Unreadable");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(1)->childCount(), 2);

    const std::string printed = (relay.path() / "printed.pdf").string();
    window.choosePrinter = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFileName(QString::fromStdString(printed));
        return true;
    };
    Button("actPrint")->trigger();
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.LastText();
    EXPECT_NE(RunProgram({"pdftotext", printed, "-"}).out.find("Sample page 3"), std::string::npos);
}

// Each button press is a step of 25%, between 10% and 400%; at a limit its button is off.
TEST_F(PreviewWindowTest, ZoomButtonsStopAtTheLimits) {
    WritePages(5);
    ASSERT_TRUE(window.Load(relay.folder()));
    for (int step = 0; step < 40 && Button("actZoomIn")->isEnabled(); ++step) Button("actZoomIn")->trigger();
    EXPECT_EQ(window.Zoom(), 400);
    EXPECT_FALSE(Button("actZoomIn")->isEnabled());
    Button("actZoomOut")->trigger();
    EXPECT_EQ(window.Zoom(), 375);
    for (int step = 0; step < 40 && Button("actZoomOut")->isEnabled(); ++step)
        Button("actZoomOut")->trigger();
    EXPECT_EQ(window.Zoom(), 10);
}

TEST_F(PreviewWindowTest, MissingOrDamagedPageFilesAreReportedAndNothingIsShown) {
    WritePages(3);
    std::filesystem::remove(relay.path() / "page2.vsv");
    EXPECT_FALSE(window.Load(relay.folder()));
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.LastText().rfind("Error printing or viewing! Can't open file...", 0), 0U)
        << dialogs.LastText();
    EXPECT_NE(dialogs.LastText().find("page2.vsv"), std::string::npos) << dialogs.LastText();

    relay.Write("page2.vsv", "not a page file");
    EXPECT_FALSE(window.Load(relay.folder()));
    EXPECT_NE(dialogs.LastText().find("damaged"), std::string::npos) << dialogs.LastText();

    std::filesystem::remove(relay.path() / "Relay.out");
    EXPECT_FALSE(window.Load(relay.folder()));
    EXPECT_EQ(dialogs.shown.size(), 3U);

    EXPECT_EQ(window.Tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(Button("actPrint")->isEnabled());
    window.ShowPage(3);  // nothing to show and nothing to tell
    EXPECT_EQ(window.CurrentPage(), 0);
    EXPECT_EQ(PageLabel(), "");
}

}  // namespace
}  // namespace quoravel
