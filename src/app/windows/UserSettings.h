#pragma once

#include <memory>
#include <string>

class QSettings;

namespace quoravel {

// The per-user settings store: section, key and a text value, kept by Qt in
// the user's INI file of organisation and application "Quoravel". Every key
// is read with a default and written as text. Tests point the store at a
// folder of their own with QSettings::setPath.
class UserSettings {
public:
    UserSettings();
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    std::string Get(const std::string& section, const std::string& key,
                    const std::string& defaultValue) const;
    // A whole number; a missing or non-numeric value gives the default.
    long GetNumber(const std::string& section, const std::string& key, long defaultValue) const;
    // "True", "Yes", "Y" or a nonzero number read true; a missing value gives the default.
    bool GetFlag(const std::string& section, const std::string& key, bool defaultValue) const;
    void Save(const std::string& section, const std::string& key, const std::string& value);
    void Save(const std::string& section, const std::string& key, long value);
    // Flags are written "True" and "False".
    void SaveFlag(const std::string& section, const std::string& key, bool value);

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace quoravel
