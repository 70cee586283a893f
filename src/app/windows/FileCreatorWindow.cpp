#include "FileCreatorWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <filesystem>

#include "RateTool.h"
#include "RuntimeError.h"
#include "UserFilePaths.h"
#include "WaitCursor.h"
#include "ui_FileCreatorWindow.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kTitle = "File Creator";
constexpr const char* kRateFileFilters =
    "Packed Files (*.sp);;Rate Files (*.rat);;All Files (*);;Text Files (*.txt)";

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FileCreatorWindow::FileCreatorWindow(WindowContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(std::make_unique<Ui::FileCreatorWindow>()),
      optRateType_(new QButtonGroup(this)) {
    ui_->setupUi(this);
    // One option per rate type, under the label of the carriers whose products use it.
    std::string_view group;
    for (const RateType& type : RateTypes()) {
        if (type.group != group) {
            if (!group.empty()) ui_->layoutRateTypes->addSpacing(8);
            group = type.group;
            auto* label = new QLabel(ToQString(group), ui_->fraLevelRates);
            label->setObjectName(QStringLiteral("lblRateGroup%1").arg(type.index));
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
            ui_->layoutRateTypes->addWidget(label);
        }
        auto* option = new QRadioButton(ToQString(type.caption), ui_->fraLevelRates);
        option->setObjectName(QStringLiteral("optRateType%1").arg(type.index));
        optRateType_->addButton(option, type.index);
        ui_->layoutRateTypes->addWidget(option);
    }
    ui_->layoutRateTypes->addStretch();
    connect(optRateType_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) ShowRateNote();
    });
    optRateType_->button(0)->setChecked(true);
    connect(ui_->cmdFileInfo, &QToolButton::clicked, this, &FileCreatorWindow::ChooseInputFolder);
    connect(ui_->cmdCreateRates, &QPushButton::clicked, this, &FileCreatorWindow::CreateRates);
    connect(ui_->cmdConvert, &QPushButton::clicked, this, &FileCreatorWindow::ConvertRates);
}

FileCreatorWindow::~FileCreatorWindow() = default;

const RateType& FileCreatorWindow::SelectedType() const {
    return RateTypes()[static_cast<std::size_t>(optRateType_->checkedId())];
}

void FileCreatorWindow::ShowRateNote() {
    ui_->txtRateNote->setPlainText(ToQString(RateTypeHelpText(SelectedType())).replace("\r\n", "\n"));
}

void FileCreatorWindow::ChooseInputFolder() {
    const std::string file =
        context_.dialogs.OpenFileName(this, "Rate Input Files", TablesFolder(), "Rate Input Files (*)");
    // Any one of the tables will do: the tool names the others itself.
    if (!file.empty()) {
        ui_->txtRateInfo3->setText(
            QDir::toNativeSeparators(QFileInfo(QString::fromStdString(file)).absolutePath()));
    }
}

void FileCreatorWindow::CreateRates() {
    const RateType& type = SelectedType();
    const auto field = [](const QLineEdit* edit) { return edit->text().trimmed().toStdString(); };
    RateToolInputs inputs{field(ui_->txtRateInfo0),
                          field(ui_->txtRateInfo1),
                          field(ui_->txtRateInfo2),
                          field(ui_->txtRateInfo3),
                          {},
                          {}};
    if (type.defaultOutput.empty()) {
        // The one-year tables are named by one of their files, and the output by the user.
        inputs.brellan1Input = GetFileName("Brellan 1 Input File Name", false);
        if (inputs.brellan1Input.empty()) return;
        inputs.outputFile = GetFileName("Brellan 1 Output File Name", true);
        if (inputs.outputFile.empty()) return;
    } else {
        // The program folder is only read: a new rate file goes to the user's
        // folder, from where an administrator puts it in place.
        try {
            inputs.outputFile = WritePathOf(context_.process, std::string(type.defaultOutput));
        } catch (const RuntimeError& error) {
            context_.dialogs.Show(this, kTitle, error.Description(), MessageIcon::Exclamation);
            return;
        }
    }
    if (!HasNeededInputs(type, inputs)) {
        context_.dialogs.Show(this, kTitle, std::string(kMissingInputsMessage), MessageIcon::Exclamation);
        return;
    }
    Run([&](ErrorLog& errors) { return CreateRateFile(type, inputs, errors); });
}

void FileCreatorWindow::ConvertRates() {
    const std::string oldFile = GetFileName("Input File Name", false);
    if (oldFile.empty()) return;
    const std::string newFile = GetFileName("Output File Name", true);
    if (newFile.empty()) return;
    Run([&](ErrorLog& errors) { return ConvertOldStyleRatesToNewStyle(oldFile, newFile, errors); });
}

std::string FileCreatorWindow::GetFileName(const std::string& title, bool forSaving) {
    // New rate files go to the user's folder; inputs are looked for among the tables.
    const std::string folder = forSaving ? KeptPath(context_.process, "") : TablesFolder();
    return forSaving
               ? context_.dialogs.SaveFileName(this, title, folder, kRateFileFilters, "Rate Files (*.rat)")
               : context_.dialogs.OpenFileName(this, title, folder, kRateFileFilters);
}

std::string FileCreatorWindow::TablesFolder() const {
    const std::string tables = ui_->txtRateInfo3->text().trimmed().toStdString();
    return tables.empty() ? context_.process.ProgramFolder : tables;
}

void FileCreatorWindow::Run(const std::function<std::string(ErrorLog&)>& routine) {
    ErrorLog errors;
    std::string message;
    {
        const WaitCursor wait;
        message = routine(errors);
    }
    if (!message.empty()) context_.dialogs.Show(this, kTitle, message);
    for (const auto& error : errors) {
        context_.dialogs.Show(this, ErrorMessageTitle(error->ModuleName, error->RoutineName),
                              ErrorMessageText(error->Number, error->Severity, error->Description),
                              MessageIcon::Critical);
    }
}

}  // namespace quoravel
