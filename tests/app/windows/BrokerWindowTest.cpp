#include <QApplication>
#include <QTimer>

#include "BrokerDialog.h"
#include "BrokerFile.h"
#include "ProposalWindow.h"
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

// Save replaces the fields of the broker shown; a name another broker has is asked for before Save or Add
// keeps it; Delete asks first, then numbers the brokers left from one. A new entry refuses half a number.
TEST_F(BrokerWindowTest, SaveAndAddAskBeforeANamesakeDeleteRenumbersAndHalfNumbersAreRefused) {
    const auto baker = brokers.ItemPtr(2);
    window.SetSelectedBroker(baker);
    window.findChild<QComboBox*>("state")->setEditText("ny");
    EXPECT_EQ(window.findChild<QLabel*>("stateName")->text(), "New York");
    Box("zip")->clear();
    Type("telephone", "5551234567");
    Click("saveButton");  // its own unchanged name asks nothing
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(brokers.ItemPtr(2), baker);
    EXPECT_EQ(baker->Get(BrokerField::state) + "|" + baker->Get(BrokerField::zip) + "|" +
                  baker->Get(BrokerField::phone_num) + "|" + baker->Get(BrokerField::fax_num),
              "NY||(555)123-4567|");

    dialogs.answers = {false, false};
    Box("lastName")->setText("carter");  // the name of another broker
    Click("saveButton");
    EXPECT_EQ(baker->Get(BrokerField::last_name), "Baker");
    Box("lastName")->setText("Baker");
    Click("addButton");  // the broker shown is another broker to Add
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(brokers.Count(), 3);
    Box("city")->setText("Albany");
    Click("addButton");  // answered Yes
    ASSERT_EQ(brokers.Count(), 4);
    EXPECT_EQ(window.SelectedBroker(), brokers.ItemPtr(4));
    EXPECT_EQ(brokers.Item(4).Get(BrokerField::city), "Albany");

    window.SetSelectedBroker(baker);
    dialogs.answers = {false};
    Click("deleteButton");
    EXPECT_EQ(brokers.Count(), 4);
    Click("deleteButton");
    EXPECT_EQ(dialogs.shown.back().buttons, MessageButtons::OkCancel);
    ASSERT_EQ(brokers.Count(), 3);
    EXPECT_EQ(brokers.Item(1).Get(BrokerField::last_name) + "|" + brokers.Item(2).Get(BrokerField::last_name),
              "Adams|Carter");
    EXPECT_EQ(brokers.Item(3).Index(), 3);
    EXPECT_EQ(window.findChild<QComboBox*>("brokerList")->count(), 3);

    // What is left is a new entry, in the carrier's state, that refuses half a number.
    EXPECT_EQ(window.findChild<QComboBox*>("state")->currentText(), "NY");
    Box("lastName")->setText("Dunn");
    Type("zip", "123");
    Click("addButton");
    EXPECT_EQ(dialogs.LastText(), "The ZIP code is incomplete. Complete it or leave it empty.");
    EXPECT_EQ(brokers.Count(), 3);
    Box("zip")->clear();
    window.accept();  // OK adds the new entry
    ASSERT_EQ(brokers.Count(), 4);
    EXPECT_EQ(brokers.Item(4).SortName() + "|" + brokers.Item(4).Get(BrokerField::state) + "|" +
                  brokers.Item(4).Get(BrokerField::zip),
              "Dunn|NY|");
}

// The broker file is written only when the list changed: Cancel, or OK with nothing entered, leaves it
// as it was (bytes and time), and with no brokers makes no file; OK on a new broker writes it.
TEST_F(BrokerWindowTest, TheBrokerFileIsWrittenOnlyWhenTheListChanged) {
    ProposalWindow main(context);
    const std::filesystem::path file = Own("brokers.ini");
    const auto earlier = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    // A last name typed (or none), the button pressed, and whether a broker file is then there.
    for (const auto& [typed, button, there] :
         std::initializer_list<std::tuple<const char*, const char*, bool>>{{"Dunn", "cancelButton", false},
                                                                           {"", "okButton", false},
                                                                           {"Dunn", "okButton", true},
                                                                           {"Eng", "cancelButton", true},
                                                                           {"", "okButton", true}}) {
        const bool existed = std::filesystem::exists(file);
        if (existed) std::filesystem::last_write_time(file, earlier);
        const std::string before = mine.Read("brokers.ini");
        QTimer::singleShot(0, [&] {
            QWidget* broker = QApplication::activeModalWidget();
            if (*typed) broker->findChild<QLineEdit*>("lastName")->setText(typed);
            QTest::mouseClick(broker->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        main.findChild<QAction*>("actBrokers")->trigger();
        EXPECT_EQ(std::filesystem::exists(file), there) << typed << button;
        if (!existed) continue;
        EXPECT_EQ(std::filesystem::last_write_time(file), earlier) << typed << button;
        EXPECT_EQ(mine.Read("brokers.ini"), before);
    }
    EXPECT_EQ(ReadBrokerFile(file).Count(), 1);
}

}  // namespace
