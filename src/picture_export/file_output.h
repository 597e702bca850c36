#pragma once
// Writes a file whole or reports why it could not. A regular file is written beside its place
// and renamed over it, so a failed write (a full disk, a read-only folder) leaves what was there;
// a device or a pipe is written in place.
#include <string>
#include <string_view>

namespace linklab {

// Returns an empty string on success, else the system's reason ("No space left on device").
std::string writeWholeFile(const std::string& path, std::string_view bytes);

}  // namespace linklab
