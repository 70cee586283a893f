#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>

#include "Broker.h"
#include "Collection.h"
#include "WindowContext.h"

namespace Ui {
class BrokerDialog;
}

namespace quoravel {

// The broker window: adds, changes and deletes the brokers of the broker
// collection. Changes go to the collection at once; the main window saves
// the broker file after the window closes.
class BrokerDialog : public QDialog {
    Q_OBJECT
public:
    BrokerDialog(WindowContext& context, Collection<Broker>& brokers, std::int32_t company,
                 QWidget* parent = nullptr);
    ~BrokerDialog() override;

    // The broker shown in the window; null for a new entry.
    Collection<Broker>::Ptr SelectedBroker() const { return selected_; }
    // Shows the broker's fields; null (or a broker not in the collection) starts a new entry.
    void SetSelectedBroker(const Collection<Broker>::Ptr& broker);

    // The buttons' work; each returns false when the user stopped it or the entry was refused.
    bool SaveBroker();
    bool AddBroker();
    bool DeleteBroker();
    void accept() override;

private:
    // The broker the fields describe, or nothing (after a message) when an entry is refused.
    std::optional<Broker> EnteredBroker();
    bool NothingEntered() const;
    // False when the user declines a second broker of the same name; `self` is the broker being changed.
    bool ConfirmName(const Broker& entered, const Broker* self);
    void FillFields(const Broker& broker);
    void ListBrokers();

    WindowContext& context_;
    Collection<Broker>& brokers_;
    std::int32_t company_;
    std::unique_ptr<Ui::BrokerDialog> ui_;
    Collection<Broker>::Ptr selected_;
};

}  // namespace quoravel
