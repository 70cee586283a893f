#include "CommissionDialog.h"

#include <QHeaderView>
#include <QStringList>
#include <array>
#include <cmath>
#include <vector>

#include "CommissionPage.h"
#include "ProductLookups.h"
#include "ui_CommissionDialog.h"

namespace quoravel {
namespace {

constexpr const char* kTitle = "Commission Settings";
constexpr std::int32_t kLastProduct = 49;
// Without a maximum in the file a percentage is limited only by its field width.
constexpr double kMostPercentage = 999.99;

// The table shows the row, its products, then the four commission columns in their order.
constexpr int kRowColumn = 0;
constexpr int kProductsColumn = 1;
constexpr int kFirstValueColumn = 2;
const QStringList kHeaders{"Row",       "Products",         "First Year %",
                           "Renewal %", "First Year Max %", "Renewal Max %"};

// The percentages the user changes, each with the column holding its limit and its name in a message.
struct Percentage {
    std::int16_t column;
    std::int16_t maxColumn;
    const char* name;
};
constexpr std::array<Percentage, 2> kPercentages{{
    {CommissionSettings::FirstYear, CommissionSettings::FirstYearMax, "first-year"},
    {CommissionSettings::Renewal, CommissionSettings::RenewalMax, "renewal"},
}};

// The products each commission row serves, by their names in the catalogue.
std::array<QStringList, CommissionSettings::kRows> ProductsByRow() {
    std::array<QStringList, CommissionSettings::kRows> rows;
    for (std::int32_t product = 1; product <= kLastProduct; ++product) {
        const QString name = QString::fromStdString(GetProductName(product, false, 0));
        QStringList& names = rows[static_cast<std::size_t>(CommissionRow(product))];
        if (!name.isEmpty() && !names.contains(name)) names << name;
    }
    return rows;
}

QTableWidgetItem* Cell(const QString& text, bool editable, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    if (!editable) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString Number(double value) { return QString::number(value, 'g', 10); }

}  // namespace

CommissionDialog::CommissionDialog(WindowContext& context, CommissionSettings& commission, QWidget* parent)
    : QDialog(parent), context_(context), commission_(commission), ui_(new Ui::CommissionDialog) {
    ui_->setupUi(this);
    QTableWidget& table = *ui_->commissionTable;
    table.setColumnCount(static_cast<int>(kHeaders.size()));
    table.setRowCount(CommissionSettings::kRows);
    table.setHorizontalHeaderLabels(kHeaders);
    const auto products = ProductsByRow();
    bool anyMaximum = false;
    for (int row = 0; row < CommissionSettings::kRows; ++row) {
        table.setItem(row, kRowColumn, Cell(QString::number(row), false, Qt::AlignCenter));
        const QString names = products[static_cast<std::size_t>(row)].join(", ");
        table.setItem(row, kProductsColumn, Cell(names, false, Qt::AlignLeft));
        table.item(row, kProductsColumn)->setToolTip(names);
        for (std::int16_t column = CommissionSettings::FirstYear; column <= CommissionSettings::RenewalMax;
             ++column) {
            const bool present = commission_.HasCommisionValue(column, row);
            anyMaximum = anyMaximum || (present && column >= CommissionSettings::FirstYearMax);
            table.setItem(row, kFirstValueColumn + column,
                          Cell(present ? Number(commission_.CommisionValue(column, row)) : QString(),
                               column <= CommissionSettings::Renewal, Qt::AlignRight));
        }
    }
    for (int column : {kFirstValueColumn + CommissionSettings::FirstYearMax,
                       kFirstValueColumn + CommissionSettings::RenewalMax}) {
        table.setColumnHidden(column, !anyMaximum);
    }
    table.resizeColumnsToContents();
    table.horizontalHeader()->setSectionResizeMode(kProductsColumn, QHeaderView::Stretch);
}

CommissionDialog::~CommissionDialog() = default;

void CommissionDialog::accept() {
    struct Entry {
        std::int16_t column;
        int row;
        double value;
    };
    std::vector<Entry> entries;
    QTableWidget& table = *ui_->commissionTable;
    for (int row = 0; row < CommissionSettings::kRows; ++row) {
        for (const Percentage& percentage : kPercentages) {
            QTableWidgetItem* item = table.item(row, kFirstValueColumn + percentage.column);
            const QString text = item->text().trimmed();
            if (text.isEmpty() && !commission_.HasCommisionValue(percentage.column, row))
                continue;  // stays unset
            bool isNumber = false;
            const double value = text.toDouble(&isNumber);
            const double most = commission_.HasCommisionValue(percentage.maxColumn, row)
                                    ? commission_.CommisionValue(percentage.maxColumn, row)
                                    : kMostPercentage;
            if (!isNumber || !std::isfinite(value) || value < 0 || value > most) {
                context_.dialogs.Show(this, kTitle,
                                      "Row " + std::to_string(row) + ": the " + percentage.name +
                                          " commission must be a number from 0 to " +
                                          Number(most).toStdString() + ".",
                                      MessageIcon::Exclamation);
                table.setCurrentItem(item);  // typing replaces the refused entry
                table.setFocus();
                return;
            }
            entries.push_back({percentage.column, row, value});
        }
    }
    // A file that cannot be written leaves the settings as they were.
    const CommissionSettings before = commission_;
    try {
        for (const Entry& entry : entries)
            commission_.SetCommisionValue(entry.column, entry.row, entry.value);
        commission_.Save();
    } catch (const std::exception& error) {
        commission_ = before;
        context_.dialogs.Show(this, kTitle,
                              std::string("The commission settings could not be saved: ") + error.what(),
                              MessageIcon::Critical);
        return;
    }
    QDialog::accept();
}

}  // namespace quoravel
