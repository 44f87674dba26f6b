// The settings page's cuckoo and digital read-out controls, and dropping the read-out on the preview.
#include "form.h"

namespace designer {

namespace {
void EnableAll(std::initializer_list<Control*> controls, bool enabled) {
  for (Control* c : controls) c->enabled = enabled;
}
}  // namespace

void DesignerForm::hatoCheck1_Click() {
  if (hatoCheck1.checked()) {
    Image3.visible = true;
    Image4.visible = false;
    Label34.enabled = true;
    Label35.enabled = false;
    EnableAll({&hato_top, &hato_bottom, &hato_left, &hato_right}, true);
    hatoCheck2.SetValue(0);
  } else if (!hatoCheck2.checked()) {
    Image3.visible = false;
    Label34.enabled = false;
    EnableAll({&hato_top, &hato_bottom, &hato_left, &hato_right}, false);
  }
}

void DesignerForm::hatoCheck2_Click() {
  if (hatoCheck2.checked()) {
    Image4.visible = true;
    Image3.visible = false;
    Label35.enabled = true;
    Label34.enabled = false;
    EnableAll({&hato_top, &hato_bottom, &hato_left, &hato_right}, true);
    hatoCheck1.SetValue(0);
  } else if (!hatoCheck1.checked()) {
    Image4.visible = false;
    Label35.enabled = false;
    EnableAll({&hato_top, &hato_bottom, &hato_left, &hato_right}, false);
  }
}

void DesignerForm::MoveCuckoo(double dx, double dy) {
  if (hatoCheck1.checked()) Image3.Move(Image3.left + dx, Image3.top + dy);
  if (hatoCheck2.checked()) Image4.Move(Image4.left + dx, Image4.top + dy);
}

// Entering the settings page in template mode returns the cuckoo to "none chosen"; places stay.
void DesignerForm::ResetCuckoo() {
  Image3.visible = Image4.visible = false;
  EnableAll({&Label34, &Label35, &hato_top, &hato_bottom, &hato_left, &hato_right}, false);
  hatoCheck1.SetValue(0);
  hatoCheck2.SetValue(0);
}

void DesignerForm::digicheck_Click() {
  if (digicheck.checked()) {
    digitxt.Move(1950, 2460);
    digitxt.visible = true;
    EnableAll({&digifont, &fontmove_up, &fontmove_down, &fontmove_left, &fontmove_right}, true);
    EnableAll({&digistyle1, &digistyle2}, true);
    digistyle2.SetValue(true);
  } else {
    digitxt.visible = false;
    EnableAll({&digifont, &fontmove_up, &fontmove_down, &fontmove_left, &fontmove_right}, false);
    digistyle1.SetValue(false);
    digistyle2.SetValue(false);
    EnableAll({&digistyle1, &digistyle2}, false);
  }
}

void DesignerForm::digifont_Click() {
  std::optional<FontChoice> chosen = services.dialogs->ShowFont(lastFontChoice, kFontScreenAndPrinter | kFontEffects);
  if (!chosen) return;
  lastFontChoice = chosen;
  digitxt.font = chosen->font;
  digitxt.foreColor = chosen->color;
}

void DesignerForm::MoveReadout(double dx, double dy) { digitxt.Move(digitxt.left + dx, digitxt.top + dy); }

void DesignerForm::OLGPic1_DragDrop(Control& source, double x, double y) {
  (void)source;  // only the read-out drags; its drag picture is the window layer's
  digitxt.top = y;
  digitxt.left = x;
}

namespace {
bool Inside(const Control& c, double x, double y) {
  return c.Shown() && x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
}
}  // namespace

bool DesignerForm::IsPreviewDropPoint(double x, double y) const {
  if (x < 0 || y < 0 || x >= kPreviewSize || y >= kPreviewSize) return false;
  return !Inside(digitxt, x, y) && !Inside(Image3, x, y) && !Inside(Image4, x, y);
}

}  // namespace designer
