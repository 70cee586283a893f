#include "CaseDirectoryDialog.h"

#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "Text.h"
#include "UserFilePaths.h"
#include "ui_CaseDirectoryDialog.h"

namespace fs = std::filesystem;

namespace quoravel {

CaseDirectoryDialog::CaseDirectoryDialog(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), ui_(std::make_unique<Ui::CaseDirectoryDialog>()) {
    ui_->setupUi(this);
    ui_->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(ui_->lstCaseFiles, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        ui_->txtCaseName->setText(item ? item->text() : QString());
        ui_->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr);
    });
    connect(ui_->lstCaseFiles, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    ListCaseFiles();
}

CaseDirectoryDialog::~CaseDirectoryDialog() = default;

void CaseDirectoryDialog::ListCaseFiles() {
    // The user's case directories, and the program's own that the user has
    // no copy of.
    std::vector<std::string> files;
    for (const std::string& folder : {context_.process.UserFolder, context_.process.ProgramFolder}) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !folder.empty() && !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            const bool listed = std::any_of(files.begin(), files.end(),
                                            [&](const std::string& file) { return EqualNoCase(file, name); });
            if (name.size() > 4 && EqualNoCase(name.substr(name.size() - 4), ".clt") && !listed &&
                it->is_regular_file(ec)) {
                files.push_back(name);
            }
        }
    }
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return ToUpper(a) < ToUpper(b); });
    for (const std::string& file : files) {
        // Listed by the name before the first "."; the entry keeps the file it stands for.
        auto* item =
            new QListWidgetItem(QString::fromStdString(file.substr(0, file.find('.'))), ui_->lstCaseFiles);
        item->setData(Qt::UserRole, QString::fromStdString(file));
        item->setToolTip(QString::fromStdString(file));
    }
}

std::string CaseDirectoryDialog::Choose() { return exec() == QDialog::Accepted ? SelectedPath() : ""; }

std::string CaseDirectoryDialog::SelectedPath() const {
    const QListWidgetItem* item = ui_->lstCaseFiles->currentItem();
    if (!item) return "";
    return KeptPath(context_.process, item->data(Qt::UserRole).toString().toStdString());
}

}  // namespace quoravel
