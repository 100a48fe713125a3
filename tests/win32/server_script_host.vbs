' Makes the script host ready before the registry is compared around registering K60418.dll: Wine
' registers the script engine's and the scripting runtime's type libraries the first time they run.
Dim d
Set d = CreateObject("Scripting.Dictionary")
d.Add "ready", 1
On Error Resume Next
Err.Raise 91
WScript.Quit d.Count - 1
