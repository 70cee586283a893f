#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "WindowContext.h"

namespace Ui {
class CaseDirectoryDialog;
}

namespace quoravel {

// The case directory picker: the case files (".clt") of the program folder,
// each listed by its name without extension.
class CaseDirectoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit CaseDirectoryDialog(WindowContext& context, QWidget* parent = nullptr);
    ~CaseDirectoryDialog() override;

    // Opens the window modally: the chosen case file's full path, "" on Cancel.
    std::string Choose();
    // The full path of the chosen case file; "" while none is chosen.
    std::string SelectedPath() const;

private:
    void ListCaseFiles();

    WindowContext& context_;
    std::unique_ptr<Ui::CaseDirectoryDialog> ui_;
};

}  // namespace quoravel
