#pragma once

#include <QTemporaryDir>

namespace quoravel {

// Qt wants a private runtime folder. A process that draws pages without a
// window needs nothing of the user's session, so it gets a folder of its own
// for the object's lifetime, whatever the environment names: nothing is said
// on stderr, nothing is left behind. Make it before the application object.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder();

private:
    QTemporaryDir folder_;
};

}  // namespace quoravel
