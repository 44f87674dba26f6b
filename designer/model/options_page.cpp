// The options page's controls: zone list, name, chime hours, quiet hours, opacity and fade.
#include <algorithm>

#include "form.h"
#include "texts.h"

namespace designer {

void DesignerForm::SetUpOptionsPage() {
  zoneLabel.caption = text::kZoneLabel;
  nameLabel.caption = text::kNameLabel;
  clockName.tip = text::kNameTip;
  chimeLabel.caption = text::kChimeLabel;
  chimeGroup.members = {&chimeHalfHour, &chimeHour, &chimeOff};
  const wchar_t* chimes[] = {text::kChimeHalfHour, text::kChimeHour, text::kChimeOff};
  for (size_t i = 0; i < 3; ++i) {
    chimeGroup.members[i]->group = &chimeGroup;
    chimeGroup.members[i]->caption = chimes[i];
  }
  chimeHalfHour.value = true;
  quietCheck.caption = text::kQuietCheck;
  quietFrom.text = text::kQuietFrom;
  quietTo.text = text::kQuietTo;
  quietTilde.caption = text::kQuietTilde;
  quietFrom.enabled = quietTo.enabled = false;
  opacityLabel.caption = text::kOpacityLabel;
  opacityValue.caption = std::to_wstring(opacityScroll.value) + L"%";
  fadeCheck.caption = text::kFadeCheck;
  anotherHeading.caption = text::kAnotherHeading;
  anotherHeading.foreColor = kOlive;
  anotherLabel.caption = text::kAnotherLabel;
  anotherExt.caption = text::kAnotherExt;
  another.caption = text::kAnother;
  another.tip = text::kAnotherTip;
  startupCheck.caption = text::kStartupCheck;
  startupCheck.tip = text::kStartupTip;
  zoneKeys = {L""};
  zoneList.items = {text::kZonePc};
  zoneList.listIndex = 0;
}

void DesignerForm::FillZoneList() {
  zoneKeys = {L""};
  zoneList.items = {text::kZonePc};
  if (services.zones) {
    for (ZoneChoice& z : services.zones->Zones()) {
      zoneKeys.push_back(std::move(z.key));
      zoneList.items.push_back(std::move(z.display));
    }
  }
  zoneList.listIndex = 0;
}

std::wstring DesignerForm::SelectedZone() const {
  const int i = zoneList.listIndex;
  return i >= 0 && size_t(i) < zoneKeys.size() ? zoneKeys[size_t(i)] : std::wstring();
}

void DesignerForm::SelectZone(const std::wstring& key) {
  auto at = std::find(zoneKeys.begin(), zoneKeys.end(), key);
  if (at == zoneKeys.end()) {
    zoneKeys.push_back(key);
    zoneList.items.push_back(key);
    at = zoneKeys.end() - 1;
  }
  zoneList.SetListIndex(int(at - zoneKeys.begin()));
}

void DesignerForm::quietCheck_Click() { quietFrom.enabled = quietTo.enabled = quietCheck.checked(); }

void DesignerForm::opacityScroll_Change() { opacityValue.caption = std::to_wstring(opacityScroll.value) + L"%"; }

}  // namespace designer
