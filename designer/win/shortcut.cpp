#include "designer/win/shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace designer {
namespace {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** put() { return &p_; }
  void** put_void() { return reinterpret_cast<void**>(&p_); }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

class CoTaskString {
 public:
  ~CoTaskString() { CoTaskMemFree(s_); }
  PWSTR* put() { return &s_; }
  PCWSTR get() const { return s_; }

 private:
  PWSTR s_ = nullptr;
};

}  // namespace

std::optional<std::wstring> FindDesktopFolder() {
  CoTaskString known;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, known.put())) && known.get() && *known.get())
    return std::wstring(known.get());
  // Older shells: the CSIDL lookup the designer always used, in its wide form.
  wchar_t buf[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, buf)) && buf[0]) return std::wstring(buf);
  return std::nullopt;
}

HRESULT CreateShellLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& workingFolder) {
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = link->SetPath(target.c_str()))) return hr;
  if (FAILED(hr = link->SetWorkingDirectory(workingFolder.c_str()))) return hr;
  if (FAILED(hr = link->SetArguments(L""))) return hr;
  ComPtr<IPersistFile> file;
  if (FAILED(hr = link->QueryInterface(IID_IPersistFile, file.put_void()))) return hr;
  return file->Save(linkPath.c_str(), TRUE);
}

std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& linkPath) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
    return std::nullopt;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return std::nullopt;
  if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;
  ShellLinkInfo info;
  wchar_t buf[MAX_PATH] = {};
  if (FAILED(link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  info.target = buf;
  buf[0] = 0;
  if (FAILED(link->GetWorkingDirectory(buf, MAX_PATH))) return std::nullopt;
  info.workingFolder = buf;
  return info;
}

}  // namespace designer
