// File helpers of the window layer: the program folder, splitting paths, and
// saving a transcript without ever damaging an existing file.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

// The program's own path, or with folderOnly its folder with a closing "/":
// the executable's folder when it holds a profiles/ folder, otherwise the
// installed data folder ../share/pladdo/ beside it. Not lower-cased.
// The result is Windows-1252 like every path the controller handles.
std::string GetProgramFolder(bool folderOnly);

// The files the program finds in its folder: the ReadMe file, the language
// table, and the default profiles of engine 1 (index 0) and engine 2.
std::string GetReadMePath();
std::string GetDefaultLanguageFile();
std::string GetDefaultProfile(int index);

// The part after the last "\" (or, when there is none, the last "/").
std::string GetFileNamePart(std::string_view path);
// The part up to and including that separator; the whole path when none.
std::string GetFolderPart(std::string_view path);

// Converts a Windows-1252 path to the file system's form (UTF-8).
std::string ToNativePath(std::string_view path);

// Writes utf8Text to path (Windows-1252) through a temporary file in the
// same folder renamed over the target. On failure returns false, leaves any
// existing file untouched and puts a Swedish explanation with the path and
// the reason (FormatSystemError) into error (Windows-1252).
bool SaveTextFile(std::string_view path, std::string_view utf8Text,
                  std::string& error);

}  // namespace pladdo
