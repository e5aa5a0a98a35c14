#pragma once
// Files and folders by wide path.
#include <string>
#include <string_view>
#include <sys/types.h>

namespace Utils {

inline constexpr const wchar_t* kWorkFolderName = L"~OrvekTemp.92482B06FB471E17";
inline constexpr std::size_t kMaxPathChars = 260;

// PathFileExistsW: a file or a folder of that name exists.
bool FileExists(std::wstring_view path);
bool IsDirectory(std::wstring_view path);

// Creates every missing folder of the path, parents first. False when the path is
// longer than 260 characters, when a part exists but is not a folder, or when a folder
// cannot be created. An existing folder gives true and creates nothing.
bool CreateFolderPath(std::wstring_view path);

// The installer's work folder in the temporary folder, ending with the separator; made
// (one level, private to the user) when missing. Empty on failure, and also when the name
// is taken by something this user does not own or that is not a plain folder: the
// temporary folder is shared, and the work folder holds programs that get started.
std::wstring GetWorkFolder();

// PathStripPathW, PathRemoveFileSpecW and joining with the separator.
std::wstring FileNameOf(std::wstring_view path);
std::wstring FolderOf(std::wstring_view path);
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Adds the execute bits that match the read bits (a downloaded package must be runnable).
bool MakeExecutable(std::wstring_view path);

bool ReadFileBytes(std::wstring_view path, std::string& bytes);
// Writes a temporary file beside the target, flushes it and renames it over the target,
// so readers see the old or the new content, never a part. An existing target keeps its
// permission bits; a new one gets `newFileMode`.
bool WriteFileAtomically(std::wstring_view path, std::string_view bytes, mode_t newFileMode = 0644);
// CopyFileW: false when the source cannot be read or, with failIfExists, the target exists.
bool CopyFile(std::wstring_view source, std::wstring_view target, bool failIfExists);
bool DeleteFile(std::wstring_view path);

}  // namespace Utils
