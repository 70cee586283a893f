#include "TipDialog.h"

#include <QSignalBlocker>

#include "Cp1252.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"
#include "WindowPlacement.h"
#include "ui_TipDialog.h"

namespace quoravel {
namespace {

constexpr const char* kSection = "Options";
constexpr const char* kShowTipsKey = "Show Tips at Startup";
constexpr const char* kTipsFile = "TIPOFDAY.TXT";

}  // namespace

TipDialog::TipDialog(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::TipDialog>()) {
    ui_->setupUi(this);
    connect(ui_->cmdNextTip, &QPushButton::clicked, this, &TipDialog::NextTip);
    connect(ui_->chkShowTips, &QCheckBox::toggled, this,
            [this](bool on) { context_.settings.Save(kSection, kShowTipsKey, on ? 1L : 0L); });
}

TipDialog::~TipDialog() = default;

bool TipDialog::WouldShow() const {
    return ForceShow || context_.settings.GetFlag(kSection, kShowTipsKey, true);
}

void TipDialog::Open() {
    {
        const QSignalBlocker quiet(ui_->chkShowTips);
        ui_->chkShowTips->setChecked(context_.settings.GetFlag(kSection, kShowTipsKey, true));
    }
    try {
        if (!LoadTips(context_.process.ProgramFolder + kTipsFile)) {
            ui_->lblTipText->setText(
                "That the TIPOFDAY.TXT file was not found? \n"
                "Create a text file named TIPOFDAY.TXT using NotePad with 1 tip per line. "
                "Then place it in the same directory as the application. ");
        }
    } catch (const RuntimeError& error) {
        // A tips file that cannot be read is no reason to stop the program.
        ui_->lblTipText->setText(QString::fromStdString(error.Description()));
    }
    currentTip_ = static_cast<int>(context_.settings.GetNumber(kSection, "LastTip", 1));
    NextTip();
}

void TipDialog::ShowModal() {
    if (!WouldShow()) return;
    Open();
    PlaceOnScreen(*this);
    exec();
}

bool TipDialog::LoadTips(const std::string& file) {
    tips_.clear();
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (bytes) {
        for (std::string_view line : SplitLines(*bytes)) {
            if (!Trim(line).empty()) tips_.push_back(QString::fromStdString(Cp1252ToUtf8(Trim(line))));
        }
    }
    ui_->cmdNextTip->setEnabled(tips_.size() > 1);
    return bytes.has_value();
}

void TipDialog::DisplayCurrentTip() {
    if (currentTip_ >= 1 && currentTip_ <= static_cast<int>(tips_.size())) {
        ui_->lblTipText->setText(tips_[static_cast<std::size_t>(currentTip_ - 1)]);
    }
}

void TipDialog::NextTip() {
    // Without tips the explanation stays and the remembered tip is kept.
    if (tips_.empty()) return;
    ++currentTip_;
    if (currentTip_ < 1 || currentTip_ > static_cast<int>(tips_.size())) currentTip_ = 1;
    context_.settings.Save(kSection, "LastTip", static_cast<long>(currentTip_));
    DisplayCurrentTip();
}

QString TipDialog::ShownText() const { return ui_->lblTipText->text(); }

}  // namespace quoravel
