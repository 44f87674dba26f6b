' Creates PaintChip by ProgID as a VBScript host would, sets and reads Color.
' Errors do not stop the script: each line prints Err.Number itself.
On Error Resume Next
Set chip = CreateObject("PAINTCHIP.PaintChipCtrl.1")
WScript.Echo "create " & Err.Number
chip.Color = &HFF8000
WScript.Echo "color " & chip.Color & " " & Err.Number
chip.Color = &H80000005
WScript.Echo "system " & Hex(chip.Color) & " " & Err.Number
chip.Enabled = False
WScript.Echo "enabled " & chip.Enabled & " " & Err.Number
chip.Color = &HFF8000
Err.Clear
chip.Color = "not a colour"
WScript.Echo "bad value refused " & (Err.Number <> 0)
Err.Clear
WScript.Echo "color kept " & chip.Color
