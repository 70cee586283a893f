#pragma once

#include <optional>
#include <string>

class QWidget;

namespace quoravel {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };

// Every message box, input box and file dialog of the windows goes through
// this one service: the program shows real dialogs, the tests answer them.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message box; true when it is answered OK or Yes.
    virtual bool Ask(QWidget* parent, const std::string& title, const std::string& text,
                     MessageButtons buttons, MessageIcon icon) = 0;
    // An input box; nothing when cancelled.
    virtual std::optional<std::string> Input(QWidget* parent, const std::string& title,
                                             const std::string& prompt, bool hideTyping = false) = 0;
    // A save-file dialog with Qt filters ("Case Files (*.clt);;All Files (*)");
    // the chosen path, or "" when cancelled.
    virtual std::string SaveFileName(QWidget* parent, const std::string& title, const std::string& folder,
                                     const std::string& filters, const std::string& selectedFilter) = 0;
    // An open-file dialog for an existing file; "" when cancelled.
    virtual std::string OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                                     const std::string& filters) = 0;

    void Show(QWidget* parent, const std::string& title, const std::string& text,
              MessageIcon icon = MessageIcon::Information) {
        Ask(parent, title, text, MessageButtons::Ok, icon);
    }
};

// The real dialogs of Qt Widgets.
class WidgetDialogs final : public UserDialogs {
public:
    bool Ask(QWidget* parent, const std::string& title, const std::string& text, MessageButtons buttons,
             MessageIcon icon) override;
    std::optional<std::string> Input(QWidget* parent, const std::string& title, const std::string& prompt,
                                     bool hideTyping) override;
    std::string SaveFileName(QWidget* parent, const std::string& title, const std::string& folder,
                             const std::string& filters, const std::string& selectedFilter) override;
    std::string OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                             const std::string& filters) override;
};

}  // namespace quoravel
