#include "QuickQuotePane.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <map>

#include "CompanyChoices.h"
#include "InputRules.h"
#include "QuoteHints.h"
#include "RelayExchange.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

enum Column {
    ProductColumn,
    FaceColumn,
    AnnualColumn,
    SemiAnnualColumn,
    QuarterlyColumn,
    MonthlyColumn,
    AgeChangeColumn,  // the annual premium once the age has changed, when it changes soon
    kColumns
};
constexpr int kPremiumColumns = 4;
constexpr int kAmountWidth = 110;
// The product number a line carries: only an issuable line has one, as only it can be chosen.
constexpr int kProductRole = Qt::UserRole;

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Dollars(double amount, int decimals) { return Q("$" + FormatAmount(amount, decimals)); }

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(alignment);
    return cell;
}

// The product list's texts by product, so that the broker finds in the list
// the very name the quote shows.
using ListNames = std::map<std::int32_t, std::string>;
ListNames ListNamesOf(const QuoteRequest& request) {
    ListNames names;
    for (const std::string& name : ProductNamesOf(request.company, request.state))
        names.emplace(ProductOfListText(name), name);
    return names;
}
// The catalogue's name for a product the list lacks.
std::string ListName(const ListNames& names, std::int32_t product, const std::string& catalogueName) {
    const auto named = names.find(product);
    return named == names.end() ? catalogueName : named->second;
}

// The age change under the list's names.
AgeChangeHint WithListNames(AgeChangeHint hint, const QuoteRequest& request, const ListNames& names) {
    for (AgeChangePremium& premium : hint.premiums)
        premium.name = ListName(names, RelayProductNumber(premium.code, request.state), premium.name);
    return hint;
}

}  // namespace

QuickQuotePane::QuickQuotePane(QTableWidget* table, QLabel* note, const std::string& programFolder,
                               QObject* parent)
    : QObject(parent), table_(table), note_(note), pricer_(programFolder) {
    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderItem(AgeChangeColumn, new QTableWidgetItem());
    table_->setColumnHidden(AgeChangeColumn, true);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(ProductColumn, QHeaderView::Stretch);
    for (int column = FaceColumn; column <= AgeChangeColumn; ++column)
        header->resizeSection(column, kAmountWidth);
    // A refusal is read whole: its line grows to the lines its reason takes.
    table_->setWordWrap(true);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // One stop of the window's Tab order; the arrows move between the lines.
    table_->setTabKeyNavigation(false);
    table_->installEventFilter(this);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { Choose(row); });
}

void QuickQuotePane::Show(QuoteRequest request) {
    request.faceAmounts.resize(1);
    table_->clearSpans();
    table_->setRowCount(0);
    table_->setColumnHidden(AgeChangeColumn, true);
    try {
        const std::vector<QuoteLine> lines = pricer_.Price(request);
        const ListNames names = ListNamesOf(request);
        for (const QuoteLine& line : lines) AddLine(line, ListName(names, line.product, line.name));
        note_->setText("Double-click a product, or press Enter on it, to add it to the proposal.");
        if (const auto hint = FindAgeChange(request, lines, pricer_))
            ShowAgeChange(WithListNames(*hint, request, names));
    } catch (const std::exception& error) {
        // A rate file the engine cannot read leaves the quote empty, never the window closed.
        table_->setRowCount(0);
        note_->setText(Q(std::string("The quick quote could not be priced: ") + error.what()));
    }
}

void QuickQuotePane::ShowMissing(const QString& missing) {
    table_->setColumnHidden(AgeChangeColumn, true);
    table_->clearSpans();
    table_->setRowCount(0);
    note_->setText(missing);
}

bool QuickQuotePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Choose(table_->currentRow());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// A column of its own, beside the premiums it changes, so the fields above
// never move; its date as the birth date field takes it, each line's whole
// sentence in its tooltip.
void QuickQuotePane::ShowAgeChange(const AgeChangeHint& hint) {
    table_->horizontalHeaderItem(AgeChangeColumn)
        ->setText(Q("Annual at " + std::to_string(hint.newAge) + "\nfrom " + BirthDateText(hint.date)));
    const std::vector<std::string> texts = AgeChangeTexts(hint, false, BirthDateText);
    for (std::size_t i = 0; i < hint.premiums.size(); ++i) {
        const AgeChangePremium& premium = hint.premiums[i];
        for (int row = 0; row < table_->rowCount(); ++row) {
            if (table_->item(row, ProductColumn)->text() != Q(premium.name)) continue;
            auto* cell = Cell(premium.annualPremium ? Dollars(*premium.annualPremium, 2) : "Not issued",
                              Qt::AlignRight | Qt::AlignVCenter);
            cell->setToolTip(Q(texts[i]));
            table_->setItem(row, AgeChangeColumn, cell);
        }
    }
    table_->setColumnHidden(AgeChangeColumn, false);
}

void QuickQuotePane::Choose(int row) {
    const QTableWidgetItem* product = table_->item(row, ProductColumn);
    if (product && product->data(kProductRole).isValid())
        emit ProductChosen(product->data(kProductRole).toInt());
}

void QuickQuotePane::AddLine(const QuoteLine& line, const std::string& name) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    auto* product = Cell(Q(name));
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
    product->setData(kProductRole, line.product);
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
