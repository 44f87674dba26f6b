// The platform behind the form: comdlg32 dialogs, message boxes, the current folder, the shell, BMP files.
#pragma once

#include <windows.h>

#include "designer/model/services.h"

namespace designer::win {

class WinDialogs : public CommonDialogService {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<Color> ShowColor(Color initial, uint32_t flags) override;
  std::optional<FontChoice> ShowFont(const std::optional<FontChoice>& last, uint32_t flags) override;
  std::optional<std::wstring> ShowSave(const FileRequest& request) override;

 private:
  HWND owner_ = nullptr;
  COLORREF customColors_[16] = {};
};

class WinMessages : public MessageService {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void SetAppTitle(std::wstring title) { appTitle_ = std::move(title); }
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override;

 private:
  HWND owner_ = nullptr;
  std::wstring appTitle_;
};

class WinFolders : public FolderService {
 public:
  std::wstring CurrentDirectory() override;
  bool ChangeDirectory(const std::wstring& path) override;
};

class WinShell : public ShellService {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  bool OpenDocument(const std::wstring& path) override;
  void EndProgram() override;

 private:
  HWND owner_ = nullptr;
};

class WinPictures : public PictureService {
 public:
  std::shared_ptr<const faceformat::Image> Load(const std::wstring& path) override;
};

// The zones the system knows, from its own time-zone data.
class WinZones : public ZoneService {
 public:
  std::vector<ZoneChoice> Zones() override;
};

// Font size in points from a LOGFONT height at the screen's DPI.
double PointsFromHeight(LONG height, int dpi);

}  // namespace designer::win
