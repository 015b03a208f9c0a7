#pragma once

#include <QString>

// The settings store a user's installation starts with. Left to itself the
// program builds a list at one game per tick and shows every missing game:
// with MAME's tens of thousands of systems that is an hour's build and a
// list that buries the few games the user has. An installation starts
// with the fast pace and without the missing games instead; the program's
// own defaults and every store that exists stay as they are.
namespace InstallerStore {

enum class Result { Written, AlreadyThere };

// Creates the store `file` holding those two choices (and the first start's
// paths to search, "C:") in its root, read back
// to be sure they are there; a file that exists is not touched. Throws
// (StoreOpenError, std::runtime_error) when the store cannot be written.
Result PrepareNewStore(const QString& file);

}  // namespace InstallerStore
