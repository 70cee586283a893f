#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>

#include "Collection.h"
#include "WindowContext.h"
#include "cBroker.h"

namespace Ui {
class frmBrokerInfo;
}

namespace quoravel {

// The broker window: adds, changes and deletes the brokers of the broker
// collection. Changes go to the collection at once; the main window saves
// the broker file after the window closes.
class frmBrokerInfo : public QDialog {
    Q_OBJECT
public:
    frmBrokerInfo(WindowContext& context, Collection<cBroker>& brokers, std::int32_t company,
                  QWidget* parent = nullptr);
    ~frmBrokerInfo() override;

    // The broker shown in the window; null for a new entry.
    Collection<cBroker>::Ptr SelectedBroker() const { return selected_; }
    // Shows the broker's fields; null (or a broker not in the collection) starts a new entry.
    void SetSelectedBroker(const Collection<cBroker>::Ptr& broker);

    // The buttons' work; each returns false when the user stopped it or the entry was refused.
    bool SaveBroker();
    bool AddBroker();
    bool DeleteBroker();
    void accept() override;

private:
    // The broker the fields describe, or nothing (after a message) when an entry is refused.
    std::optional<cBroker> EnteredBroker();
    bool NothingEntered() const;
    // False when the user declines a second broker of the same name; `self` is the broker being changed.
    bool ConfirmName(const cBroker& entered, const cBroker* self);
    void FillFields(const cBroker& broker);
    void ListBrokers();

    WindowContext& context_;
    Collection<cBroker>& brokers_;
    std::int32_t company_;
    std::unique_ptr<Ui::frmBrokerInfo> ui_;
    Collection<cBroker>::Ptr selected_;
};

}  // namespace quoravel
