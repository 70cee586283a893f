
#include "BrokerDialog.h"
#include "WindowTest.h"

using namespace quoravel;

namespace {

class BrokerWindowTest : public WindowTest {
protected:
    BrokerWindowTest() {
        for (const char* last : {"Adams", "Baker", "Carter"}) {
            Broker broker;
            broker.Set(BrokerField::last_name, last);
            broker.Set(BrokerField::first_name, "Ann");
            broker.Set(BrokerField::zip, "12345");
            broker.SetIndex(static_cast<std::int16_t>(brokers.Count() + 1));
            brokers.Add(std::move(broker));
        }
    }
    QLineEdit* Box(const char* name) { return window.findChild<QLineEdit*>(name); }
    // Types into a box from its first place, as a user who clicks at its start does.
    void Type(const char* name, const char* text) {
        Box(name)->setCursorPosition(0);
        QTest::keyClicks(Box(name), text);
    }
    void Click(const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    Collection<Broker> brokers;
    BrokerDialog window{context, brokers, 1};
};

TEST_F(BrokerWindowTest, AddingANamesakeAsksFirst) {
    window.SetSelectedBroker(brokers.ItemPtr(2));  // the broker shown is another broker to Add
    dialogs.answers = {false};
    Click("addButton");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(brokers.Count(), 3);

    Box("city")->setText("Albany");
    Click("addButton");  // answered Yes
    ASSERT_EQ(brokers.Count(), 4);
    EXPECT_EQ(window.SelectedBroker(), brokers.ItemPtr(4));
    EXPECT_EQ(brokers.Item(4).Get(BrokerField::city), "Albany");
}

TEST_F(BrokerWindowTest, DeleteRenumbersFromOne) {
    window.SetSelectedBroker(brokers.ItemPtr(2));
    dialogs.answers = {false};
    Click("deleteButton");
    EXPECT_EQ(brokers.Count(), 3);
    Click("deleteButton");
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::OkCancel);
    ASSERT_EQ(brokers.Count(), 2);
    EXPECT_EQ(brokers.Item(1).Get(BrokerField::last_name), "Adams");
    EXPECT_EQ(brokers.Item(2).Get(BrokerField::last_name), "Carter");
    EXPECT_EQ(brokers.Item(2).Index(), 2);
    EXPECT_EQ(window.findChild<QComboBox*>("brokerList")->count(), 2);
}

TEST_F(BrokerWindowTest, SaveReplacesTheSelectedBrokersFields) {
    const auto chosen = brokers.ItemPtr(2);
    window.SetSelectedBroker(chosen);
    window.findChild<QComboBox*>("state")->setEditText("ny");
    EXPECT_EQ(window.findChild<QLabel*>("stateName")->text(), "New York");
    Box("zip")->clear();
    Type("telephone", "5551234567");
    Click("saveButton");  // its own unchanged name asks nothing
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(brokers.ItemPtr(2), chosen);
    EXPECT_EQ(chosen->Get(BrokerField::state), "NY");
    EXPECT_EQ(chosen->Get(BrokerField::zip), "");
    EXPECT_EQ(chosen->Get(BrokerField::phone_num), "(555)123-4567");
    EXPECT_EQ(chosen->Get(BrokerField::fax_num), "");

    Box("lastName")->setText("carter");  // the name of another broker
    dialogs.answers = {false};
    Click("saveButton");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(chosen->Get(BrokerField::last_name), "Baker");
}

TEST_F(BrokerWindowTest, NewEntryStartsInTheCompanysStateAndRefusesHalfNumbers) {
    EXPECT_EQ(window.findChild<QComboBox*>("state")->currentText(), "NY");
    Box("lastName")->setText("Dunn");
    Type("zip", "123");
    Click("addButton");
    EXPECT_EQ(dialogs.LastText(), "The ZIP code is incomplete. Complete it or leave it empty.");
    EXPECT_EQ(brokers.Count(), 3);

    Box("zip")->clear();
    window.accept();  // OK adds the new entry
    ASSERT_EQ(brokers.Count(), 4);
    EXPECT_EQ(brokers.Item(4).SortName(), "Dunn");
    EXPECT_EQ(brokers.Item(4).Get(BrokerField::state), "NY");
    EXPECT_EQ(brokers.Item(4).Get(BrokerField::zip), "");
}

}  // namespace
