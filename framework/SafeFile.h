// Writing and setting aside files so that a crash or a bad file never costs what was stored.
#pragma once
#include <string>

// Writes bytes to "<path>.new", puts them on the disk, then lets that file take path's place in
// one step: at any moment path holds either the old contents or the new ones, whole.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);
// Renames path to path + suffix, or path + suffix + "-2", "-3" ... when that name is taken;
// movedTo receives the new name. False when it could not be moved.
bool MoveAside(const std::string& path, const std::string& suffix, std::string& movedTo);
