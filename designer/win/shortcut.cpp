#include "designer/win/shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "wincommon/com.h"

namespace designer {
using tkt::ComPtr;

std::optional<std::wstring> FindDesktopFolder() {
  tkt::CoTaskMem<wchar_t> known;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, known.put())) && known && *known.get())
    return std::wstring(known.get());
  // Older shells: the CSIDL lookup the designer always used, in its wide form.
  wchar_t buf[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, buf)) && buf[0]) return std::wstring(buf);
  return std::nullopt;
}

std::optional<std::wstring> FindStartupFolder() {
  tkt::CoTaskMem<wchar_t> known;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, known.put())) && known && *known.get())
    return std::wstring(known.get());
  wchar_t buf[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, buf)) && buf[0]) return std::wstring(buf);
  return std::nullopt;
}

HRESULT CreateShellLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& workingFolder,
                        const std::wstring& arguments) {
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void());
  if (FAILED(hr)) return hr;
  if (FAILED(hr = link->SetPath(target.c_str()))) return hr;
  if (FAILED(hr = link->SetWorkingDirectory(workingFolder.c_str()))) return hr;
  if (FAILED(hr = link->SetArguments(arguments.c_str()))) return hr;
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
  buf[0] = 0;
  if (FAILED(link->GetArguments(buf, MAX_PATH))) return std::nullopt;
  info.arguments = buf;
  return info;
}

}  // namespace designer
