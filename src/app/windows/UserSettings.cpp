#include "UserSettings.h"

#include <QSettings>

#include "Text.h"

namespace quoravel {
namespace {

QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section + "/" + key);
}

}  // namespace

UserSettings::UserSettings()
    : store_(
          std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quoravel", "Quoravel")) {}

UserSettings::~UserSettings() = default;

std::string UserSettings::Get(const std::string& section, const std::string& key,
                              const std::string& defaultValue) const {
    const QVariant value = store_->value(KeyPath(section, key));
    return value.isValid() ? value.toString().toStdString() : defaultValue;
}

long UserSettings::GetNumber(const std::string& section, const std::string& key, long defaultValue) const {
    bool ok = false;
    const long value = QString::fromStdString(std::string(Trim(Get(section, key, "")))).toLong(&ok);
    return ok ? value : defaultValue;
}

bool UserSettings::GetFlag(const std::string& section, const std::string& key, bool defaultValue) const {
    const std::string text = ToUpper(Trim(Get(section, key, "")));
    if (text == "TRUE" || text == "YES" || text == "Y") return true;
    if (text == "FALSE" || text == "NO" || text == "N") return false;
    bool ok = false;
    const long number = QString::fromStdString(text).toLong(&ok);
    return ok ? number != 0 : defaultValue;
}

void UserSettings::Save(const std::string& section, const std::string& key, const std::string& value) {
    store_->setValue(KeyPath(section, key), QString::fromStdString(value));
    store_->sync();
}

void UserSettings::Save(const std::string& section, const std::string& key, long value) {
    Save(section, key, std::to_string(value));
}

void UserSettings::SaveFlag(const std::string& section, const std::string& key, bool value) {
    Save(section, key, std::string(value ? "True" : "False"));
}

}  // namespace quoravel
