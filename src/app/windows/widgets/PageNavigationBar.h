#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace Ui {
class PageNavigationBar;
}

namespace quoravel {

class PageView;

// The page navigation bar of the preview: a zoom list, a page scroll bar and
// the page label, kept in line with the page view it drives.
class PageNavigationBar : public QWidget {
    Q_OBJECT
public:
    explicit PageNavigationBar(QWidget* parent = nullptr);
    ~PageNavigationBar() override;

    PageView* VPControl() const { return view_; }
    // Drives `view` from now on (nullptr: none) and follows its page and zoom.
    void SetVPControl(PageView* view);

    // The number in a zoom text ("150%" gives 150); 0 when it holds none.
    static double GetVal(const QString& text);

    // Brings the scroll bar, the page label and the zoom list in line with
    // the view.
    void Synchronize();

private:
    // A zoom chosen or typed: a fit mode by its name, else a percentage.
    void ApplyZoomText(const QString& text);

    std::unique_ptr<Ui::PageNavigationBar> ui_;
    QPointer<PageView> view_;
    bool synchronizing_ = false;
};

}  // namespace quoravel
