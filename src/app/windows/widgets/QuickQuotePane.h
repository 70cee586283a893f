#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "Quote.h"
#include "QuoteHints.h"

class QLabel;
class QTableWidget;

namespace quoravel {

// The quick quote of the main window: every product the client's carrier
// offers at one face amount, under the product list's names, its annual and
// modal first-year premiums, cheapest first, then the products that cannot
// be issued with the issue rules' reason. The pricer keeps the rate files
// open for the window's life.
class QuickQuotePane : public QObject {
    Q_OBJECT
public:
    QuickQuotePane(QTableWidget* table, QLabel* note, const std::string& programFolder,
                   QObject* parent = nullptr);

    // The quote of a client at the request's first face amount; with a birth
    // date, when the age changes within six months and what each product
    // then costs a year, in a last column.
    void Show(QuoteRequest request);
    // An empty quote and what the client still lacks.
    void ShowMissing(const QString& missing);

signals:
    // The user chose an issuable product's line (double-click, or Enter,
    // Return or Space on it): its product number.
    void ProductChosen(std::int32_t product);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddLine(const QuoteLine& line, const std::string& name);
    void Choose(int row);
    void ShowAgeChange(const AgeChangeHint& hint);

    QTableWidget* table_;
    QLabel* note_;
    QuotePricer pricer_;
};

}  // namespace quoravel
