#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ProcessValues.h"
#include "TestSupport.h"
#include "UserDialogs.h"
#include "UserSettings.h"
#include "WindowContext.h"

// Dialogs the test answers: every box shown is recorded; questions take the
// queued answers (OK/Yes or Save when none is queued), input boxes the queued texts
// (cancelled when none is queued), file dialogs the queued paths ("" when none).
class ScriptedDialogs final : public quoravel::UserDialogs {
public:
    struct Shown {
        std::string title;
        std::string text;
        quoravel::MessageButtons buttons;
        quoravel::MessageIcon icon;
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<quoravel::SaveAnswer> saveAnswers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::string> files;
    std::vector<std::string> inputTitles;

    bool Ask(QWidget*, const std::string& title, const std::string& text, quoravel::MessageButtons buttons,
             quoravel::MessageIcon icon) override {
        shown.push_back({title, text, buttons, icon});
        return Next(answers, true);
    }
    quoravel::SaveAnswer AskToSave(QWidget*, const std::string& title, const std::string& text) override {
        shown.push_back(
            {title, text, quoravel::MessageButtons::SaveDiscardCancel, quoravel::MessageIcon::Question});
        return Next(saveAnswers, quoravel::SaveAnswer::Save);
    }
    std::optional<std::string> Input(QWidget*, const std::string& title, const std::string&, bool) override {
        inputTitles.push_back(title);
        return Next(inputs, std::optional<std::string>());
    }
    std::string OpenFileName(QWidget* parent, const std::string& title, const std::string& folder,
                             const std::string& filters) override {
        return ChooseSaveFile(parent, title, folder, filters, "");
    }
    // The text of the last box shown, "" when none was.
    std::string LastText() const { return shown.empty() ? "" : shown.back().text; }

protected:
    std::string ChooseSaveFile(QWidget*, const std::string& title, const std::string&, const std::string&,
                               const std::string&) override {
        inputTitles.push_back(title);
        return Next(files, std::string());
    }

private:
    template <typename T>
    static T Next(std::deque<T>& queue, T none) {
        if (queue.empty()) return none;
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

// The window's control of that object name; a failure of the test when there is none.
template <typename T>
T* Control(const QObject& window, const QString& name) {
    T* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

// Empties the per-user store (which the test main points at a scratch folder).
struct FreshUserSettings {
    FreshUserSettings() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Quoravel", "Quoravel").clear();
    }
};

// A window test: a program folder of its own holding the bundled settings
// files, user folders of its own, an empty per-user store and dialogs the
// test answers.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        for (const auto& entry : std::filesystem::directory_iterator(QUORAVEL_DATA_DIR)) {
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(), program.path() / entry.path().filename());
        }
        process.ProgramFolder = program.folder();
        process.StartDirectory = program.path().string();
        process.UserFolder = mine.folder();
        process.RunsFolder = cache.folder() + "runs/";
        process.VersionText = "V1.0";
    }

    // The sample rate files and pictures of the build, for tests that make a proposal.
    void AddRatesAndPictures() {
        for (const auto& entry : std::filesystem::directory_iterator(QUORAVEL_PROGRAM_DIR)) {
            const auto target = program.path() / entry.path().filename();
            if (entry.is_regular_file() && !std::filesystem::exists(target))
                std::filesystem::create_symlink(entry.path(), target);
        }
    }

    // A file of the user's data folder.
    std::string Own(const std::string& name) const { return mine.folder() + name; }

    TempFolder program;
    TempFolder mine;   // the user's data folder
    TempFolder cache;  // holds the user's run folders
    FreshUserSettings fresh;
    quoravel::ProcessValues process;
    quoravel::UserSettings settings;
    ScriptedDialogs dialogs;
    quoravel::WindowContext context{process, settings, dialogs};
};
