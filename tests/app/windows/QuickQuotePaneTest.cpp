#include <QListWidget>
#include <QTableWidget>

#include "ProposalWindow.h"
#include "WindowTest.h"

namespace quoravel {
namespace {

// The quick quote of the main window as a broker reads it and picks from it with the keyboard.
class QuickQuotePaneTest : public WindowTest {
protected:
    QuickQuotePaneTest() {
        AddRatesAndPictures();
        window = std::make_unique<ProposalWindow>(context);
        window->SetToday(Date::FromYmd(2026, 12, 6));
        window->NewCase();
        table = Control<QTableWidget>(*window, "tblQuickQuote");
        list = Control<QListWidget>(*window, "lstProducts");
    }

    // A man of `age` in `state` with the carrier's products quoted at 250,000, once the pane has priced them.
    void Quote(std::int32_t company, const QString& state, const QString& age) {
        window->SwitchCompany(company);
        Control<QComboBox>(*window, "cboState")->setCurrentText(state);
        for (const auto& [field, text] : {std::pair{"txtAge", age}, {"txtFace0", QString("250000")}}) {
            auto* edit = Control<QLineEdit>(*window, field);
            edit->clear();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QTest::qWait(ProposalWindow::kQuickQuoteSettleMs * 4);
    }
    QStringList Names(bool ticked) const {
        QStringList names;
        for (int row = 0; row < list->count(); ++row) {
            if (!ticked || list->item(row)->checkState() == Qt::Checked) names << list->item(row)->text();
        }
        return names;
    }
    void UntickAll() {
        for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
    }

    std::unique_ptr<ProposalWindow> window;
    QTableWidget* table = nullptr;
    QListWidget* list = nullptr;
};

// Every carrier's list, four or five products by state: the pane quotes each of them under the list's own
// text, so that the line a broker picks is the product ticked.
TEST_F(QuickQuotePaneTest, QuotesEveryListedProductUnderItsListName) {
    const struct {
        std::int32_t company;
        const char* state;
        int products;
    } carriers[] = {{0, "AL", 4}, {1, "NY", 4}, {1, "NJ", 5}, {2, "AL", 5}};
    for (const auto& carrier : carriers) {
        Quote(carrier.company, carrier.state, "45");
        QStringList quoted;
        for (int row = 0; row < table->rowCount(); ++row) quoted << table->item(row, 0)->text();
        quoted.sort();
        QStringList listed = Names(false);
        listed.sort();
        EXPECT_EQ(quoted.size(), carrier.products) << carrier.state;
        EXPECT_EQ(quoted.join(", ").toStdString(), listed.join(", ").toStdString());
    }
}

// At 60 in Alabama Brellan 30 is refused, the last line. The table is one Tab stop; the arrows move between
// its lines; Return, Enter and Space tick the line's product as a double-click does; a refused line reads
// whole and ticks nothing, from the keyboard or the mouse.
TEST_F(QuickQuotePaneTest, TheKeyboardTicksAnIssuableLineAndARefusedLineReadsWholeAndTicksNothing) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // Large type, as a broker may set it: the reason takes more lines than a line's usual height.
    QFont large = table->font();
    large.setPointSize(large.pointSize() * 2);
    table->setFont(large);
    Quote(0, "AL", "60");
    ASSERT_EQ(table->rowCount(), 4);

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        UntickAll();
        table->setFocus();
        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, key);
        EXPECT_EQ(Names(true), QStringList{table->item(1, 0)->text()}) << key;
    }
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_NE(window->focusWidget(), table);

    const QString refusal =
        "No proposal created for this client: Brellan 30\u00AE: Client must be age 50 or younger.";
    QTableWidgetItem* reason = table->item(3, 2);
    ASSERT_NE(reason, nullptr);
    EXPECT_EQ(reason->text(), refusal);
    const QRect cell = table->visualItemRect(reason);
    const QRect needed =
        table->fontMetrics().boundingRect(QRect(0, 0, cell.width() - 8, 1000), Qt::TextWordWrap, refusal);
    EXPECT_LE(needed.height(), cell.height());

    UntickAll();
    table->setFocus();
    table->setCurrentCell(3, 0);
    QTest::keyClick(table, Qt::Key_Return);
    emit table->cellDoubleClicked(3, 0);
    EXPECT_TRUE(Names(true).isEmpty());
}

}  // namespace
}  // namespace quoravel
