#include "BrokerDialog.h"

#include <QLineEdit>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "FieldLengths.h"
#include "HelpLine.h"
#include "LimitedField.h"
#include "StatesFile.h"
#include "Text.h"
#include "ui_BrokerDialog.h"

namespace quoravel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The text boxes of the window and the broker field each shows; the state has a list of its own.
struct TextBox {
    BrokerField field;
    QLineEdit* Ui::BrokerDialog::*edit;
};
constexpr std::array<TextBox, 14> kTextBoxes{{
    {BrokerField::last_name, &Ui::BrokerDialog::lastName},
    {BrokerField::first_name, &Ui::BrokerDialog::firstName},
    {BrokerField::middle_init, &Ui::BrokerDialog::middleInitial},
    {BrokerField::license_num, &Ui::BrokerDialog::licenseNumber},
    {BrokerField::license_state, &Ui::BrokerDialog::licenseState},
    {BrokerField::address_1, &Ui::BrokerDialog::address1},
    {BrokerField::address_2, &Ui::BrokerDialog::address2},
    {BrokerField::city, &Ui::BrokerDialog::city},
    {BrokerField::zip, &Ui::BrokerDialog::zip},
    {BrokerField::phone_num, &Ui::BrokerDialog::telephone},
    {BrokerField::ext, &Ui::BrokerDialog::extension},
    {BrokerField::fax_num, &Ui::BrokerDialog::fax},
    {BrokerField::GA_Name, &Ui::BrokerDialog::gaName},
    {BrokerField::Broker_Co, &Ui::BrokerDialog::brokerCompany},
}};

// The masked boxes, named as a message about an incomplete entry names them.
struct MaskedBox {
    QLineEdit* Ui::BrokerDialog::*edit;
    const char* name;
};
constexpr std::array<MaskedBox, 3> kMaskedBoxes{{
    {&Ui::BrokerDialog::zip, "ZIP code"},
    {&Ui::BrokerDialog::telephone, "telephone number"},
    {&Ui::BrokerDialog::fax, "fax number"},
}};

// A masked box holds no number when it shows only its literals; older broker
// files hold the mask's zeros ("00000", "(000)000-0000") for an empty field.
bool HoldsNoNumber(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() && c != u'0'; });
}

std::string StoredText(const QLineEdit& edit) {
    if (!edit.inputMask().isEmpty() && HoldsNoNumber(edit.text())) return "";
    return std::string(Trim(edit.text().toStdString()));
}

}  // namespace

BrokerDialog::BrokerDialog(WindowContext& context, Collection<Broker>& brokers, std::int32_t company,
                           QWidget* parent)
    : QDialog(parent), context_(context), brokers_(brokers), company_(company), ui_(new Ui::BrokerDialog) {
    ui_->setupUi(this);
    for (const auto& state : StatesOf(context_.process.ProgramFolder)) ui_->state->addItem(Q(state));
    connect(ui_->state, &QComboBox::currentTextChanged, this, [this](const QString& state) {
        ui_->stateName->setText(
            Q(StateFullName(context_.process.ProgramFolder, ToUpper(state.toStdString()))));
    });
    connect(ui_->brokerList, &QComboBox::currentIndexChanged, this, [this](int entry) {
        if (entry < 0) return;
        selected_ = brokers_.ItemPtr(ui_->brokerList->itemData(entry).toInt());
        FillFields(*selected_);
        ui_->deleteButton->setEnabled(true);
    });
    connect(ui_->saveButton, &QPushButton::clicked, this, &BrokerDialog::SaveBroker);
    connect(ui_->addButton, &QPushButton::clicked, this, &BrokerDialog::AddBroker);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &BrokerDialog::DeleteBroker);
    connect(ui_->okButton, &QPushButton::clicked, this, &BrokerDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &BrokerDialog::reject);

    auto* help = new HelpLine(ui_->helpLine, "Choose a broker from the list, or enter a new one.", this);
    const std::pair<QWidget*, const char*> helpTexts[] = {
        {ui_->brokerList, "Click on the arrow to see a list of brokers."},
        {ui_->lastName, "Enter the broker's last name."},
        {ui_->firstName, "Enter the broker's first name."},
        {ui_->middleInitial, "Enter the broker's middle initial."},
        {ui_->address1, "Enter the street or post office address."},
        {ui_->address2, "Enter the street or post office address."},
        {ui_->city, "Enter the city's name."},
        {ui_->state, "Select a state from the list."},
        {ui_->zip, "Enter the zip code."},
        {ui_->telephone, "Enter the telephone number, including the area code."},
        {ui_->extension, "Enter the extension number."},
        {ui_->fax, "Enter the fax number, including the area code."},
        {ui_->okButton, "Accept changes to the current broker and exit."},
        {ui_->cancelButton, "Disregard changes to the current broker that have not been saved and exit."},
        {ui_->saveButton, "Save changes to the current broker."},
        {ui_->addButton, "Add as a new broker."},
        {ui_->deleteButton, "Delete the current broker."},
    };
    for (const auto& [control, text] : helpTexts) help->Set(control, text);
    for (const auto& box : kTextBoxes) {
        QLineEdit& edit = *(ui_.get()->*box.edit);
        if (edit.inputMask().isEmpty()) TellWhenFull(edit, *ui_->helpLine);
    }

    SetSelectedBroker(nullptr);
}

BrokerDialog::~BrokerDialog() = default;

void BrokerDialog::SetSelectedBroker(const Collection<Broker>::Ptr& broker) {
    const bool listed = std::find(brokers_.begin(), brokers_.end(), broker) != brokers_.end();
    selected_ = listed ? broker : nullptr;
    ListBrokers();
    if (selected_) {
        FillFields(*selected_);
        return;
    }
    Broker fresh;
    const DefaultStateSetting state = DefaultStateOf(company_);
    fresh.Set(BrokerField::state, context_.settings.Get("Options", state.key, state.defaultState));
    FillFields(fresh);
}

