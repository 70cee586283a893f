#include "PreviewWindow.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <charconv>

#include "IniFile.h"
#include "PageView.h"
#include "RuntimeError.h"
#include "TextFile.h"
#include "VsvFile.h"
#include "ui_PreviewWindow.h"

namespace quoravel {
namespace {

constexpr int kKeyRole = Qt::UserRole;
const QString kTreeHint = "Click the desired page in the tree to jump to that page";
const QString kPreviewHint = "Double-click illustration to zoom in, double right-click to zoom out";
// Character 253 parts the file, the title and the end marker of a section entry.
const std::string kMark = "\u00FD";
const std::string kEndMark = kMark + "U" + kMark + "L";

// The text between the last "(" and the ")" after it: "1,4" of ".../page(1,4).emf".
std::string InParentheses(const std::string& file) {
    const auto open = file.rfind('(');
    if (open == std::string::npos) return {};
    const auto close = file.find(')', open);
    return close == std::string::npos ? std::string() : file.substr(open + 1, close - open - 1);
}

int WholeNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() ? number : -1;
}

// The page a tree node shows: "P7" page 7, a section "5Parent" its first page 5.
int PageOfKey(const QString& key) {
    if (key.startsWith('P')) return key.mid(1).toInt();
    if (key.endsWith("Parent")) return key.chopped(6).toInt();
    return 0;
}

}  // namespace

PreviewWindow::PreviewWindow(WindowContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::PreviewWindow>()) {
    ui_->setupUi(this);
    hint_ = new QLabel(this);
    hint_->setObjectName("lblHint");
    statusBar()->addWidget(hint_, 1);
    ui_->splMain->setStretchFactor(1, 1);
    ui_->splMain->setSizes({280, 820});
    ui_->navBar->SetVPControl(ui_->pgvPreview);
    ui_->pgvPreview->SetDocument(&document_);
    ui_->tvwIllustration->installEventFilter(this);
    ui_->pgvPreview->installEventFilter(this);

    connect(ui_->actPrint, &QAction::triggered, this, [this] {
        PrintProposal(this, document_, context_.process.ProgramFolder, context_.dialogs, choosePrinter);
    });
    connect(ui_->actClose, &QAction::triggered, this, &QWidget::close);
    connect(ui_->actZoomIn, &QAction::triggered, ui_->pgvPreview, &PageView::ZoomIn);
    connect(ui_->actZoomOut, &QAction::triggered, ui_->pgvPreview, &PageView::ZoomOut);
    connect(ui_->pgvPreview, &PageView::zoomChanged, this, &PreviewWindow::UpdateCommands);
    connect(ui_->pgvPreview, &PageView::pageChanged, this, &PreviewWindow::SelectPageNode);
    connect(ui_->tvwIllustration, &QTreeWidget::itemClicked, this, &PreviewWindow::NodeChosen);
    connect(ui_->tvwIllustration, &QTreeWidget::currentItemChanged, this, &PreviewWindow::NodeChosen);
    UpdateCommands();
}

PreviewWindow::~PreviewWindow() = default;

QTreeWidget* PreviewWindow::Tree() const { return ui_->tvwIllustration; }
PageView* PreviewWindow::View() const { return ui_->pgvPreview; }
int PreviewWindow::CurrentPage() const { return ui_->pgvPreview->CurrentPage(); }
double PreviewWindow::Zoom() const { return ui_->pgvPreview->Zoom(); }

