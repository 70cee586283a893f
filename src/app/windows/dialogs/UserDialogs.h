#pragma once

#include <optional>
#include <string>

class QWidget;

namespace quoravel {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class SaveAnswer { Save, Discard, Cancel };

// Every message box, input box and file dialog of the windows goes through
// this one service: the program shows real dialogs, the tests answer them.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message box; true when it is answered OK or Yes.
    virtual bool Ask(QWidget* parent, const std::string& title, const std::string& text,
                     MessageButtons buttons, MessageIcon icon) = 0;
    // A question before changes are left behind: Save them, Discard them, or
    // Cancel and stay where the user was.
    virtual SaveAnswer AskToSave(QWidget* parent, const std::string& title, const std::string& text) = 0;
    // An input box; nothing when cancelled.
    virtual std::optional<std::string> Input(QWidget* parent, const std::string& title,
                                             const std::string& prompt, bool hideTyping = false) = 0;
    // A save-file dialog with Qt filters ("Case Files (*.clt);;All Files (*)");
    // the chosen path, or "" when cancelled. A name typed without an
    // extension gets the one of the selected filter (".clt"), so that the
    // file is found again by the same filter.
    std::string SaveFileName(QWidget* parent, const std::string& title, const std::string& folder,
                             const std::string& filters, const std::string& selectedFilter);
    // An open-file dialog for an existing file; "" when cancelled.
    virtual std::string OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                                     const std::string& filters) = 0;

    void Show(QWidget* parent, const std::string& title, const std::string& text,
              MessageIcon icon = MessageIcon::Information) {
        Ask(parent, title, text, MessageButtons::Ok, icon);
    }

protected:
    // The save-file dialog itself: the path as the user gave it.
    virtual std::string ChooseSaveFile(QWidget* parent, const std::string& title, const std::string& folder,
                                       const std::string& filters, const std::string& selectedFilter) = 0;
};

// `path` with the extension of `filter` ("PDF Files (*.pdf)" gives ".pdf")
// when its file name has none; as it is when the filter names no single
// extension or the path is empty.
std::string WithFilterExtension(const std::string& path, const std::string& filter);

// The real dialogs of Qt Widgets.
class WidgetDialogs final : public UserDialogs {
public:
    bool Ask(QWidget* parent, const std::string& title, const std::string& text, MessageButtons buttons,
             MessageIcon icon) override;
    SaveAnswer AskToSave(QWidget* parent, const std::string& title, const std::string& text) override;
    std::optional<std::string> Input(QWidget* parent, const std::string& title, const std::string& prompt,
                                     bool hideTyping) override;
    std::string OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                             const std::string& filters) override;

protected:
    std::string ChooseSaveFile(QWidget* parent, const std::string& title, const std::string& folder,
                               const std::string& filters, const std::string& selectedFilter) override;
};

}  // namespace quoravel
