#pragma once

#include <QAbstractScrollArea>
#include <array>

#include "DisplayList.h"
#include "PageRenderer.h"

namespace quoravel {

// The pages of a proposal as the broker sees them before printing: drawn
// from their display lists at the zoom of the moment, so text and rules stay
// sharp at every zoom. Only the pages in sight are painted.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // How the pages are fitted into the view; Percentage zooms by a number.
    enum ZoomFit : int { Percentage = 0, Thumbnails = 1, TwoPages = 2, WholePage = 3, FitWidth = 4 };

    static constexpr double kZoomStep = 25;  // percent
    static constexpr double kZoomMin = 10;
    static constexpr double kZoomMax = 400;
    static constexpr double kThumbnailZoom = 15;

    explicit PageView(QWidget* parent = nullptr);

    // The view draws the document in place: it must outlive the view or be
    // replaced first. Shows its first page; nullptr shows nothing.
    void SetDocument(const Document* document);
    int PageCount() const;

    // The page the view is on, from 1; 0 without pages.
    int CurrentPage() const { return currentPage_; }
    // The pages in sight: those of which at least half is shown (or the one
    // shown most, when a page is taller than twice the view).
    int FirstShownPage() const { return firstShown_; }
    int LastShownPage() const { return lastShown_; }
    // Scrolls the page's top into sight; numbers out of range are taken as
    // the first or last page.
    void ShowPage(int page);

    // Percent of the printed size; in the fit modes the zoom they come to.
    double Zoom() const { return zoom_; }
    // Percentage mode at the zoom, kept between kZoomMin and kZoomMax.
    void SetZoom(double percent);
    void ZoomIn() { SetZoom(zoom_ + kZoomStep); }
    void ZoomOut() { SetZoom(zoom_ - kZoomStep); }
    int ZoomMode() const { return mode_; }
    // One of ZoomFit; other numbers are ignored.
    void SetZoomMode(int mode);

signals:
    // The current page or the pages in sight changed.
    void pageChanged();
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Double-click zooms in, double right-click zooms out.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Screen pixels per twip at a zoom.
    double ScaleAt(double zoom) const;
    double FitZoom() const;
    int Columns() const;
    int Rows() const;
    // The paper in twips: the document's, Letter before there is one.
    double PaperWidth() const { return document_ ? document_->pageWidth : kLetterWidth; }
    double PaperHeight() const { return document_ ? document_->pageHeight : kLetterHeight; }
    // A page on the screen, in pixels.
    double PageWidth() const { return PaperWidth() * scale_; }
    double PageHeight() const { return PaperHeight() * scale_; }
    // From the top of one row of pages to the top of the next.
    double RowPitch() const { return PageHeight() + kGap; }
    // The page's place in the viewport, on whole pixels.
    QRect PageRect(int index) const;
    // Lays the pages out anew for the zoom and the view's size, keeping the
    // current page where it was in sight.
    void Relayout();
    void UpdateShownPages();

    static constexpr int kGap = 12;  // pixels around and between pages

    const Document* document_ = nullptr;
    int mode_ = FitWidth;
    double zoom_ = 100;
    double scale_ = 0;
    int columns_ = 1;
    int currentPage_ = 0;
    int firstShown_ = 0;
    int lastShown_ = 0;
    bool relayingOut_ = false;
    // What the signals last told: current, first and last page shown; zoom and mode.
    std::array<int, 3> signalledPages_{};
    double signalledZoom_ = -1;
    int signalledMode_ = -1;
};

}  // namespace quoravel
