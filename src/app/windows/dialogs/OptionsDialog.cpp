#include "OptionsDialog.h"

#include <QPushButton>

#include "IllustrationOptions.h"
#include "StatesFile.h"
#include "ui_OptionsDialog.h"

namespace quoravel {
namespace {

constexpr const char* kSection = "Options";

}  // namespace

OptionsDialog::OptionsDialog(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::OptionsDialog>()) {
    ui_->setupUi(this);
    stateLists_ = {ui_->cboDefaultStateBRN, ui_->cboDefaultStateQNB, ui_->cboDefaultStateTVNY};
    for (std::int32_t company = 0; company < static_cast<std::int32_t>(stateLists_.size()); ++company) {
        QComboBox* list = stateLists_[static_cast<std::size_t>(company)];
        for (const std::string& state : StatesOf(context_.process.ProgramFolder, CompanyCode(company))) {
            list->addItem(QString::fromStdString(state));
        }
        const DefaultStateSetting setting = DefaultStateOf(company);
        const std::string stored = context_.settings.Get(kSection, setting.key, setting.defaultState);
        // A state the carrier no longer sells in shows no selection and is kept as stored.
        list->setCurrentIndex(list->findText(QString::fromStdString(stored), Qt::MatchFixedString));
    }
    ui_->chkAutoSaveClients->setChecked(context_.settings.GetFlag(kSection, "AutoSaveClients", true));
    ui_->chkUseAcrobat->setChecked(context_.settings.GetFlag(kSection, "UseAcrobat", false));
    connect(ui_->buttonBox->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &OptionsDialog::Apply);
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::Apply() {
    for (std::int32_t company = 0; company < static_cast<std::int32_t>(stateLists_.size()); ++company) {
        const QComboBox* list = stateLists_[static_cast<std::size_t>(company)];
        const DefaultStateSetting setting = DefaultStateOf(company);
        const std::string state = list->currentIndex() >= 0
                                      ? list->currentText().toStdString()
                                      : context_.settings.Get(kSection, setting.key, setting.defaultState);
        context_.settings.Save(kSection, setting.key, state);
    }
    context_.settings.Save(kSection, "AutoSaveClients", ui_->chkAutoSaveClients->isChecked() ? 1L : 0L);
    context_.settings.SaveFlag(kSection, "UseAcrobat", ui_->chkUseAcrobat->isChecked());
}

void OptionsDialog::accept() {
    Apply();
    QDialog::accept();
}

}  // namespace quoravel
