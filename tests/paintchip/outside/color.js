// Creates PaintChip by ProgID as a JScript host would, sets and reads Color.
var chip = new ActiveXObject("PAINTCHIP.PaintChipCtrl.1");
chip.Color = 255;
WScript.Echo("color " + chip.Color);
chip.Color = 0x80000005;  // JScript passes this as a double
WScript.Echo("system " + (chip.Color >>> 0).toString(16));
chip.Color = 255;
try {
  chip.Color = "not a colour";
  WScript.Echo("bad value accepted");
} catch (e) {
  WScript.Echo("bad value refused");
}
WScript.Echo("color kept " + chip.Color);
