#include "UserDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "TextFile.h"

namespace quoravel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The box as the user answered it: the standard button clicked, NoButton
// when it was closed without one.
QMessageBox::StandardButton Answer(QWidget* parent, const std::string& title, const std::string& text,
                                   MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), Q(title), Q(text), QMessageBox::NoButton, parent);
    switch (buttons) {
        case MessageButtons::Ok:
            box.addButton(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.addButton(QMessageBox::Ok);
            box.setDefaultButton(box.addButton(QMessageBox::Cancel));
            break;
        case MessageButtons::YesNo:
            box.addButton(QMessageBox::Yes);
            box.setDefaultButton(box.addButton(QMessageBox::No));
            break;
        case MessageButtons::SaveDiscardCancel:
            box.setDefaultButton(box.addButton(QMessageBox::Save));
            box.addButton(QMessageBox::Discard);
            box.setEscapeButton(box.addButton(QMessageBox::Cancel));
            break;
    }
    box.exec();
    return box.standardButton(box.clickedButton());
}

}  // namespace

bool WidgetDialogs::Ask(QWidget* parent, const std::string& title, const std::string& text,
                        MessageButtons buttons, MessageIcon icon) {
    const QMessageBox::StandardButton answer = Answer(parent, title, text, buttons, icon);
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes || answer == QMessageBox::Save;
}

SaveAnswer WidgetDialogs::AskToSave(QWidget* parent, const std::string& title, const std::string& text) {
    switch (Answer(parent, title, text, MessageButtons::SaveDiscardCancel, MessageIcon::Question)) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

std::optional<std::string> WidgetDialogs::Input(QWidget* parent, const std::string& title,
                                                const std::string& prompt, bool hideTyping) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, Q(title), Q(prompt),
                                               hideTyping ? QLineEdit::Password : QLineEdit::Normal, {}, &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::string WithFilterExtension(const std::string& path, const std::string& filter) {
    const std::size_t open = filter.find("(*.");
    const std::size_t close = filter.find(')', open);
    if (path.empty() || open == std::string::npos || close == std::string::npos) return path;
    const std::string extension = filter.substr(open + 2, close - open - 2);
    if (extension.find_first_of("* ") != std::string::npos) return path;
    return std::filesystem::path(path).extension().empty() ? path + extension : path;
}

std::string UserDialogs::SaveFileName(QWidget* parent, const std::string& title, const std::string& folder,
                                      const std::string& filters, const std::string& selectedFilter) {
    const std::string typed = ChooseSaveFile(parent, title, folder, filters, selectedFilter);
    const std::string path = WithFilterExtension(typed, selectedFilter);
    // The dialog asks before replacing only the very name typed; a file the
    // extension added or a name of other case leads to is asked about here.
    const std::filesystem::path existing = ResolveFileName(path);
    std::error_code unknown;
    if (!path.empty() && (path != typed || existing != std::filesystem::path(path)) &&
        std::filesystem::exists(existing, unknown) &&
        !Ask(parent, title, existing.filename().string() + " already exists.\nDo you want to replace it?",
             MessageButtons::YesNo, MessageIcon::Exclamation)) {
        return {};
    }
    return path;
}

std::string WidgetDialogs::ChooseSaveFile(QWidget* parent, const std::string& title,
                                          const std::string& folder, const std::string& filters,
                                          const std::string& selectedFilter) {
    QString selected = Q(selectedFilter);
    return QFileDialog::getSaveFileName(parent, Q(title), Q(folder), Q(filters), &selected).toStdString();
}

std::string WidgetDialogs::OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                                        const std::string& filters) {
    return QFileDialog::getOpenFileName(parent, Q(title), Q(folder), Q(filters)).toStdString();
}

}  // namespace quoravel
