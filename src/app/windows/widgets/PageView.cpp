#include "PageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace quoravel {
namespace {

const QColor kDesk(128, 128, 128);
const QColor kShadow(80, 80, 80);
const QColor kEdge(48, 48, 48);
constexpr int kShadowOffset = 3;

}  // namespace

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
    // Always there: a bar coming and going would change the width the
    // pages are fitted to, and so the zoom, and so the bar again.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int PageView::PageCount() const { return document_ ? static_cast<int>(document_->pages.size()) : 0; }

void PageView::SetDocument(const Document* document) {
    document_ = document;
    currentPage_ = PageCount() > 0 ? 1 : 0;
    scale_ = 0;  // nothing laid out yet to keep in sight
    Relayout();
    ShowPage(1);
}

double PageView::ScaleAt(double zoom) const { return zoom / 100 * logicalDpiX() / kTwipsPerInch; }

double PageView::FitZoom() const {
    const double width = PaperWidth() * ScaleAt(100);
    const double height = PaperHeight() * ScaleAt(100);
    const double across = viewport()->width() - 2.0 * kGap;
    const double down = viewport()->height() - 2.0 * kGap;
    double zoom = kThumbnailZoom;
    if (mode_ == FitWidth) zoom = across / width * 100;
    if (mode_ == WholePage) zoom = std::min(across / width, down / height) * 100;
    if (mode_ == TwoPages) zoom = std::min((across - kGap) / (2 * width), down / height) * 100;
    return std::clamp(zoom, kZoomMin, kZoomMax);
}

int PageView::Columns() const {
    if (mode_ == TwoPages) return 2;
    if (mode_ != Thumbnails) return 1;
    return std::max(1, static_cast<int>((viewport()->width() - kGap) / (PageWidth() + kGap)));
}

int PageView::Rows() const { return (PageCount() + columns_ - 1) / columns_; }

QRect PageView::PageRect(int index) const {
    const double contentWidth = columns_ * (PageWidth() + kGap) + kGap;
    const double centring = std::max(0.0, (viewport()->width() - contentWidth) / 2);
    const double x =
        centring + kGap + (index % columns_) * (PageWidth() + kGap) - horizontalScrollBar()->value();
    const double y = kGap + (index / columns_) * RowPitch() - verticalScrollBar()->value();
    return QRect(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
                 static_cast<int>(std::lround(PageWidth())), static_cast<int>(std::lround(PageHeight())));
}

void PageView::Relayout() {
    QScrollBar* down = verticalScrollBar();
    QScrollBar* across = horizontalScrollBar();
    // Where the view stands on the current page, to stand there again after.
    const bool laidOut = scale_ > 0 && currentPage_ > 0;
    const int anchorRow = laidOut ? (currentPage_ - 1) / columns_ : 0;
    double intoRow = 0;
    double centre = 0.5;
    if (laidOut) {
        intoRow = (down->value() - anchorRow * RowPitch()) / RowPitch();
        const double contentWidth = columns_ * (PageWidth() + kGap) + kGap;
        centre = (across->value() + viewport()->width() / 2.0) / contentWidth;
    }

    relayingOut_ = true;
    if (mode_ != Percentage) zoom_ = FitZoom();
    scale_ = ScaleAt(zoom_);
    columns_ = Columns();
    const int viewWidth = viewport()->width();
    const int viewHeight = viewport()->height();
    const double contentWidth = columns_ * (PageWidth() + kGap) + kGap;
    const double contentHeight = PageCount() > 0 ? Rows() * RowPitch() + kGap : 0;
    across->setRange(0, std::max(0, static_cast<int>(std::lround(contentWidth)) - viewWidth));
    across->setPageStep(viewWidth);
    down->setRange(0, std::max(0, static_cast<int>(std::lround(contentHeight)) - viewHeight));
    down->setPageStep(viewHeight);
    if (laidOut) {
        const int row = (currentPage_ - 1) / columns_;
        down->setValue(static_cast<int>(std::lround((row + intoRow) * RowPitch())));
        across->setValue(static_cast<int>(std::lround(centre * contentWidth - viewWidth / 2.0)));
    }
    relayingOut_ = false;

    viewport()->update();
    UpdateShownPages();
    if (zoom_ != signalledZoom_ || mode_ != signalledMode_) {
        signalledZoom_ = zoom_;
        signalledMode_ = mode_;
        emit zoomChanged();
    }
}

void PageView::UpdateShownPages() {
    const int count = PageCount();
    int first = 0;
    int last = 0;
    if (count > 0) {
        const double top = verticalScrollBar()->value();
        const double height = viewport()->height();
        const double pitch = RowPitch();
        int firstRow = -1, lastRow = -1, bestRow = 0;
        double bestShown = -1;
        const int fromRow = std::max(0, static_cast<int>(top / pitch));
        const int toRow = std::min(Rows() - 1, static_cast<int>((top + height) / pitch));
        for (int row = fromRow; row <= toRow; ++row) {
            const double pageTop = kGap + row * pitch;
            const double shown = std::min(pageTop + PageHeight(), top + height) - std::max(pageTop, top);
            if (shown > bestShown) bestShown = shown, bestRow = row;
            if (2 * shown >= std::min(PageHeight(), height)) {
                if (firstRow < 0) firstRow = row;
                lastRow = row;
            }
        }
        if (firstRow < 0) firstRow = lastRow = bestRow;
        first = firstRow * columns_ + 1;
        last = std::min(count, (lastRow + 1) * columns_);
        if (currentPage_ < first || currentPage_ > last) currentPage_ = first;
    } else {
        currentPage_ = 0;
    }
    firstShown_ = first;
    lastShown_ = last;
    const std::array<int, 3> state{currentPage_, first, last};
    if (state != signalledPages_) {
        signalledPages_ = state;
        emit pageChanged();
    }
}

void PageView::ShowPage(int page) {
    if (PageCount() == 0) return;
    currentPage_ = std::clamp(page, 1, PageCount());
    verticalScrollBar()->setValue(static_cast<int>(std::lround((currentPage_ - 1) / columns_ * RowPitch())));
    UpdateShownPages();
}

void PageView::SetZoom(double percent) {
    mode_ = Percentage;
    zoom_ = std::clamp(percent, kZoomMin, kZoomMax);
    Relayout();
}

void PageView::SetZoomMode(int mode) {
    if (mode < Percentage || mode > FitWidth) return;
    mode_ = mode;
    Relayout();
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, kDesk);
    if (PageCount() == 0) return;
    const double top = verticalScrollBar()->value();
    const int fromRow = std::max(0, static_cast<int>((top + exposed.top() - kGap) / RowPitch()));
    const int toRow = std::min(Rows() - 1, static_cast<int>((top + exposed.bottom()) / RowPitch()));
    for (int index = fromRow * columns_; index < std::min(PageCount(), (toRow + 1) * columns_); ++index) {
        const QRect page = PageRect(index);
        if (!page.adjusted(0, 0, kShadowOffset, kShadowOffset).intersects(exposed)) continue;
        painter.fillRect(page.translated(kShadowOffset, kShadowOffset), kShadow);
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.setClipRect(page.intersected(exposed));
        painter.translate(page.topLeft());
        PaintPage(painter, document_->pages[static_cast<std::size_t>(index)], scale_);
        painter.restore();
        painter.setPen(kEdge);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(page.adjusted(0, 0, -1, -1));
    }
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    if (!relayingOut_) UpdateShownPages();
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ZoomIn();
    } else if (event->button() == Qt::RightButton) {
        ZoomOut();
    }
}

}  // namespace quoravel