void BrokerDialog::FillFields(const Broker& broker) {
    for (const auto& box : kTextBoxes) {
        QLineEdit& edit = *(ui_.get()->*box.edit);
        const QString text = Q(broker.Get(box.field));
        if (edit.inputMask().isEmpty())
            ShowLimited(edit, text, BrokerFieldLength(box.field));
        else
            edit.setText(HoldsNoNumber(text) ? QString() : text);
    }
    const QString state = Q(broker.Get(BrokerField::state));
    const int entry = ui_->state->findText(state, Qt::MatchFixedString);
    if (entry >= 0) ui_->state->setCurrentIndex(entry);
    ui_->state->setEditText(entry >= 0 ? ui_->state->itemText(entry) : state);
}

// The drop-down lists the brokers alphabetically, each with its position in the collection.
void BrokerDialog::ListBrokers() {
    std::vector<std::pair<std::string, long>> entries;
    long position = 0;
    for (const auto& broker : brokers_) entries.emplace_back(broker->SortName(), ++position);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return ToUpper(a.first) < ToUpper(b.first); });
    const QSignalBlocker quiet(ui_->brokerList);
    ui_->brokerList->clear();
    for (const auto& [name, at] : entries) {
        ui_->brokerList->addItem(Q(name), static_cast<int>(at));
        if (selected_ && brokers_.ItemPtr(at) == selected_)
            ui_->brokerList->setCurrentIndex(ui_->brokerList->count() - 1);
    }
    if (!selected_) ui_->brokerList->setCurrentIndex(-1);
    ui_->deleteButton->setEnabled(selected_ != nullptr);
}

std::optional<Broker> BrokerDialog::EnteredBroker() {
    const auto refuse = [this](QWidget* control, const std::string& text) {
        context_.dialogs.Show(this, windowTitle().toStdString(), text, MessageIcon::Exclamation);
        control->setFocus();
        return std::nullopt;
    };
    for (const auto& [box, name] : kMaskedBoxes) {
        QLineEdit* edit = ui_.get()->*box;
        if (!HoldsNoNumber(edit->text()) && !edit->hasAcceptableInput()) {
            return refuse(edit,
                          std::string("The ") + name + " is incomplete. Complete it or leave it empty.");
        }
    }
    const std::string state = ToUpper(Trim(ui_->state->currentText().toStdString()));
    if (!state.empty() && ui_->state->findText(Q(state), Qt::MatchFixedString) < 0) {
        return refuse(ui_->state, "Select a state from the list.");
    }
    Broker broker;
    for (const auto& box : kTextBoxes) broker.Set(box.field, StoredText(*(ui_.get()->*box.edit)));
    broker.Set(BrokerField::state, state);
    if (broker.SortName().empty())
        return refuse(ui_->lastName, "Enter the broker's last name or first name.");
    return broker;
}

bool BrokerDialog::NothingEntered() const {
    return std::all_of(kTextBoxes.begin(), kTextBoxes.end(),
                       [this](const TextBox& box) { return StoredText(*(ui_.get()->*box.edit)).empty(); });
}

bool BrokerDialog::ConfirmName(const Broker& entered, const Broker* self) {
    // The typed name is built as the list builds names, so that "Smith, John"
    // with no middle initial meets its namesake; a name kept unchanged was accepted before.
    const std::string name = entered.SortName();
    if (self && EqualNoCase(self->SortName(), name)) return true;
    const bool taken =
        std::any_of(brokers_.begin(), brokers_.end(), [&](const Collection<Broker>::Ptr& other) {
            return other.get() != self && EqualNoCase(other->SortName(), name);
        });
    return !taken || context_.dialogs.Ask(this, "Confirm",
                                          "There is already a broker by that name.\n"
                                          "Do you want to add another with the same name?",
                                          MessageButtons::YesNo, MessageIcon::Question);
}

bool BrokerDialog::SaveBroker() {
    if (!selected_) return AddBroker();  // a new entry has no broker to replace
    auto entered = EnteredBroker();
    if (!entered || !ConfirmName(*entered, selected_.get())) return false;
    entered->SetIndex(selected_->Index());
    *selected_ = std::move(*entered);
    ListBrokers();
    return true;
}

bool BrokerDialog::AddBroker() {
    auto entered = EnteredBroker();
    if (!entered || !ConfirmName(*entered, nullptr)) return false;
    entered->SetIndex(static_cast<std::int16_t>(brokers_.Count() + 1));
    selected_ = std::make_shared<Broker>(std::move(*entered));
    brokers_.Add(selected_);
    ListBrokers();
    return true;
}

bool BrokerDialog::DeleteBroker() {
    const auto found = std::find(brokers_.begin(), brokers_.end(), selected_);
    if (!selected_ || found == brokers_.end()) return false;
    if (!context_.dialogs.Ask(this, "Delete", "Are you sure you want to delete this broker?",
                              MessageButtons::OkCancel, MessageIcon::Question)) {
        return false;
    }
    brokers_.Remove(std::distance(brokers_.begin(), found) + 1);
    std::int16_t index = 0;
    for (const auto& broker : brokers_) broker->SetIndex(++index);
    SetSelectedBroker(nullptr);
    return true;
}

void BrokerDialog::accept() {
    // OK keeps what the window shows: the broker shown is saved, a filled-in new entry added.
    if (selected_ ? SaveBroker() : (NothingEntered() || AddBroker())) QDialog::accept();
}

}  // namespace quoravel
