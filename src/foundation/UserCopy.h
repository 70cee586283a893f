#pragma once

#include <string>

namespace quoravel {

// A file the program ships and the user may change (commission percentages,
// brokers, case directories). The shipped copy is only read: the user's own
// copy, in the user's folder, is read first when there is one, and every
// change goes there. With no user folder the shipped copy is used alone.
class UserCopy {
public:
    UserCopy(std::string userFolder, std::string shippedFolder, std::string fileName);

    // The file to read: the user's copy when it exists, else the shipped one.
    std::string ReadPath() const;
    // The file to write: the user's copy. When `startFromShipped` and the
    // user has no copy yet, it begins as the shipped file, so a change of some
    // keys keeps every other line. Raises a RuntimeError naming the folder or
    // file that cannot be made.
    std::string WritePath(bool startFromShipped) const;

private:
    std::string userFolder_;
    std::string shippedFolder_;
    std::string fileName_;
};

}  // namespace quoravel
