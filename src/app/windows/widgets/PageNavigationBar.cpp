#include "PageNavigationBar.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <array>
#include <cmath>

#include "PageView.h"
#include "ui_PageNavigationBar.h"

namespace quoravel {
namespace {

// The zoom list's first entries choose a fit mode by a word of their text;
// a mode shows as the entry at 4 - mode.
struct FitWord {
    const char* word;
    int mode;
};
constexpr std::array<FitWord, 4> kFitWords{{
    {"width", PageView::FitWidth},
    {"whole", PageView::WholePage},
    {"two", PageView::TwoPages},
    {"thumb", PageView::Thumbnails},
}};

}  // namespace

PageNavigationBar::PageNavigationBar(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::PageNavigationBar>()) {
    ui_->setupUi(this);
    connect(ui_->cboZoom, &QComboBox::textActivated, this, &PageNavigationBar::ApplyZoomText);
    connect(ui_->cboZoom->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { ApplyZoomText(ui_->cboZoom->currentText()); });
    connect(ui_->sbPage, &QScrollBar::valueChanged, this, [this](int page) {
        if (view_ && !synchronizing_) view_->ShowPage(page);
    });
    Synchronize();
}

PageNavigationBar::~PageNavigationBar() = default;

void PageNavigationBar::SetVPControl(PageView* view) {
    if (view_) disconnect(view_, nullptr, this, nullptr);
    view_ = view;
    if (view_) {
        connect(view_, &PageView::pageChanged, this, &PageNavigationBar::Synchronize);
        connect(view_, &PageView::zoomChanged, this, &PageNavigationBar::Synchronize);
    }
    Synchronize();
}

double PageNavigationBar::GetVal(const QString& text) {
    static const QRegularExpression number(R"(^\s*(\d+(?:\.\d*)?|\.\d+))");
    QString trimmed = text.trimmed();
    if (trimmed.endsWith('%')) trimmed.chop(1);
    const QRegularExpressionMatch match = number.match(trimmed);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

void PageNavigationBar::ApplyZoomText(const QString& text) {
    if (!view_) return;
    const QString lower = text.toLower();
    for (const FitWord& fit : kFitWords) {
        if (lower.contains(QLatin1String(fit.word))) {
            view_->SetZoomMode(fit.mode);
            return;
        }
    }
    const double zoom = GetVal(text);
    if (zoom > 0) view_->SetZoom(zoom);
    Synchronize();  // a text that is no zoom gives way to the zoom there is
}

void PageNavigationBar::Synchronize() {
    if (synchronizing_) return;
    QScopedValueRollback guard(synchronizing_, true);
    const QSignalBlocker quietBar(ui_->sbPage);
    const QSignalBlocker quietList(ui_->cboZoom);
    const int count = view_ ? view_->PageCount() : 0;
    ui_->sbPage->setEnabled(count > 1);
    ui_->sbPage->setRange(1, std::max(1, count));
    ui_->sbPage->setValue(count > 0 ? view_->CurrentPage() : 1);
    ui_->cboZoom->setEnabled(view_ != nullptr);
    if (count == 0) {
        ui_->lblPage->clear();
    } else if (view_->FirstShownPage() == view_->LastShownPage()) {
        ui_->lblPage->setText(QString("Page %1 of %2").arg(view_->CurrentPage()).arg(count));
    } else {
        ui_->lblPage->setText(QString("Pages %1 - %2 of %3")
                                  .arg(view_->FirstShownPage())
                                  .arg(view_->LastShownPage())
                                  .arg(count));
    }
    if (!view_) return;
    const int mode = view_->ZoomMode();
    if (mode >= PageView::Thumbnails && mode <= PageView::FitWidth) {
        ui_->cboZoom->setCurrentIndex(PageView::FitWidth - mode);
    } else {
        ui_->cboZoom->setCurrentIndex(-1);
        ui_->cboZoom->setEditText(QString::number(std::lround(view_->Zoom())) + "%");
    }
}

}  // namespace quoravel
