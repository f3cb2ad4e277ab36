// What the planted-library test needs: a folder of its own, as a user's Downloads folder, and Wine
// told to take a library found on a program's search path before its own copy, as Windows does
// for a name that is not one of its known libraries. Both are undone when they go out of scope,
// however the test ended.
#pragma once
#include <windows.h>

#include <string>

namespace tarvolin::test {

// A folder in the temporary folder, emptied when made; removed with its files when this goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool ok() const { return ok_; }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  void Empty() const;
  std::wstring path_;
  bool ok_ = false;
};

// HKCU\Software\Wine\AppDefaults\<program>\DllOverrides, <library> = "native,builtin". The value
// is removed again, and the keys that this made.
class PreferLibraryOnSearchPath {
 public:
  PreferLibraryOnSearchPath(const std::wstring& program, const std::wstring& library);
  ~PreferLibraryOnSearchPath();
  PreferLibraryOnSearchPath(const PreferLibraryOnSearchPath&) = delete;
  PreferLibraryOnSearchPath& operator=(const PreferLibraryOnSearchPath&) = delete;

  bool ok() const { return ok_; }

 private:
  std::wstring keys_[3];  // AppDefaults, the program's, its DllOverrides
  std::wstring library_;
  int made_ = 0;  // the first of keys_ that this made
  bool ok_ = false;
};

}  // namespace tarvolin::test
