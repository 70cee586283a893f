#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>

#include "DisplayList.h"
#include "ProposalPrinting.h"
#include "WindowContext.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class PreviewWindow;
}

namespace quoravel {

class PageView;

// The preview of a finished proposal: the pages the run exported, reloaded
// from its relay folder, with a tree of the proposal's sections beside them.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PreviewWindow(WindowContext& context, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Loads the pages and sections the last run left in the relay folder
    // (its answer "relay.out" and page files page1.vsv ...) and shows the
    // first page. A missing answer or a missing or damaged page file is
    // reported to the user; the window then keeps what it showed and false
    // is returned.
    bool Load(const std::string& relayFolder);

    // A section of pages `range` ("start,end") under the title; pages beyond
    // the document are left out, a range that cannot be read adds nothing.
    void AddTreeNodes(const std::string& range, const std::string& title);

    struct NodeTitles {
        std::string range;  // "start,end"
        std::string title;
    };
    // The page range and title of a section entry of the relay answer.
    static NodeTitles ExtractTitles(const std::string& entry);

    void ShowPage(int page);
    int CurrentPage() const;
    double Zoom() const;
    const Document& GetDocument() const { return document_; }
    QTreeWidget* Tree() const;
    PageView* View() const;

    // The name the proposal's print jobs carry; until one is given, the
    // title of its first section.
    void SetDocumentTitle(const std::string& title) { document_.info.title = title; }

    // How the Print button has the printer confirmed; empty, the platform's
    // print dialog. Tests answer it.
    ChoosePrinter choosePrinter;

protected:
    // The status line hints at what the tree and the pages do under the mouse.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NodeChosen(QTreeWidgetItem* node);
    void SelectPageNode();
    void UpdateCommands();

    WindowContext& context_;
    std::unique_ptr<Ui::PreviewWindow> ui_;
    QLabel* hint_;
    Document document_;
    QTreeWidgetItem* root_ = nullptr;
    std::map<int, QTreeWidgetItem*> pageNodes_;  // the first node of each page
};

}  // namespace quoravel
