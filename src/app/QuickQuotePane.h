#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

#include "Quote.h"

class QLabel;
class QTableWidget;

namespace quoravel {

// The quick quote of the main window: every product the client's carrier
// offers at one face amount, its annual and modal first-year premiums,
// cheapest first, then the products that cannot be issued with the issue
// rules' reason. The pricer keeps the rate files open for the window's life.
class QuickQuotePane : public QObject {
    Q_OBJECT
public:
    QuickQuotePane(QTableWidget* table, QLabel* note, const std::string& programFolder,
                   QObject* parent = nullptr);

    // The quote of a client at the request's first face amount.
    void Show(QuoteRequest request);
    // An empty quote and what the client still lacks.
    void ShowMissing(const QString& missing);

signals:
    // The user double-clicked a product's line: its product number.
    void ProductChosen(std::int32_t product);

private:
    void AddLine(const QuoteLine& line);

    QTableWidget* table_;
    QLabel* note_;
    QuotePricer pricer_;
};

}  // namespace quoravel
