#pragma once

// What outputs leave under hidden names, and its removal once no running output holds it.
//
// An output writes aside under hidden names: a file ".orvx-" + six letters or digits beside its
// target, or, for a folder of pages, a folder of such a name beside the target folder. Running
// outputs hold locks that tell their names from the leftovers of killed ones: a file being
// written is locked through its descriptor, a folder being built through the folder's, and a
// folder output holds its target folder with a shared lock for as long as it runs (its pages may
// wait there with no descriptor). An output that gets the target folder's lock alone knows that
// no folder output runs there, so every unlocked hidden file in it is a leftover. On a file
// system without locks nothing is taken for a leftover.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// The hidden names: the prefix and six letters or digits, 12 bytes in all, so that any target
// name the file system takes leaves room for them.
inline constexpr std::size_t kHiddenNameLength = 12;
bool isHiddenName(std::string_view name);
std::string randomHiddenName();

// The hidden files of this process's outputs that wait for their commit with no descriptor: a
// later output of this process into the same folder must not take them for leftovers.
void markWaiting(dev_t device, ino_t inode);
void unmarkWaiting(dev_t device, ino_t inode);

// Whether `name` in the folder still stands for the object open at `fd`: since the open, another
// output may have removed the name, made it again, or exchanged the folder it named.
bool stillNamed(int folderFd, const std::string& name, int fd);

// Takes the folder's lock alone when no folder output holds it; false when one does or the file
// system has no locks.
bool lockFolderAlone(int folderFd);

// Removes this user's regular files under hidden names that no output holds. Only for a caller
// that holds the folder's lock alone.
void removeLeftoverFiles(int folderFd);

// Removes this user's hidden folders in `parentFd` that no output holds, with the page and hidden
// files in them. One that holds anything else stays, so that nothing of the caller's is lost.
void removeLeftoverFolders(int parentFd);

// The names in a folder, without "." and ".."; nothing, with errno set, when it cannot be read.
std::optional<std::vector<std::string>> namesIn(int folderFd);
