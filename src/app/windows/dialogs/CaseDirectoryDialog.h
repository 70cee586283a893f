#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "WindowContext.h"

namespace Ui {
class frmClientDirectory;
}

namespace quoravel {

// The case directory picker: the case files (".clt") of the program folder,
// each listed by its name without extension.
class frmClientDirectory : public QDialog {
    Q_OBJECT
public:
    explicit frmClientDirectory(WindowContext& context, QWidget* parent = nullptr);
    ~frmClientDirectory() override;

    // Opens the window modally: the chosen case file's full path, "" on Cancel.
    std::string Choose();
    // The full path of the chosen case file; "" while none is chosen.
    std::string SelectedPath() const;

private:
    void ListCaseFiles();

    WindowContext& context_;
    std::unique_ptr<Ui::frmClientDirectory> ui_;
};

}  // namespace quoravel
