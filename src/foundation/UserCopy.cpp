#include "UserCopy.h"

#include <filesystem>
#include <utility>

#include "RuntimeError.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {

UserCopy::UserCopy(std::string userFolder, std::string shippedFolder, std::string fileName)
    : userFolder_(std::move(userFolder)),
      shippedFolder_(std::move(shippedFolder)),
      fileName_(std::move(fileName)) {}

std::string UserCopy::ReadPath() const {
    if (!userFolder_.empty()) {
        const fs::path own = ResolveFileName(fs::path(userFolder_) / fileName_);
        if (FileExists(own)) return own.string();
    }
    return ResolveFileName(fs::path(shippedFolder_) / fileName_).string();
}

std::string UserCopy::WritePath(bool startFromShipped) const {
    if (userFolder_.empty()) return ResolveFileName(fs::path(shippedFolder_) / fileName_).string();
    std::error_code failed;
    fs::create_directories(userFolder_, failed);
    if (failed) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "UserCopy",
                           "The folder " + userFolder_ + " cannot be made: " + failed.message() + ".");
    }
    const fs::path own = ResolveFileName(fs::path(userFolder_) / fileName_);
    const fs::path shipped = ResolveFileName(fs::path(shippedFolder_) / fileName_);
    if (startFromShipped && !FileExists(own) && FileExists(shipped)) {
        // The copy is the user's to change: it must not keep a read-only mode.
        fs::copy_file(shipped, own, failed);
        if (!failed)
            fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                            failed);
        if (failed) {
            throw RuntimeError(ErrorNumber::PathFileAccessError, "UserCopy",
                               "The file " + shipped.string() + " cannot be copied to " + own.string() +
                                   ": " + failed.message() + ".");
        }
    }
    return own.string();
}

}  // namespace quoravel
