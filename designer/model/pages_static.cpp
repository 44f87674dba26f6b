// The create page's fixed texts and the information page.
#include "form.h"
#include "texts.h"

namespace designer {

void DesignerForm::SetUpCreateAndInfoPages() {
  Label29.caption = text::kLabel29;
  step1.caption = text::kStep1;
  step2.caption = text::kStep2;
  step3.caption = text::kStep3;
  Label5.caption = text::kNotSetYet;
  Label1.caption = text::kGoBackToSelect;
  iniout.caption = text::kIniout;
  Label2.caption = text::kLabel2;
  Label3.caption = text::kLabel3;

  infoPicture.resource = "splash";
  infoVersion.caption = text::kVersion;
  infoRgpHeading.caption = text::kRgpHeading;
  infoRgpHeading.foreColor = kOlive;
  infoRgpText.caption = text::kRgpText;
  infoRequest.caption = text::kRequest;
  infoCredit.caption = text::kCredit;
  infoSupport.caption = text::kSupport;
}

}  // namespace designer
