#include "QuickQuotePane.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "QuoteHints.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

enum Column { ProductColumn, FaceColumn, AnnualColumn, SemiAnnualColumn, QuarterlyColumn, MonthlyColumn };
constexpr int kPremiumColumns = 4;
constexpr int kAmountWidth = 110;

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Dollars(double amount, int decimals) { return Q("$" + FormatAmount(amount, decimals)); }

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(alignment);
    return cell;
}

}  // namespace

QuickQuotePane::QuickQuotePane(QTableWidget* table, QLabel* note, QLabel* ageChange,
                               const std::string& programFolder, QObject* parent)
    : QObject(parent), table_(table), note_(note), ageChange_(ageChange), pricer_(programFolder) {
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(ProductColumn, QHeaderView::Stretch);
    for (int column = FaceColumn; column <= MonthlyColumn; ++column)
        header->resizeSection(column, kAmountWidth);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (const QTableWidgetItem* product = table_->item(row, ProductColumn))
            emit ProductChosen(product->data(Qt::UserRole).toInt());
    });
}

void QuickQuotePane::Show(QuoteRequest request) {
    request.faceAmounts.resize(1);
    table_->clearSpans();
    table_->setRowCount(0);
    ageChange_->hide();
    try {
        const std::vector<QuoteLine> lines = pricer_.Price(request);
        for (const QuoteLine& line : lines) AddLine(line);
        note_->setText("Double-click a product to add it to the proposal.");
        if (const auto hint = FindAgeChange(request, lines, pricer_)) {
            ageChange_->setText(Q(Join(AgeChangeTexts(*hint, false), "\n")));
            ageChange_->show();
        }
    } catch (const std::exception& error) {
        // A rate file the engine cannot read leaves the quote empty, never the window closed.
        table_->setRowCount(0);
        note_->setText(Q(std::string("The quick quote could not be priced: ") + error.what()));
    }
}

void QuickQuotePane::ShowMissing(const QString& missing) {
    ageChange_->hide();
    table_->clearSpans();
    table_->setRowCount(0);
    note_->setText(missing);
}

void QuickQuotePane::AddLine(const QuoteLine& line) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    auto* product = Cell(Q(line.name));
    product->setData(Qt::UserRole, line.product);
    table_->setItem(row, ProductColumn, product);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    table_->setItem(row, FaceColumn, Cell(Dollars(line.faceAmount, 0), right));
    if (!line.issuable) {
        // The reason reads across the premium columns, in grey as a line that cannot be chosen for sale.
        table_->setItem(row, AnnualColumn, Cell(Q(line.refusal)));
        table_->setSpan(row, AnnualColumn, 1, kPremiumColumns);
        for (int column = ProductColumn; column <= AnnualColumn; ++column) {
            table_->item(row, column)
                ->setForeground(table_->palette().color(QPalette::Disabled, QPalette::Text));
            table_->item(row, column)->setToolTip(Q(line.refusal));
        }
        return;
    }
    table_->setItem(row, AnnualColumn, Cell(Dollars(line.modal.annual, 2), right));
    table_->setItem(row, SemiAnnualColumn, Cell(Dollars(line.modal.semiAnnual, 2), right));
    table_->setItem(row, QuarterlyColumn, Cell(Dollars(line.modal.quarterly, 2), right));
    table_->setItem(row, MonthlyColumn, Cell(Dollars(line.modal.specialMonthly, 2), right));
    if (!line.corrections.empty()) {
        std::vector<std::string> notes;
        for (const std::string& note : line.corrections) notes.emplace_back(Trim(note));
        for (int column = ProductColumn; column <= MonthlyColumn; ++column)
            table_->item(row, column)->setToolTip(Q(Join(notes, "\n")));
    }
}

}  // namespace quoravel