bool PreviewWindow::Load(const std::string& relayFolder) {
    const std::string folder = WithTrailingSeparator(relayFolder);
    Document loaded;
    std::vector<std::string> entries;
    try {
        IniFile answer;
        answer.SetPathname(folder);
        answer.SetFilename("relay.out");
        answer.SetSection("EMF");
        answer.HoldInMemory();
        const int count = WholeNumber(InParentheses(answer.ReadINI("File", IniFile::Text).Text()));
        if (count <= 0) {
            throw RuntimeError(ErrorNumber::FileNotFound, "frmPrint",
                               "The relay answer " + answer.FullPath() + " names no page files.");
        }
        for (int page = 1; page <= count; ++page)
            AppendVsv(loaded, folder + "page" + std::to_string(page) + ".vsv");
        // Section entries are numbered from 1; the first ten decide whether there are any.
        for (int i = 1; i <= 99 && !(entries.empty() && i > 10); ++i) {
            std::string entry = answer.ReadINI(std::to_string(i) + "file", IniFile::Text).Text();
            if (!entry.empty()) entries.push_back(std::move(entry));
        }
    } catch (const std::exception& error) {
        ShowPrintError(context_.dialogs, this, static_cast<int>(PrintError::CantOpenFile), error.what());
        return false;
    }

    document_ = std::move(loaded);
    ui_->tvwIllustration->clear();
    root_ = nullptr;
    pageNodes_.clear();
    ui_->pgvPreview->SetDocument(&document_);
    for (const std::string& entry : entries) {
        const NodeTitles node = ExtractTitles(entry);
        AddTreeNodes(node.range, node.title);
    }
    if (!root_) AddTreeNodes("1," + std::to_string(document_.pages.size()), "QRN Term Illustration");
    if (root_ && root_->childCount() > 0) SetDocumentTitle(root_->child(0)->text(0).toStdString());
    ShowPage(1);
    SelectPageNode();
    UpdateCommands();
    return true;
}

PreviewWindow::NodeTitles PreviewWindow::ExtractTitles(const std::string& entry) {
    const auto mark = entry.find(kMark);
    NodeTitles node;
    node.range = InParentheses(entry.substr(0, mark));
    if (mark != std::string::npos) {
        const std::string rest = entry.substr(mark + kMark.size());
        node.title = rest.substr(0, rest.find(kEndMark));
    }
    return node;
}

void PreviewWindow::AddTreeNodes(const std::string& range, const std::string& title) {
    const auto comma = range.find(',');
    if (comma == std::string::npos) return;
    const int start = WholeNumber(range.substr(0, comma));
    const int end = std::min(WholeNumber(range.substr(comma + 1)), static_cast<int>(document_.pages.size()));
    if (start < 1 || start > end) return;

    if (!root_) {
        root_ = new QTreeWidgetItem(ui_->tvwIllustration, QStringList("Illustration Tree"));
        root_->setData(0, kKeyRole, "Illustration Tree");
        root_->setExpanded(true);
    }
    auto* section = new QTreeWidgetItem(root_, QStringList(QString::fromStdString(title)));
    section->setData(0, kKeyRole, QString::number(start) + "Parent");
    for (int page = start; page <= end; ++page) {
        auto* node = new QTreeWidgetItem(section, QStringList("Page " + QString::number(page - start + 1)));
        node->setData(0, kKeyRole, "P" + QString::number(page));
        pageNodes_.emplace(page, node);  // a page in two sections is found under the first
    }
    section->setExpanded(true);
}

void PreviewWindow::ShowPage(int page) { ui_->pgvPreview->ShowPage(page); }

void PreviewWindow::NodeChosen(QTreeWidgetItem* node) {
    const int page = node ? PageOfKey(node->data(0, kKeyRole).toString()) : 0;
    if (page > 0) ShowPage(page);
}

// The tree follows the pages as they are turned, without turning them again.
void PreviewWindow::SelectPageNode() {
    const auto found = pageNodes_.find(CurrentPage());
    if (found == pageNodes_.end()) return;
    const QSignalBlocker quiet(ui_->tvwIllustration);
    ui_->tvwIllustration->setCurrentItem(found->second);
}

void PreviewWindow::UpdateCommands() {
    const bool pages = !document_.pages.empty();
    ui_->actPrint->setEnabled(pages);
    ui_->actZoomIn->setEnabled(pages && Zoom() < PageView::kZoomMax);
    ui_->actZoomOut->setEnabled(pages && Zoom() > PageView::kZoomMin);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        hint_->setText(watched == ui_->tvwIllustration ? kTreeHint : kPreviewHint);
    } else if (event->type() == QEvent::Leave) {
        hint_->clear();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quoravel
